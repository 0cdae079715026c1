// The well, field and company of a LAS file's ~Well section, as page headers name them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/import/well_header.h"

namespace lithora::import {
namespace {

struct Case {
    const char* what;
    std::vector<std::string> lines;
    WellHeader expected;
};

TEST(WellHeader, TakesWellFieldAndCompanyFromTheWellSectionOnly) {
    const std::vector<Case> cases = {
        {"LAS 2.0 items",
         {"~Version information", " VERS.  2.0 : CWLS", "~Well information",
          "WELL            .                Eastrock Lauren #1        :WELL NAME",
          "FLD             .                        Lauren            :FIELD NAME",
          "COMP            .                Eastrock Resources LTD.   :COMPANY", "~Curve",
          " DEPT.M : DEPTH", "~A"},
         {"Eastrock Lauren #1", "Lauren", "Eastrock Resources LTD."}},
        {"LAS 1.2: the value after the colon",
         {"~W", " WELL.     WELL:   ANY ET AL OIL WELL #12", " FLD .     FIELD:   EDAM",
          " COMP.     COMPANY:   # ANY OIL COMPANY LTD.", "~A"},
         {"ANY ET AL OIL WELL #12", "EDAM", "# ANY OIL COMPANY LTD."}},
        {"a colon inside the value, lower case mnemonics",
         {"~Well", " well.   Pad 3: well 7   : WELL", " comp.  ACME : COMPANY"},
         {"Pad 3: well 7", "", "ACME"}},
        {"items left empty or only captioned",
         {"~Well", " WELL.   : WELL", " FLD.  FIELD : FIELD", " COMP. :"},
         {"", "", ""}},
        {"the same names in other sections are no well items",
         {"~Parameter", " WELL.  Not this : WELL", "~Curve", " COMP.  Nor this : x", "~Well",
          "# WELL.  a comment : WELL", " WELL   no dot at all : WELL"},
         {"", "", ""}},
        {"no header at all", {}, {"", "", ""}},
    };
    for (const Case& c : cases) {
        const WellHeader h = readWellHeader(c.lines);
        EXPECT_EQ(h.well, c.expected.well) << c.what;
        EXPECT_EQ(h.field, c.expected.field) << c.what;
        EXPECT_EQ(h.company, c.expected.company) << c.what;
    }
}

}  // namespace
}  // namespace lithora::import
