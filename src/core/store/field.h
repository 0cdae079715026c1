#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/error.h"
#include "core/store/column.h"

namespace lithora::store {

// Every failure of the store, with a message the caller can show.
class StoreError : public lithora::Error {
  public:
    using lithora::Error::Error;
};

// One field definition: a 32-bit integer, a 64-bit float or a text of `size` characters.
// A name is any bytes, NUL included; names are compared without regard to ASCII case.
struct FieldDef {
    std::string name;
    FieldType type = FieldType::Float;
    int size = 0;  // text fields only
    bool required = false;
};

// A field of an open table: its definition plus the properties a grid or chart reads.
// min/max apply to float fields and refuse edits outside them.
struct Field {
    FieldDef def;
    std::string displayLabel;  // empty: the grid shows the name
    bool visible = true;
    std::optional<double> minValue;
    std::optional<double> maxValue;
    const std::string& label() const { return displayLabel.empty() ? def.name : displayLabel; }
};

// The key under which a field name is unique: the name with ASCII letters in lower case.
std::string foldName(std::string_view name);

// A table's fields and records, as the open table holds them and as its file stores them.
// Invariant: one column per field, every column `rows` long.
struct TableImage {
    std::vector<Field> fields;
    std::vector<Column> columns;
    std::size_t rows = 0;

    static TableImage empty(const std::vector<FieldDef>& defs);
};

}  // namespace lithora::store
