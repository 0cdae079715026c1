#include "core/commands/compute_elastic.h"

#include <algorithm>
#include <exception>

#include "core/export/litholog_table.h"

namespace lithora::commands {

using compute::DensityUnit;
using compute::SonicUnit;

CurveChoice proposedCurves(const workspace::Workspace& ws) {
    auto first = [](const std::vector<std::string>& names) {
        return names.empty() ? std::string() : names.front();
    };
    const auto& r = ws.roles();
    return {first(r.density), first(r.gammaRay), first(r.pWave), first(r.sWave)};
}

std::vector<std::string> offeredCurves(const workspace::Workspace& ws, import::CurveRole role) {
    using import::CurveRole;
    const auto& r = ws.roles();
    static const std::vector<std::string> kNone;
    const std::vector<std::string>& recognised = role == CurveRole::Density    ? r.density
                                                 : role == CurveRole::GammaRay ? r.gammaRay
                                                 : role == CurveRole::PWave    ? r.pWave
                                                 : role == CurveRole::SWave    ? r.sWave
                                                                               : kNone;
    std::vector<std::string> out = recognised;
    const auto& source = ws.source();
    if (!source.isOpen()) return out;
    // Fields 2 .. sourceFieldCount() - 1 are the curves after the depth.
    for (int f = 2; f < ws.sourceFieldCount() && f < source.fieldCount(); ++f) {
        const std::string& name = source.field(f).def.name;
        if (std::find(recognised.begin(), recognised.end(), name) == recognised.end())
            out.push_back(name);
    }
    return out;
}

std::string checkCurveNames(const workspace::Workspace& ws, const CurveChoice& choice) {
    const auto& source = ws.source();
    for (const std::string* name :
         {&choice.density, &choice.gammaRay, &choice.pWave, &choice.sWave}) {
        if (name->empty()) continue;
        if (!source.isOpen() || source.findField(*name) < 0)
            return "Field '" + *name + "' not found.";
    }
    return {};
}

namespace {

// An empty choice makes its role unavailable; the flags only fall.
void lowerFlagsOfEmptyChoices(workspace::Workspace& ws, const CurveChoice& choice) {
    ws.lowerRoleFlags({!choice.density.empty(), !choice.gammaRay.empty(), !choice.pWave.empty(),
                       !choice.sWave.empty()});
}

CurvePlan planFor(bool density, bool pWave, bool sWave) {
    CurvePlan plan;
    if (!density)
        plan.stop = CurvePlan::Stop::NoDensity;
    else if (!pWave)
        plan.stop = CurvePlan::Stop::NoPWave;
    plan.measuredVs = sWave;
    return plan;
}

}  // namespace

CurvePlan planCurves(workspace::Workspace& ws, const CurveChoice& choice) {
    if (auto message = checkCurveNames(ws, choice); !message.empty()) {
        CurvePlan plan;
        plan.stop = CurvePlan::Stop::UnknownCurve;
        plan.message = std::move(message);
        return plan;
    }
    lowerFlagsOfEmptyChoices(ws, choice);
    return planFor(!choice.density.empty(), !choice.pWave.empty(), !choice.sWave.empty());
}

UnitsDecision decideUnits(const workspace::Workspace& ws, const CurveChoice& choice,
                          bool measuredVs, const UnitsGiven& given) {
    const auto& tags = ws.unitTags();
    const auto depthRule = compute::sonicUnitFromTag(tags.depthUnit);
    const auto densityRule = compute::densityUnitFromTag(tags.densityUnit);

    UnitsDecision d;
    std::vector<std::string> curves{choice.pWave};
    if (measuredVs) curves.push_back(choice.sWave);
    for (const auto& curve : curves) {
        SonicCurveUnit s{curve, ws.curveUnitText(curve), std::nullopt, std::nullopt};
        if (auto named = compute::sonicUnitFromCurveUnit(s.unitText))
            s.unit = named;
        else if (given.sonic)
            s.unit = given.sonic;
        else if (tags.depthFromFile && depthRule)
            s.unit = depthRule;
        else if (given.depth)
            s.unit = given.depth;
        s.preselect = s.unit ? s.unit : depthRule;
        d.sonic.push_back(std::move(s));
    }

    d.densityCurve = choice.density;
    d.densityUnitText = ws.curveUnitText(choice.density);
    if (tags.densityFromFile && densityRule)
        d.density = densityRule;
    else if (given.density)
        d.density = given.density;
    d.densityPreselect = d.density ? d.density : densityRule;

    const auto& source = ws.source();
    if (source.isOpen() && source.fieldCount() > 1)
        d.depthUnitText = ws.curveUnitText(source.field(ws.sourceDepthField()).def.name);
    if (d.depthUnitText.empty()) d.depthUnitText = tags.depthUnit;
    return d;
}

std::optional<workspace::ElasticUnits> UnitsDecision::units() const {
    if (sonic.empty() || !density) return std::nullopt;
    for (const auto& s : sonic)
        if (!s.unit) return std::nullopt;
    const SonicUnit p = *sonic.front().unit;
    return workspace::ElasticUnits{p, sonic.size() > 1 ? *sonic[1].unit : p, *density};
}

bool UnitsDecision::sonicUnknown() const {
    for (const auto& s : sonic)
        if (!s.unit) return true;
    return false;
}

std::string UnitsDecision::unknownText() const {
    const bool sonicOpen = sonicUnknown();
    const bool densityOpen = !density;
    if (sonicOpen && densityOpen)
        return "The units of the sonic and density curves are not known (depth unit \"" +
               depthUnitText + "\", density unit \"" + densityUnitText +
               "\"): the sonic curves may be in microseconds per metre or per foot, the density "
               "in g/cm3 or kg/m3.";
    if (densityOpen)
        return "The unit of the density curve is not known (density unit \"" + densityUnitText +
               "\"): the density may be in g/cm3 or kg/m3.";
    return "The units of the sonic curves are not known (depth unit \"" + depthUnitText +
           "\"): the sonic curves may be in microseconds per metre or per foot.";
}

std::string computeElastic(workspace::Workspace& ws, const ElasticRequest& request) {
    try {
        ws.computeElastic(request.curves.density, request.curves.pWave,
                          request.measuredVs ? request.curves.sWave : std::string(), request.units,
                          request.vs, request.litholog);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

std::vector<rockphysics::LithologyInterval> lithologyIntervals(
    const std::vector<exporter::LithologInterval>& intervals) {
    std::vector<rockphysics::LithologyInterval> out;
    for (const auto& i : intervals)
        if (i.complete()) out.push_back({i.top, i.bottom, i.lithology});
    return out;
}

std::vector<rockphysics::LithologyInterval> lithologyIntervals(const workspace::Workspace& ws) {
    if (!ws.litholog().isOpen()) return {};
    return lithologyIntervals(exporter::readLithologTable(ws.litholog()));
}

exporter::LithologFileRead readLithologForWell(const workspace::Workspace& ws,
                                               const std::filesystem::path& file) {
    exporter::LithologModel rules;
    const auto& source = ws.source();
    if (source.isOpen() && source.totalRecordCount() > 0) {
        const auto depth = source.floatColumn(ws.sourceDepthField());
        rules.setLogRange(depth.front(), depth.back());
    }
    return exporter::readLithologFile(file, rules);
}

std::string lithologyVsSummary(const rockphysics::LithologyVsCounts& counts) {
    static const char* const kNames[] = {"sandstone", "limestone", "dolomite", "shale"};
    std::string text = "Vs by lithology:";
    bool first = true;
    auto add = [&](long long n, const std::string& what) {
        if (n == 0) return;
        text += (first ? " " : ", ") + std::to_string(n) + " " + what;
        first = false;
    };
    for (std::size_t c = 0; c < counts.byClass.size(); ++c) add(counts.byClass[c], kNames[c]);
    add(counts.fallback, "by the linear equation");
    if (first) text += " no sample";
    return text + ".";
}

}  // namespace lithora::commands
