#include "core/commands/compute_elastic.h"

#include <exception>

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

CurvePlan confirmCurves(workspace::Workspace& ws, const CurveChoice& choice) {
    ws.lowerRoleFlags({!choice.density.empty(), !choice.gammaRay.empty(), !choice.pWave.empty(),
                       !choice.sWave.empty()});
    const auto& flags = ws.roleFlags();
    CurvePlan plan;
    if (!flags.density)
        plan.stop = CurvePlan::Stop::NoDensity;
    else if (!flags.pWave)
        plan.stop = CurvePlan::Stop::NoPWave;
    plan.measuredVs = flags.sWave;
    return plan;
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
        d.depthUnitText = ws.curveUnitText(source.field(1).def.name);
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
