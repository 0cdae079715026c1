#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/common/curves.h"

namespace lithora::import {

// The roles a curve can play in the elastic computation. Every name list below belongs to
// exactly one role, so a curve lands in at most one.
enum class CurveRole { None, Density, GammaRay, PWave, SWave };

// The fixed name lists of LAS mnemonics, in the order they are tried.
std::span<const std::string_view> lasRoleNames(CurveRole role);

// Exact, case-sensitive match of a LAS mnemonic against the four lists.
CurveRole lasCurveRole(std::string_view mnemonic);

// Exact, case-sensitive match of an ASCII column name: "Density", "Gamma Ray", "P-wave",
// "S-wave".
CurveRole asciiColumnRole(std::string_view name);

// One line of a LAS curve section taken apart.
struct LasCurveLine {
    // Text before the first ".", trimmed; empty when the line has no ".".
    std::string mnemonic;
    // From just after the first "." up to the first blank, tab or ":" (the unit field of
    // a LAS 2.0 item), without parentheses; empty when the line has no unit.
    std::string unit;
    // The line describes a curve: it has a "." and does not start with "~" or "#" (leading
    // blanks ignored). A curve line whose mnemonic is empty still describes a column of
    // the data section.
    bool definesCurve = false;
};
LasCurveLine parseLasCurveLine(std::string_view line);

// Index-curve unit rule: "DEPT"/"DEPTH" with unit "M" give "m", with "F" or "FT" give "ft";
// "TIME" gives "m" whatever its unit. nullopt for anything else (the workspace keeps its tag).
std::optional<std::string> lasDepthUnit(std::string_view mnemonic, std::string_view unit);
// "m" or "ft" when a depth curve's unit text names metres or feet in a spelling the rule above
// does not take ("m", "(Meters)", "FEET"), letter case, blanks and parentheses aside; empty
// otherwise.
std::string depthUnitNamedBy(std::string_view text);

// "(" + unit + ")" for a non-empty unit, empty otherwise (the catalogue form of a LAS unit).
std::string lasCatalogUnit(std::string_view unit);

// The density unit tag of a unit already in parentheses: "GC" for grams per cubic
// centimetre, "KM" for kilograms per cubic metre; nullopt when the text is not in the table.
// The ASCII table is shorter ("(GM/CC)" and "(GM/C3)" are LAS only).
std::optional<std::string> densityUnitTag(std::string_view unitInParentheses, bool lasFile);

// Records one recognised curve: appends name to the role's list; a gamma-ray curve also
// makes catalogIndex (1-based) the GammaRayIndex. CurveRole::None does nothing.
void addToRole(RoleLists& roles, CurveRole role, const std::string& name, int catalogIndex);

}  // namespace lithora::import
