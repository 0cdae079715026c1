#pragma once
#include <string>
#include <vector>

#include "core/common/text.h"

namespace lithora {

// One entry of the curve catalogue. Texts are at most 30 characters (cut by the readers).
// unit is the unit in parentheses ("(G/CC)") or empty; label = mnemonic + unit.
struct CurveEntry {
    std::string mnemonic;
    std::string unit;
    std::string label;
};

// The curves the readers recognised per role, in file order. The lists grow as needed.
struct RoleLists {
    std::vector<std::string> density;
    std::vector<std::string> gammaRay;
    std::vector<std::string> pWave;
    std::vector<std::string> sWave;
    // 1-based catalogue index of the last gamma-ray curve; 0 when there is none.
    int gammaRayIndex = 0;
};

// Field 1 of a source table holds the depth (or time) of each record, after "Rec".
inline constexpr int kSourceDepthField = 1;

// The depth range the windows show: the first and last depth of the log, or the bounds of
// the depth filter in force. top is drawn at the top of a column, bottom at its foot.
struct DepthWindow {
    double top = 0;
    double bottom = 0;
    bool filterActive = false;
};

constexpr std::size_t kCatalogTextMax = 30;

// At most 30 characters; a character of UTF-8 text is never cut in two.
inline std::string cutCatalogText(const std::string& s) {
    return cutUtf8(s, kCatalogTextMax);
}

}  // namespace lithora
