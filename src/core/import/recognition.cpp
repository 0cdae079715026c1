#include "core/import/recognition.h"

#include <array>
#include <cctype>

#include "core/common/number_text.h"

namespace lithora::import {

namespace {

constexpr std::array<std::string_view, 28> kDensityNames = {
    "RHOB", "RHOZ", "RHO8", "ZCOR", "ZDEN", "RHGA", "DENR",  "EDRH", "EMRH", "ERHO",
    "FDEN", "RHEV", "RHM2", "RHMA", "RHOC", "RHOF", "RHOH",  "RHOO", "RHOW", "RHOG",
    "ZDRH", "ZRHO", "DENC", "DENS", "CDL",  "FDT",  "DLDNH", "DLDN"};
constexpr std::array<std::string_view, 21> kGammaRayNames = {
    "GR",     "ECGR", "GRC",   "C_GR",  "BHC_GR", "CCATGR", "CSNG",
    "DIELGR", "G_GR", "GAMMA", "GR_DC", "GR_DN",  "GR_DSN", "CGR",
    "EGR",    "GRCO", "GRTO",  "RGR",   "SUMG",   "IDGR",   "GSGR"};
constexpr std::array<std::string_view, 6> kPWaveNames = {"DT",   "DTCO",   "DT24",
                                                         "DT-P", "DT-PED", "ACTCL"};
constexpr std::array<std::string_view, 3> kSWaveNames = {"DTSM", "DT-S", "DT-SED"};

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& names, std::string_view name) {
    for (auto n : names)
        if (n == name) return true;
    return false;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::span<const std::string_view> lasRoleNames(CurveRole role) {
    switch (role) {
        case CurveRole::Density:
            return kDensityNames;
        case CurveRole::GammaRay:
            return kGammaRayNames;
        case CurveRole::PWave:
            return kPWaveNames;
        case CurveRole::SWave:
            return kSWaveNames;
        case CurveRole::None:
            break;
    }
    return {};
}

CurveRole lasCurveRole(std::string_view mnemonic) {
    if (listed(kDensityNames, mnemonic)) return CurveRole::Density;
    if (listed(kGammaRayNames, mnemonic)) return CurveRole::GammaRay;
    if (listed(kPWaveNames, mnemonic)) return CurveRole::PWave;
    if (listed(kSWaveNames, mnemonic)) return CurveRole::SWave;
    return CurveRole::None;
}

CurveRole asciiColumnRole(std::string_view name) {
    if (name == "Density") return CurveRole::Density;
    if (name == "Gamma Ray") return CurveRole::GammaRay;
    if (name == "P-wave") return CurveRole::PWave;
    if (name == "S-wave") return CurveRole::SWave;
    return CurveRole::None;
}

LasCurveLine parseLasCurveLine(std::string_view line) {
    LasCurveLine out;
    auto dot = line.find('.');
    if (dot == std::string_view::npos) return out;
    out.mnemonic = trim(line.substr(0, dot));
    std::size_t end = dot + 1;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != ':') ++end;
    out.unit = trim(line.substr(dot + 1, end - dot - 1));

    std::size_t first = 0;
    while (first < line.size() && isBlank(line[first])) ++first;
    out.definesCurve = first < line.size() && line[first] != '~' && line[first] != '#';
    return out;
}

std::optional<std::string> lasDepthUnit(std::string_view mnemonic, std::string_view unit) {
    if (mnemonic == "DEPTH" || mnemonic == "DEPT") {
        if (unit == "M") return "m";
        if (unit == "F" || unit == "FT") return "ft";
        return std::nullopt;
    }
    if (mnemonic == "TIME") return "m";
    return std::nullopt;
}

std::string depthUnitNamedBy(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != '(' && c != ')' && c != ' ')
            s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* m : {"m", "meter", "meters", "metre", "metres"})
        if (s == m) return "m";
    for (const char* f : {"f", "ft", "feet", "foot"})
        if (s == f) return "ft";
    return {};
}

std::string lasCatalogUnit(std::string_view unit) {
    if (unit.empty()) return {};
    std::string s;
    s.reserve(unit.size() + 2);
    s += '(';
    s += unit;
    s += ')';
    return s;
}

std::optional<std::string> densityUnitTag(std::string_view u, bool lasFile) {
    if (u == "(G/CC)" || u == "(G/CM3)" || u == "(G/C3)") return "GC";
    if (lasFile && (u == "(GM/CC)" || u == "(GM/C3)")) return "GC";
    if (u == "(K/M3)" || u == "(K/M)") return "KM";
    return std::nullopt;
}

void addToRole(RoleLists& roles, CurveRole role, const std::string& name, int catalogIndex) {
    switch (role) {
        case CurveRole::Density:
            roles.density.push_back(name);
            break;
        case CurveRole::GammaRay:
            roles.gammaRay.push_back(name);
            roles.gammaRayIndex = catalogIndex;
            break;
        case CurveRole::PWave:
            roles.pWave.push_back(name);
            break;
        case CurveRole::SWave:
            roles.sWave.push_back(name);
            break;
        case CurveRole::None:
            break;
    }
}

}  // namespace lithora::import
