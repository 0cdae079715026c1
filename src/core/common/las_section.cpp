#include "core/common/las_section.h"

#include "core/common/text.h"

namespace lithora {

namespace {

// The name of a section title: from after the "~" up to a blank, "|" (the data set a data
// section belongs to) or "[" (the number of a repeated section).
std::string_view lasSectionName(std::string_view title) {
    title.remove_prefix(1);
    const std::size_t end = title.find_first_of(" \t|[\r\n");
    return end == std::string_view::npos ? title : title.substr(0, end);
}

}  // namespace

std::string_view lasDataSetName(std::string_view line) {
    const std::string_view title = lasSectionTitle(line);
    if (title.empty()) return {};
    const std::string_view name = lasSectionName(title);
    const std::size_t underscore = name.find('_');
    return underscore == std::string_view::npos ? std::string_view() : name.substr(0, underscore);
}

LasSection lasSectionOf(std::string_view line) {
    const std::string_view title = lasSectionTitle(line);
    if (title.empty()) return LasSection::None;
    const std::string_view set = lasDataSetName(line);
    if (!set.empty()) {
        if (lowerAscii(set) != "log") return LasSection::OtherDataSet;
        const std::string part = lowerAscii(lasSectionName(title).substr(set.size() + 1));
        if (part == "definition") return LasSection::Curve;
        if (part == "data") return LasSection::Data;
        if (part == "parameter") return LasSection::Parameter;
        return LasSection::Unknown;
    }
    switch (title.size() > 1 ? title[1] : '\0') {
        case 'V':
            return LasSection::Version;
        case 'W':
            return LasSection::Well;
        case 'C':
            return LasSection::Curve;
        case 'P':
            return LasSection::Parameter;
        case 'O':
            return LasSection::Other;
        case 'A':
            return LasSection::Data;
        default:
            return LasSection::Unknown;
    }
}

}  // namespace lithora
