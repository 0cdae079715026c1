#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/store/column.h"
#include "core/store/field.h"
#include "core/store/subscription.h"
#include "core/store/table_file.h"

namespace lithora::store {

// A local table: one SQLite file under a bare file name (or none, for a memory table),
// whose live data is held column-wise in memory; the file is its durable copy, written as
// the durability says. Records have no key; their order is the stored order. Every
// operation works on the visible records (those the filter lets through) and throws
// StoreError with a message the caller can show.
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
    // Writes what the durability has kept back (a scratch table's records), then closes.
    // When that write fails the table stays open and nothing is lost.
    void close();
    // Writes a scratch table's records after bulk work; other tables are up to date.
    void flush();
    bool isOpen() const { return state_ != State::Inactive; }
    void deleteTable();  // the table must be closed
    void emptyTable();   // open or closed

    // Fields of the open table.
    int fieldCount() const { return static_cast<int>(data_.fields.size()); }
    Field& field(int index);
    const Field& field(int index) const;
    int findField(std::string_view name) const;          // case-insensitive; -1 when absent
    int fieldIndex(std::string_view name) const;         // throws "Field 'x' not found."
    void setDisplayLabel(int index, std::string label);  // kept in the file too
    // Several labels (field index, label) at once, written to the file in one go.
    void setDisplayLabels(std::vector<std::pair<int, std::string>> labels);

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
    // The same without a copy while the table is not filtered (the stored column of a float
    // field itself); otherwise gathered into storage. Valid while the column, or storage, is.
    std::span<const double> visibleFloatsView(int f, std::vector<double>& storage) const;
    // All records, stored order, for a float field: NaN for null.
    std::span<const double> floatColumn(int f) const;
    std::size_t totalRecordCount() const { return data_.rows; }
    // Cell of a visible row, without moving the cursor (what a grid or chart reads).
    bool cellIsNull(int row, int f) const;
    double cellFloat(int row, int f) const;
    std::string cellText(int row, int f, char decimalSeparator = '.') const;

    // Bulk load: replaces every record. Columns are given per field in field order:
    // float fields take a vector<double> (NaN null), integer fields a vector<int32_t>
    // (no nulls), text fields a vector<string> (empty: null). All must have one length.
    // The file is written once; the cursor goes to the first record.
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
    // The listener hears every change until the returned handle goes.
    [[nodiscard]] Subscription subscribe(TableListener listener);

    // One handler per table, called when the current record changes.
    void setAfterScroll(std::function<void()> handler) { afterScroll_ = std::move(handler); }
    void clearAfterScroll() { afterScroll_ = nullptr; }
    bool hasAfterScroll() const { return static_cast<bool>(afterScroll_); }

  private:
    void requireOpen() const;
    void requireField(int f) const;
    void requireEditing() const;
    std::string label() const;
    Column& column(int f) { return data_.columns[static_cast<std::size_t>(f)]; }
    const Column& column(int f) const { return data_.columns[static_cast<std::size_t>(f)]; }
    bool editing() const { return state_ == State::Edit || state_ == State::Insert; }
    std::size_t storedIndex(int row) const;
    void rebuildVisible();
    void rebuildNameIndex();
    void showFromFirst();
    void setCurrent(int row, bool notifyScroll = true);
    void startPending(State s);
    void checkValue(int f, double v) const;
    void notify(TableEvent e);
    bool locateRow(int f, const std::function<bool(int row)>& matches);

    std::filesystem::path path_;
    Durability durability_;
    std::unique_ptr<TableStorage> storage_;
    std::vector<FieldDef> defs_;
    TableImage data_;                                 // fields and records while open
    std::unordered_map<std::string, int> nameIndex_;  // folded name -> field
    std::vector<std::uint32_t> visible_;              // stored indices, used while filtered
    bool filtered_ = false;
    std::string filterText_;
    int filterField_ = -1;
    double filterLo_ = 0, filterHi_ = 0;
    State state_ = State::Inactive;
    int current_ = -1;
    bool eof_ = true, bof_ = true;
    std::vector<Cell> pending_;
    int pendingRow_ = -1;  // Insert: visible row the record goes before; Edit: its row
    int disabled_ = 0;
    bool changedWhileDisabled_ = false;
    std::shared_ptr<ListenerList> listeners_ = std::make_shared<ListenerList>();
    std::function<void()> afterScroll_;
};

}  // namespace lithora::store
