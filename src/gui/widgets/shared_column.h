#pragma once
#include <memory>
#include <vector>

// A column of values shared by the plots that draw it; NaN is a null sample.
using SharedColumn = std::shared_ptr<const std::vector<double>>;
