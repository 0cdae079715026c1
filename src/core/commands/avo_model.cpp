#include "core/commands/avo_model.h"

#include <cmath>
#include <exception>
#include <numbers>

#include "core/common/number_text.h"
#include "core/common/same_file.h"
#include "core/export/las_curves_writer.h"

namespace lithora::commands {

namespace {

// value rounded to the given decimals, ties to even; NaN stays NaN.
double roundedValue(double value, int decimals) {
    if (std::isnan(value)) return value;
    const long double scale = std::pow(10.0L, decimals);
    return static_cast<double>(std::rintl(value * scale) / scale) + 0.0;
}

// The same as the program's number text.
std::string rounded(double value, int decimals) {
    return std::isnan(value) ? std::string() : numberText(roundedValue(value, decimals));
}

std::vector<double> roundedValues(const std::vector<double>& values, int decimals) {
    std::vector<double> out;
    out.reserve(values.size());
    for (double v : values) out.push_back(roundedValue(v, decimals));
    return out;
}

bool wholeDegrees(const std::string& text, int& out) {
    const auto v = parseNumber(text);
    if (!v || *v != std::floor(*v) || *v < -1e6 || *v > 1e6) return false;
    out = static_cast<int>(*v);
    return true;
}

}  // namespace

std::vector<int> AngleRange::angles() const {
    std::vector<int> a;
    for (int x = from; x <= to && step > 0; x += step) a.push_back(x);
    return a;
}

AngleRangeRead readAngleRange(const std::string& text) {
    AngleRangeRead r;
    const auto c1 = text.find(':');
    const auto c2 = c1 == std::string::npos ? c1 : text.find(':', c1 + 1);
    if (c2 == std::string::npos || text.find(':', c2 + 1) != std::string::npos ||
        !wholeDegrees(text.substr(0, c1), r.range.from) ||
        !wholeDegrees(text.substr(c1 + 1, c2 - c1 - 1), r.range.to) ||
        !wholeDegrees(text.substr(c2 + 1), r.range.step)) {
        r.error = "--angles takes FROM:TO:STEP in whole degrees, not '" + text + "'";
    } else if (r.range.from < 0 || r.range.to > 80) {
        r.error = "--angles takes angles from 0 to 80 degrees";
    } else if (r.range.from > r.range.to) {
        r.error = "--angles: FROM is above TO";
    } else if (r.range.step <= 0) {
        r.error = "--angles: STEP must be above 0";
    }
    return r;
}

AvoResult modelAvo(const workspace::Workspace& ws, const AvoRequest& request) {
    const ElasticRequest& e = request.elastic;
    compute::RockColumns rock;
    try {
        rock = ws.rockColumns(e.curves.density, e.curves.pWave,
                              e.measuredVs ? e.curves.sWave : std::string(), e.units, e.vs,
                              e.litholog);
    } catch (const std::exception& x) {
        AvoResult out;
        out.angles = request.angles.angles();
        out.error = x.what();
        return out;
    }
    return modelAvoOfRock(ws, rock, request.angles);
}

AvoResult modelAvoOfRock(const workspace::Workspace& ws, const compute::RockColumns& rock,
                         const AngleRange& angles) {
    AvoResult out;
    out.angles = angles.angles();
    const auto depth = ws.source().visibleFloats(ws.sourceDepthField());
    const bool feet = ws.unitTags().depthUnit == "ft";
    auto w = rockphysics::wellInterfaces(depth, rock.vp, rock.vs, rock.rho, feet);
    out.depth = std::move(w.depth);
    out.twtMs = std::move(w.twtMs);
    out.reflections = std::move(w.reflections);
    out.intercept.reserve(out.reflections.size());
    out.gradient.reserve(out.reflections.size());
    for (const auto& r : out.reflections) {
        out.intercept.push_back(r.terms.intercept);
        out.gradient.push_back(r.terms.gradient);
    }
    for (int angle : out.angles) {
        const double theta = angle * std::numbers::pi / 180;
        std::vector<double> column;
        column.reserve(out.reflections.size());
        for (const auto& r : out.reflections) column.push_back(r.terms.at(theta));
        out.reflection.push_back(std::move(column));
    }
    return out;
}

SyntheticGather syntheticGather(const AvoResult& avo, double peakFrequencyHz, double stepMs) {
    SyntheticGather g;
    g.stepMs = stepMs;
    g.angles = avo.angles;
    // The wavelet reaches past its second zero crossing to where it has died away.
    const auto wavelet =
        rockphysics::rickerWavelet(peakFrequencyHz, stepMs, 1500.0 / peakFrequencyHz);
    for (int angle : avo.angles)
        g.traces.push_back(rockphysics::syntheticTrace(
            avo.reflections, angle * std::numbers::pi / 180, wavelet, stepMs));
    return g;
}

std::vector<std::string> avoTableLines(const AvoResult& avo) {
    std::vector<std::string> lines;
    std::string head = "Depth\tTWT\tIntercept\tGradient";
    for (int a : avo.angles) head += "\tR " + std::to_string(a);
    lines.push_back(head);
    for (std::size_t i = 0; i < avo.depth.size(); ++i) {
        std::string line = numberText(avo.depth[i]);
        line += '\t' + rounded(avo.twtMs[i], 4);
        line += '\t' + rounded(avo.intercept[i], 6);
        line += '\t' + rounded(avo.gradient[i], 6);
        for (const auto& column : avo.reflection) line += '\t' + rounded(column[i], 6);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string saveAvoLas(const workspace::Workspace& ws, const AvoResult& avo,
                       const std::filesystem::path& target) {
    // Never over a file the well was read from.
    if (inputReplacedBy(target, ws.importInfo().sourceFiles)) return outputIsInputMessage(target);
    try {
        // The curves point into these columns, which live until the file is written.
        std::vector<std::vector<double>> columns{roundedValues(avo.twtMs, 4),
                                                 roundedValues(avo.intercept, 6),
                                                 roundedValues(avo.gradient, 6)};
        for (const auto& r : avo.reflection) columns.push_back(roundedValues(r, 6));
        exporter::LasCurvesInput in;
        in.depthUnit = ws.unitTags().depthUnit;
        in.depth = avo.depth;
        in.curves = {{"TWT", "MS", "TWO-WAY TIME", &columns[0]},
                     {"INTERCEPT", "", "AVO INTERCEPT A", &columns[1]},
                     {"GRADIENT", "", "AVO GRADIENT B", &columns[2]}};
        for (std::size_t a = 0; a < avo.angles.size(); ++a) {
            const std::string angle = std::to_string(avo.angles[a]);
            in.curves.push_back(
                {"R" + angle, "", "REFLECTION AT " + angle + " DEGREES", &columns[3 + a]});
        }
        exporter::writeLasCurves(target, in);
        return {};
    } catch (const std::exception& e) {
        return e.what();
    }
}

}  // namespace lithora::commands
