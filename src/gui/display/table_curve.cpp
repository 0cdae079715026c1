#include "gui/display/table_curve.h"

#include "core/store/table.h"

TableCurve::TableCurve(const lithora::store::Table& table, std::string field)
    : table_(table), field_(std::move(field)) {}

CurveView TableCurve::view() const {
    try {
        if (!table_.isOpen() || table_.fieldCount() < 2) return {};
        const int f = table_.findField(field_);
        if (f < 1) return {};
        if (!table_.filtered()) return {table_.floatColumn(1), table_.floatColumn(f)};
        if (stale_) {
            depths_ = table_.visibleFloats(1);
            values_ = table_.visibleFloats(f);
            stale_ = false;
        }
        return {depths_, values_};
    } catch (const std::exception&) {
        return {};  // a field that is no number has no curve
    }
}

void TableCurve::changed() {
    stale_ = true;
    depths_.clear();
    values_.clear();
}
