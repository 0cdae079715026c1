#pragma once
// The well a LAS file describes, from its ~Well section: what printed pages and exported
// pictures name in their header.
#include <string>
#include <vector>

namespace lithora::import {

struct WellHeader {
    std::string well, field, company;
};

// The WELL, FLD and COMP items of the ~Well section of a LAS header (the lines as the file
// has them), each empty when the file leaves it out or gives no value. The value is the
// item's data field (between the unit and the last ":"); where that is empty or only repeats
// the item's caption, as LAS 1.2 files write it ("WELL.  WELL : ANY ET AL 12-34"), the text
// after the ":" is the value. Lines of other sections are never read.
WellHeader readWellHeader(const std::vector<std::string>& headerLines);

}  // namespace lithora::import
