#include "core/import/well_header.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "core/common/las_section.h"
#include "core/common/number_text.h"

namespace lithora::import {

namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

struct Item {
    const char* mnemonic;
    std::array<const char*, 3> captions;  // what a file writes as the item's description
    std::string WellHeader::*value;
};

constexpr std::array<Item, 3> kItems{{
    {"WELL", {"WELL", "WELL NAME", "WELLNAME"}, &WellHeader::well},
    {"FLD", {"FIELD", "FIELD NAME", "FLD"}, &WellHeader::field},
    {"COMP", {"COMPANY", "COMPANY NAME", "COMP"}, &WellHeader::company},
}};

bool isCaption(const Item& item, std::string_view text) {
    const std::string t = upper(trimView(text));
    return std::any_of(item.captions.begin(), item.captions.end(),
                       [&t](const char* c) { return t == c; });
}

}  // namespace

WellHeader readWellHeader(const std::vector<std::string>& headerLines) {
    WellHeader header;
    LasSection section = LasSection::None;
    for (const std::string& line : headerLines) {
        const std::string_view text = trimView(line);
        if (text.empty() || text.front() == '#') continue;
        if (text.front() == '~') {
            section = lasSectionOf(text);
            continue;
        }
        if (section != LasSection::Well) continue;
        const auto dot = text.find('.');
        const auto colon = text.rfind(':');
        if (dot == std::string_view::npos || colon == std::string_view::npos || colon < dot)
            continue;
        const std::string mnemonic = upper(trimView(text.substr(0, dot)));
        // The unit runs from the dot to the first blank; the data from there to the colon.
        std::string_view rest = text.substr(dot + 1, colon - dot - 1);
        const auto blank = rest.find_first_of(" \t");
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank);
        const std::string_view data = trimView(rest);
        const std::string_view description = trimView(text.substr(colon + 1));
        for (const Item& item : kItems) {
            if (mnemonic != item.mnemonic) continue;
            const bool dataIsValue = !data.empty() && !isCaption(item, data);
            const std::string_view value = dataIsValue ? data : description;
            header.*item.value = isCaption(item, value) ? std::string() : std::string(value);
        }
    }
    return header;
}

}  // namespace lithora::import
