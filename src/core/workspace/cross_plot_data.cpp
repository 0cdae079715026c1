#include "core/workspace/cross_plot_data.h"

#include "core/compute/correlation.h"
#include "core/compute/elastic.h"
#include "core/workspace/workspace.h"

namespace lithora::workspace {

std::vector<ColourOption> colourOptions(const Workspace& ws) {
    std::vector<ColourOption> out{{ColourOption::None, {}, "None"}};
    const auto& source = ws.source();
    const bool loaded = source.isOpen() && ws.sourceFieldCount() > 2;
    const int gr = ws.roles().gammaRayIndex;
    if (loaded && gr >= 2 && gr < ws.sourceFieldCount()) {
        const auto& entry = ws.catalog()[static_cast<std::size_t>(gr - 1)];
        out.push_back(
            {ColourOption::Curve, source.field(gr).def.name, "Gamma Ray (" + entry.mnemonic + ")"});
    }
    out.push_back({ColourOption::Depth, {}, "Depth"});
    if (!loaded) return out;
    for (int f = 2; f < ws.sourceFieldCount(); ++f) {
        const auto entry = static_cast<std::size_t>(f - 1);
        const std::string& name = source.field(f).def.name;
        out.push_back({ColourOption::Curve, name,
                       entry < ws.catalog().size() && !ws.catalog()[entry].label.empty()
                           ? ws.catalog()[entry].label
                           : name});
    }
    return out;
}

std::vector<double> visibleElasticColumn(const Workspace& ws, int field) {
    const auto& elastic = ws.elastic();
    if (!elastic.isOpen() || field < 0 || field >= elastic.fieldCount()) return {};
    return elastic.visibleFloats(field);
}

std::vector<double> colourValues(const Workspace& ws, const ColourOption& option) {
    switch (option.kind) {
        case ColourOption::None:
            return {};
        case ColourOption::Depth:
            return visibleElasticColumn(ws, compute::kDepth);
        case ColourOption::Curve:
            break;
    }
    const auto& source = ws.source();
    const auto& elastic = ws.elastic();
    if (!source.isOpen() || !elastic.isOpen()) return {};
    const int f = source.findField(option.field);
    // Only curves count: not "Rec", the depth or the hidden counter.
    if (f < 2 || f >= ws.sourceFieldCount()) return {};
    const std::vector<double> sourceRec = source.visibleFloats(0);
    const std::vector<double> values = source.visibleFloats(f);
    const std::vector<double> elasticRec = elastic.visibleFloats(compute::kRec);
    return compute::referenceByRec(sourceRec, values, elasticRec);
}

}  // namespace lithora::workspace
