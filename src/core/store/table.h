#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/error.h"

namespace lithora::store {

enum class FieldType { Integer, Float, Text };

// One field definition: a 32-bit integer, a 64-bit float or a text of `size` characters.
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

// A change a grid or chart follows. Row numbers are 0-based positions among the visible
// records. While controls are disabled no event is sent; enabling them sends one Reset.
struct TableEvent {
    enum Kind { Reset, RowChanged, RowInserted, RowRemoved, CurrentChanged, Closed };
    Kind kind = Reset;
    int row = -1;
};

// How much a table's file is trusted to survive a crash. Scratch tables (the source table,
// the elastic table) are written once after bulk work with fast settings; Full tables (the
// litholog) are written synchronously after every posted edit. Memory tables have no file
// at all: a batch run that throws its tables away at the end has no use for one. Such a
// table still "exists" from createTable to deleteTable and keeps its records while closed,
// so the code that drives it is the same as for a table on disk; its path only names it.
enum class Durability { Memory, Scratch, Full };

// A local table: one SQLite file under a bare file name, whose live data is held column-wise
// in memory. Records have no key; their order is the stored order. Every operation works on
// the visible records (those the filter lets through) and throws StoreError with a message
// the caller can show.
class StoreError : public lithora::Error {
  public:
    using lithora::Error::Error;
};

class Table {
  public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Table(std::filesystem::path file = {}, Durability durability = Durability::Scratch);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // A created, closed table that lives only in memory (see Durability::Memory); name is
    // what messages call it. Open it to use it.
    static std::unique_ptr<Table> createInMemory(std::string name, std::vector<FieldDef> fields);

    const std::filesystem::path& path() const { return path_; }
    Durability durability() const { return durability_; }
    bool inMemory() const { return durability_ == Durability::Memory; }
    void setPath(std::filesystem::path file);  // table must be closed

    // Definitions used by createTable.
    void clearFieldDefs() { defs_.clear(); }
    void addFieldDef(FieldDef def) { defs_.push_back(std::move(def)); }
    const std::vector<FieldDef>& fieldDefs() const { return defs_; }

    // Creates an empty table file from the definitions. Refuses an existing file, an empty
    // or duplicate field name (compared without regard to case) and an empty definition list.
    void createTable();
    bool exists() const;  // the file exists, open or not
    void open();
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    void deleteTable();  // the table must be closed
    void emptyTable();   // open or closed

    // Fields of the open table.
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    Field& field(int index);
    const Field& field(int index) const;
    int findField(std::string_view name) const;          // case-insensitive; -1 when absent
    int fieldIndex(std::string_view name) const;         // throws "Field 'x' not found."
    void setDisplayLabel(int index, std::string label);  // kept in the file too

    // Navigation over the visible records, in stored order.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty() const { return recordCount() == 0; }
    int recordCount() const;  // visible records
    int recNo() const;        // 1-based position of the current record; 0 when none
    void moveTo(int row);     // 0-based visible row
    int currentRow() const { return current_; }
    State state() const { return state_; }

    // Editing. Moving or starting another record posts the pending one.
    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void deleteRecord();

    // Values of the current record (or of the pending one while editing).
    bool isNull(int f) const;
    double asFloat(int f) const;  // null reads as 0 for floats, like an empty variant
    std::int32_t asInteger(int f) const;
    std::string asText(int f, char decimalSeparator = '.') const;  // null: empty text
    void setFloat(int f, double value);
    void setInteger(int f, std::int32_t value);
    // Empty text makes the field null; a number field parses the text.
    void setText(int f, std::string_view text, char decimalSeparator = '.');
    void setNull(int f);

    // Moves to the first visible record whose field equals value exactly.
    bool locate(int f, double value);
    bool locate(int f, std::string_view text);

    // Filter "Field>=lo and Field<=hi", bounds inclusive. The text form takes numbers with
    // '.', the typed form takes the numbers themselves.
    void setFilterText(std::string_view expression);
    void setFilterRange(int f, double lo, double hi);
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    const std::string& filterText() const { return filterText_; }

    // Columns. Visible values of a float field (NaN for null), contiguous.
    std::vector<double> visibleFloats(int f) const;
    // All records, stored order, for a float field: NaN for null.
    std::span<const double> floatColumn(int f) const;
    std::size_t totalRecordCount() const { return rows_; }
    // Cell of a visible row, without moving the cursor (what a grid or chart reads).
    bool cellIsNull(int row, int f) const;
    double cellFloat(int row, int f) const;
    std::string cellText(int row, int f, char decimalSeparator = '.') const;

    // Bulk load: replaces every record. Columns are given per field in field order:
    // float fields take a vector<double> (NaN null), integer fields a vector<int32_t>
    // (no nulls), text fields a vector<string> (empty: null). All must have one length.
    // The file is written once, in one transaction; the cursor goes to the first record.
    struct BulkColumn {
        std::vector<double> floats;
        std::vector<std::int32_t> integers;
        std::vector<std::string> texts;
    };
    void loadColumns(std::vector<BulkColumn> columns);

    // Linked controls stop and resume following the table during bulk work.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }
    int subscribe(std::function<void(const TableEvent&)> listener);
    void unsubscribe(int id);

    // One handler per table, called when the current record changes.
    void setAfterScroll(std::function<void()> handler) { afterScroll_ = std::move(handler); }
    void clearAfterScroll() { afterScroll_ = nullptr; }
    bool hasAfterScroll() const { return static_cast<bool>(afterScroll_); }

  private:
    struct Column {
        std::vector<double> f;
        std::vector<std::int32_t> i;
        std::vector<std::string> t;
        std::vector<std::uint8_t> null;  // integer and text columns
    };
    struct Pending {
        std::vector<std::optional<double>> num;
        std::vector<std::optional<std::string>> text;
    };

    void requireOpen() const;
    void requireField(int f) const;
    std::size_t storedIndex(int row) const;
    void rebuildVisible();
    void showFromFirst();
    void setCurrent(int row, bool notifyScroll = true);
    void startPending(State s);
    void checkValue(int f, double v) const;
    void notify(TableEvent e);
    void writeFile();
    void readFile();
    bool pendingIsNull(int f) const;
    bool locateRow(int f, const std::function<bool(int row)>& matches);

    // What a memory table keeps while closed, in place of a file.
    struct Image {
        std::vector<Field> fields;
        std::vector<Column> columns;
        std::size_t rows = 0;
    };

    std::filesystem::path path_;
    Durability durability_;
    std::optional<Image> memory_;  // memory tables: set from createTable to deleteTable
    std::vector<FieldDef> defs_;
    std::vector<Field> fields_;
    std::vector<Column> columns_;
    std::size_t rows_ = 0;
    std::vector<std::uint32_t> visible_;  // stored indices, used while filtered
    bool filtered_ = false;
    std::string filterText_;
    int filterField_ = -1;
    double filterLo_ = 0, filterHi_ = 0;
    State state_ = State::Inactive;
    int current_ = -1;
    bool eof_ = true, bof_ = true;
    Pending pending_;
    int pendingRow_ = -1;  // Insert: visible row the record goes before; Edit: its row
    int disabled_ = 0;
    bool changedWhileDisabled_ = false;
    std::map<int, std::function<void(const TableEvent&)>> listeners_;
    int nextListener_ = 1;
    std::function<void()> afterScroll_;
};

}  // namespace lithora::store
