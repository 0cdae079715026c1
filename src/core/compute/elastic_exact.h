#pragma once
#include "core/compute/elastic.h"

namespace lithora::compute {

// The elastic table with every row evaluated one by one in extended precision, the
// evaluation that defines the stored values. computeElastic() gives bit-identical columns,
// faster; this one exists so tests and benchmarks can hold the two side by side.
ElasticColumns computeElasticExact(const ElasticInputs& in);

}  // namespace lithora::compute
