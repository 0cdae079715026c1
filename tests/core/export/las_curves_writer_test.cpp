#include "core/export/las_curves_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace lithora::exporter {
namespace {

// The well lines give the step of even depths as the depths are written, and 0 for uneven
// ones; a null is written as the null text.
TEST(LasCurvesWriter, StepOfTheDepthsAndNulls) {
    const std::vector<double> values = {1.5, NAN, 2.5};
    LasCurvesInput in;
    in.depthUnit = "m";
    in.depth = {1000.0, 1000.1, 1000.2};
    in.curves = {{"VP", "M/S", "P-WAVE VELOCITY", &values}};
    std::string text = lasCurvesText(in);
    EXPECT_NE(text.find(" STEP.M          0.1:"), std::string::npos) << text;
    EXPECT_NE(text.find("-999.25"), std::string::npos);

    in.depth = {1000.0, 1000.1, 1000.5};
    text = lasCurvesText(in);
    EXPECT_NE(text.find(" STEP.M          0:"), std::string::npos) << text;
}

}  // namespace
}  // namespace lithora::exporter
