#include "core/workspace/correlation_list.h"

#include <algorithm>

#include "core/compute/elastic.h"
#include "core/workspace/workspace.h"

namespace lithora::workspace {

std::vector<compute::CorrelationRow> correlationList(const Workspace& ws,
                                                     const std::string& reference) {
    const auto& source = ws.source();
    if (!source.isOpen() || ws.sourceFieldCount() < 2) return {};
    const int ref = source.fieldIndex(reference);

    // The columns are read in place; a filtered table hands out copies of its visible
    // records, kept here for as long as the spans of the input are used.
    const auto& elastic = ws.elastic();
    const bool withElastic = elastic.isOpen() && !elastic.isEmpty();
    const int sourceCurves = std::max(0, ws.sourceFieldCount() - 2);
    const int elasticFields = compute::kSImpedance - compute::kPoissonRatio + 1;
    std::vector<std::vector<double>> copies(
        static_cast<std::size_t>(2 + sourceCurves + (withElastic ? 1 + elasticFields : 0)));
    std::size_t nextCopy = 0;
    auto view = [&](const store::Table& table, int f) {
        return table.visibleFloatsView(f, copies[nextCopy++]);
    };

    compute::CorrelationInput in;
    in.sourceRec = view(source, 0);
    in.reference = view(source, ref);
    for (int f = 2; f < ws.sourceFieldCount(); ++f) {
        const auto entry = static_cast<std::size_t>(f - 1);
        in.sourceCurves.push_back(
            {entry < ws.catalog().size() ? ws.catalog()[entry].mnemonic : source.field(f).def.name,
             view(source, f)});
    }
    if (withElastic) {
        in.elasticRec = view(elastic, compute::kRec);
        for (int f = compute::kPoissonRatio; f <= compute::kSImpedance; ++f)
            in.elasticFields.push_back(
                {compute::kElasticFieldNames[static_cast<std::size_t>(f)], view(elastic, f)});
    }
    return compute::correlationRows(in);
}

}  // namespace lithora::workspace
