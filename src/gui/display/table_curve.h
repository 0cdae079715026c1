#pragma once
#include <string>
#include <vector>

#include "gui/display/depth_curve.h"

namespace lithora::store {
class Table;
}

// The curve of one field of a work table, read from the table at every drawing: depth from
// field 1, values from the named field (found by name, so it survives a table made anew).
// An unfiltered table hands out its columns themselves; while the table is filtered the
// curve keeps a copy of the visible values, taken again after changed(). A closed table,
// or a name that is no number field, has no samples. The table must outlive the curve.
class TableCurve : public CurveSource {
  public:
    TableCurve(const lithora::store::Table& table, std::string field);

    CurveView view() const override;
    // The visible records changed: a filtered copy is taken again when next drawn.
    void changed();
    const lithora::store::Table& table() const { return table_; }
    const std::string& field() const { return field_; }

  private:
    const lithora::store::Table& table_;
    std::string field_;
    mutable bool stale_ = true;
    mutable std::vector<double> depths_;
    mutable std::vector<double> values_;
};
