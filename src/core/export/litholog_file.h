#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/litholog.h"

namespace lithora::exporter {

// The litholog file (".llg"): an empty first line, the heading line, then one line per
// interval: top, a tab, bottom, a tab, the lithology name, a tab. Lines end with CR LF and
// numbers are written in number text with '.' whatever the regional settings.
inline constexpr const char* kLithologHeading = "TopDepth       BottomDepth    Lithology";

// The file's text for the complete intervals, in order (an interval still being entered is
// not written).
std::string lithologFileText(const std::vector<LithologInterval>& intervals);
// Writes the file beside and renames it over target; throws lithora::Error naming the file.
void writeLithologFile(const std::filesystem::path& target,
                       const std::vector<LithologInterval>& intervals);

// What a litholog file gave: the intervals up to the first line that is refused, and the
// message for that line ("Line 7: Please select a lithology from drop-down list."), empty
// when every line was read.
struct LithologFileRead {
    std::vector<LithologInterval> intervals;
    std::string error;
};
// Reads the text of a litholog file. The first two lines are skipped whatever they hold;
// each further line needs its three fields, each closed by a tab, and is checked by
// rules.checkInterval. Numbers are read with '.', and with ',' as files of older versions
// wrote them under a comma locale. Blank lines at the end of the file are ignored.
LithologFileRead readLithologText(std::string_view text, const LithologModel& rules);
// Reads a file; throws lithora::Error when it cannot be read at all.
LithologFileRead readLithologFile(const std::filesystem::path& file, const LithologModel& rules);

}  // namespace lithora::exporter
