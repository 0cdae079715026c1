#include "core/export/litholog_table.h"

namespace lithora::exporter {

namespace {
constexpr int kTop = 0, kBottom = 1, kName = 2;
}  // namespace

std::vector<LithologInterval> readLithologTable(const store::Table& table) {
    std::vector<LithologInterval> out;
    if (!table.isOpen()) return out;
    const int n = table.recordCount();
    out.reserve(static_cast<std::size_t>(n));
    for (int row = 0; row < n; ++row)
        out.push_back(LithologInterval{table.cellFloat(row, kTop), table.cellFloat(row, kBottom),
                                       table.cellText(row, kName)});
    return out;
}

void storeLithologTable(const LithologModel& model, store::Table& table) {
    if (!table.isOpen()) table.open();
    if (table.state() != store::Table::State::Browse) table.cancel();
    for (int f = kTop; f <= kBottom; ++f) {
        table.field(f).minValue = model.minimum();
        table.field(f).maxValue = model.maximum();
    }
    std::vector<const LithologInterval*> wanted;
    for (const auto& iv : model.intervals())
        if (iv.complete()) wanted.push_back(&iv);
    const auto stored = readLithologTable(table);

    auto write = [&](const LithologInterval& iv) {
        table.setFloat(kTop, iv.top);
        table.setFloat(kBottom, iv.bottom);
        table.setText(kName, iv.lithology);
        table.post();
    };
    const std::size_t common = std::min(wanted.size(), stored.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (*wanted[i] == stored[i]) continue;
        table.moveTo(static_cast<int>(i));
        table.edit();
        write(*wanted[i]);
    }
    for (std::size_t i = stored.size(); i > wanted.size(); --i) {
        table.moveTo(static_cast<int>(i - 1));
        table.deleteRecord();
    }
    for (std::size_t i = stored.size(); i < wanted.size(); ++i) {
        table.append();
        write(*wanted[i]);
    }
}

}  // namespace lithora::exporter
