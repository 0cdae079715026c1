#pragma once
#include <span>

#include "core/compute/elastic.h"

namespace lithora::compute {

// The elastic table of a rock given by its velocities (m/s) and density (kg/m3) at each row,
// evaluated and rounded as computeElastic evaluates the rock it makes from the logs: the table
// of a rock that fluid substitution made. A row with a null input, Vs = 0 or Vp^2 = Vs^2 has
// only Rec and Depth.
ElasticColumns elasticOfRock(std::span<const double> rec, std::span<const double> depth,
                             const RockColumns& rock);

}  // namespace lithora::compute
