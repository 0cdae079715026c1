#include "core/export/las_curves_writer.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/common/error.h"
#include "core/common/file_writer.h"
#include "core/common/number_text.h"
#include "core/compute/elastic.h"

namespace lithora::exporter {

std::string depthUnitLetter(std::string_view unit) {
    auto is = [&](std::string_view s) {
        if (unit.size() != s.size()) return false;
        for (std::size_t i = 0; i < s.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(unit[i])) != s[i]) return false;
        return true;
    };
    if (is("m")) return "M";
    if (is("ft")) return "F";
    if (is("ms")) return "MS";
    return "";
}

namespace {

constexpr std::size_t kValueWidth = 13;

// The text padded with blanks to width (a longer text is kept whole).
std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// One value right-aligned in its column, with at least one blank before it.
void appendValue(std::string& line, std::string_view text) {
    line.append(text.size() < kValueWidth ? kValueWidth - text.size() : 1, ' ');
    line.append(text);
}

// The step of evenly spaced depths; 0, as LAS writes an irregular index, otherwise. The
// difference of two depths carries their binary rounding (1000.1 - 1000 is not 0.1), so the
// step is written to the 4 decimals of the program's depths and values.
double depthStep(const std::vector<double>& depth) {
    if (depth.size() < 2) return 0;
    const double step = depth[1] - depth[0];
    for (std::size_t i = 2; i < depth.size(); ++i)
        if (std::fabs((depth[i] - depth[i - 1]) - step) > 1e-9 * std::max(1.0, std::fabs(step)))
            return 0;
    return compute::roundTo4(step);
}

template <class Out>
void writeText(Out& out, const LasCurvesInput& in) {
    for (const auto& c : in.curves)
        if (!c.values || c.values->size() != in.depth.size())
            throw Error("A curve of the file differs in length from its depths.");
    const std::string unit = depthUnitLetter(in.depthUnit);
    auto number = [&](double v) { return std::isnan(v) ? in.nullText : numberText(v); };
    const double first = in.depth.empty() ? NAN : in.depth.front();
    const double last = in.depth.empty() ? NAN : in.depth.back();

    out.line("~VERSION INFORMATION");
    out.line(" VERS.                 2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0");
    out.line(" WRAP.                  NO:   ONE LINE PER DEPTH STEP");
    out.line("~WELL INFORMATION BLOCK");
    out.line("#MNEM.UNIT      DATA             DESCRIPTION");
    out.line(padded(" STRT." + unit, 17) + number(first) + ":    START DEPTH");
    out.line(padded(" STOP." + unit, 17) + number(last) + ":    STOP DEPTH");
    out.line(padded(" STEP." + unit, 17) + numberText(depthStep(in.depth)) + ":    STEP VALUE");
    out.line(padded(" NULL.", 17) + in.nullText + ":    NULL VALUE");
    out.line("~CURVE INFORMATION");
    out.line("#MNEM.UNIT                  :     CURVE DESCRIPTION");
    out.line(padded(" DEPT ." + unit, 28) + ":  1  DEPTH");
    for (std::size_t c = 0; c < in.curves.size(); ++c) {
        const LasCurve& curve = in.curves[c];
        std::string name(1, ' ');  // appended, not " " + text: g++ 12 -Wrestrict false alarm
        name += padded(curve.mnemonic, 5);
        name += '.';
        name += curve.unit;
        out.line(padded(std::move(name), 28) + ":  " + padded(std::to_string(c + 2), 3) +
                 curve.description);
    }
    if (!in.parameters.empty()) {
        out.line("~PARAMETER INFORMATION");
        for (const auto& p : in.parameters) out.line(p);
    }
    std::string title = "~A";
    std::string line = "DEPTH";
    appendValue(title, line);
    for (const auto& c : in.curves) appendValue(title, c.mnemonic);
    out.line(title);
    for (std::size_t r = 0; r < in.depth.size(); ++r) {
        line.assign(2, ' ');
        appendValue(line, number(in.depth[r]));
        for (const auto& c : in.curves) appendValue(line, number((*c.values)[r]));
        out.line(line);
    }
}

struct TextOut {
    std::string text;
    void line(std::string_view s) {
        text.append(s);
        text.append("\r\n");
    }
};

}  // namespace

std::string lasCurvesText(const LasCurvesInput& in) {
    TextOut out;
    writeText(out, in);
    return std::move(out.text);
}

void writeLasCurves(const std::filesystem::path& target, const LasCurvesInput& in) {
    FileWriter out(target);
    writeText(out, in);
    out.commit();
}

}  // namespace lithora::exporter
