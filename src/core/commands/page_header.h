#pragma once
// The header of what leaves the program as a picture or on paper.
#include <string>

#include "core/workspace/workspace.h"

namespace lithora::commands {

// One line naming the loaded well, the depths shown and the date: "Well: Eastrock Lauren #1
// Field: Lauren   Company: Eastrock Resources LTD.   Depth: 197.5104 - 951.8904 m   Date:
// 2026-12-11", three blanks between the items. Well, field and company come from the ~Well
// section of a LAS file and are left out where it gives none (an ASCII file gives none); the
// depth range is the window of records shown (a depth filter narrows it), left out while
// nothing is loaded. date is given as it is to be shown.
std::string pageHeader(const workspace::Workspace& ws, const std::string& date);

}  // namespace lithora::commands
