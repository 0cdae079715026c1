#include "core/workspace/correlation_list.h"

#include "core/compute/elastic.h"
#include "core/workspace/workspace.h"

namespace lithora::workspace {

std::vector<compute::CorrelationRow> correlationList(const Workspace& ws,
                                                     const std::string& reference) {
    const auto& source = ws.source();
    if (!source.isOpen() || ws.sourceFieldCount() < 2) return {};
    const int ref = source.fieldIndex(reference);

    // The columns are copied out once (a filtered table hands out its visible records) and
    // must outlive the spans of the input.
    const std::vector<double> sourceRec = source.visibleFloats(0);
    const std::vector<double> refValues = source.visibleFloats(ref);
    std::vector<std::vector<double>> sourceColumns;
    std::vector<std::string> sourceNames;
    for (int f = 2; f < ws.sourceFieldCount(); ++f) {
        sourceColumns.push_back(source.visibleFloats(f));
        const auto entry = static_cast<std::size_t>(f - 1);
        sourceNames.push_back(entry < ws.catalog().size() ? ws.catalog()[entry].mnemonic
                                                          : source.field(f).def.name);
    }

    const auto& elastic = ws.elastic();
    std::vector<double> elasticRec;
    std::vector<std::vector<double>> elasticColumns;
    if (elastic.isOpen() && !elastic.isEmpty()) {
        elasticRec = elastic.visibleFloats(compute::kRec);
        for (int f = compute::kPoissonRatio; f <= compute::kSImpedance; ++f)
            elasticColumns.push_back(elastic.visibleFloats(f));
    }

    compute::CorrelationInput in;
    in.sourceRec = sourceRec;
    in.reference = refValues;
    for (std::size_t i = 0; i < sourceColumns.size(); ++i)
        in.sourceCurves.push_back({sourceNames[i], sourceColumns[i]});
    in.elasticRec = elasticRec;
    for (std::size_t i = 0; i < elasticColumns.size(); ++i)
        in.elasticFields.push_back(
            {compute::kElasticFieldNames[static_cast<std::size_t>(compute::kPoissonRatio) + i],
             elasticColumns[i]});
    return compute::correlationRows(in);
}

}  // namespace lithora::workspace
