#include "core/export/litholog_file.h"

#include <fstream>
#include <iterator>
#include <optional>

#include "core/common/file_writer.h"
#include "core/common/number_text.h"

namespace lithora::exporter {

namespace {

// A depth as read from the file: '.' as written now, or ',' as older files wrote it.
double depthFromText(std::string_view text) {
    if (trimView(text).empty()) throw Error("A depth is missing.");
    auto v = parseNumber(text, '.');
    if (!v) v = parseNumber(text, ',');
    if (!v) throw Error("'" + std::string(text) + "' is not a valid number.");
    return *v;
}

// Cuts the next field, closed by a tab, off the front of rest; a field with no closing tab
// is empty (and rest becomes empty).
std::string_view nextField(std::string_view& rest) {
    const auto tab = rest.find('\t');
    if (tab == std::string_view::npos) {
        rest = {};
        return {};
    }
    std::string_view field = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
    return field;
}

}  // namespace

std::string lithologFileText(const std::vector<LithologInterval>& intervals) {
    std::string text = "\r\n";
    text += kLithologHeading;
    text += "\r\n";
    for (const auto& iv : intervals) {
        if (!iv.complete()) continue;
        text += numberText(iv.top);
        text += '\t';
        text += numberText(iv.bottom);
        text += '\t';
        text += iv.lithology;
        text += "\t\r\n";
    }
    return text;
}

void writeLithologFile(const std::filesystem::path& target,
                       const std::vector<LithologInterval>& intervals) {
    writeWholeFile(target, lithologFileText(intervals));
}

LithologFileRead readLithologText(std::string_view text, const LithologModel& rules) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        text = lf == std::string_view::npos ? std::string_view{} : text.substr(lf + 1);
    }
    while (!lines.empty() && trimView(lines.back()).empty()) lines.pop_back();

    LithologFileRead read;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        std::string_view rest = lines[i];
        const std::string_view topText = nextField(rest);
        const std::string_view bottomText = nextField(rest);
        const std::string_view lithology = nextField(rest);
        try {
            const double top = depthFromText(topText);
            const double bottom = depthFromText(bottomText);
            rules.checkInterval(top, bottom, lithology);
            read.intervals.push_back(LithologInterval{top, bottom, std::string(lithology)});
        } catch (const Error& e) {
            read.error = "Line " + std::to_string(i + 1) + ": " + e.what();
            break;
        }
    }
    return read;
}

LithologFileRead readLithologFile(const std::filesystem::path& file, const LithologModel& rules) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Error("Cannot open file " + file.string() + ".");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw Error("Cannot read file " + file.string() + ".");
    return readLithologText(text, rules);
}

}  // namespace lithora::exporter
