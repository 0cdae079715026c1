#include "core/store/table.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>

#include "core/common/number_text.h"

namespace lithora::store {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t kChunkRows = 65536;
constexpr int kFormatVersion = 1;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    return lower(a) == lower(b);
}

std::string fileLabel(const std::filesystem::path& p) {
    return p.filename().string();
}

// A SQLite connection that closes itself; every call checks and throws StoreError.
class Db {
  public:
    Db(const std::filesystem::path& file, bool create, const std::string& label) : label_(label) {
        int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(file.string().c_str(), &db_, flags, nullptr) != SQLITE_OK) {
            std::string msg = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            db_ = nullptr;
            throw StoreError("Cannot open table '" + label_ + "': " + msg + ".");
        }
        sqlite3_busy_timeout(db_, 2000);
    }
    ~Db() { sqlite3_close(db_); }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    void exec(const char* sql) {
        char* err = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &err) != SQLITE_OK) {
            std::string msg = err ? err : sqlite3_errmsg(db_);
            sqlite3_free(err);
            fail(msg);
        }
    }
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) != SQLITE_OK) fail(sqlite3_errmsg(db_));
        return st;
    }
    void step(sqlite3_stmt* st) {
        int rc = sqlite3_step(st);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) fail(sqlite3_errmsg(db_));
        sqlite3_reset(st);
    }
    [[noreturn]] void fail(const std::string& msg) {
        throw StoreError("Table '" + label_ + "' cannot be read or written: " + msg + ".");
    }
    sqlite3* get() { return db_; }

  private:
    sqlite3* db_ = nullptr;
    std::string label_;
};

struct Stmt {
    sqlite3_stmt* st;
    ~Stmt() { sqlite3_finalize(st); }
};

void appendU32(std::string& out, std::uint32_t v) {
    char b[4];
    std::memcpy(b, &v, 4);
    out.append(b, 4);
}

}  // namespace

Table::Table(std::filesystem::path file, Durability durability)
    : path_(std::move(file)), durability_(durability) {}

Table::~Table() = default;

std::unique_ptr<Table> Table::createInMemory(std::string name, std::vector<FieldDef> fields) {
    auto t = std::make_unique<Table>(std::filesystem::path(std::move(name)), Durability::Memory);
    for (auto& d : fields) t->addFieldDef(std::move(d));
    t->createTable();
    return t;
}

void Table::setPath(std::filesystem::path file) {
    if (isOpen()) throw StoreError("Cannot rename the open table '" + fileLabel(path_) + "'.");
    path_ = std::move(file);
}

bool Table::exists() const {
    if (inMemory()) return memory_.has_value();
    std::error_code ec;
    return !path_.empty() && std::filesystem::exists(path_, ec);
}

void Table::createTable() {
    if (exists()) throw StoreError("Table '" + fileLabel(path_) + "' already exists.");
    if (defs_.empty()) throw StoreError("Table '" + fileLabel(path_) + "' has no fields.");
    for (std::size_t i = 0; i < defs_.size(); ++i) {
        if (trimView(defs_[i].name).empty())
            throw StoreError("Invalid field name '" + defs_[i].name + "'.");
        for (std::size_t j = 0; j < i; ++j)
            if (sameName(defs_[i].name, defs_[j].name))
                throw StoreError("Duplicate field name '" + defs_[i].name + "'.");
    }
    if (inMemory()) {
        Image image;
        for (const auto& d : defs_) image.fields.push_back(Field{d, {}, true, {}, {}});
        image.columns.assign(image.fields.size(), Column{});
        memory_ = std::move(image);
        return;
    }
    // Build an in-memory image of the new table and write it.
    std::vector<Field> savedFields = std::move(fields_);
    std::vector<Column> savedColumns = std::move(columns_);
    std::size_t savedRows = rows_;
    fields_.clear();
    for (const auto& d : defs_) fields_.push_back(Field{d, {}, true, {}, {}});
    columns_.assign(fields_.size(), Column{});
    rows_ = 0;
    try {
        writeFile();
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        fields_ = std::move(savedFields);
        columns_ = std::move(savedColumns);
        rows_ = savedRows;
        throw;
    }
    if (!isOpen()) {
        fields_.clear();
        columns_.clear();
    } else {
        fields_ = std::move(savedFields);
        columns_ = std::move(savedColumns);
        rows_ = savedRows;
    }
}

void Table::open() {
    if (isOpen()) return;
    if (!exists()) throw StoreError("Table '" + fileLabel(path_) + "' does not exist.");
    readFile();
    state_ = State::Browse;
    filtered_ = filtered_ && filterField_ >= 0 && filterField_ < fieldCount();
    rebuildVisible();
    current_ = recordCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = recordCount() == 0;
    notify({TableEvent::Reset});
}

void Table::close() {
    if (!isOpen()) return;
    if (state_ == State::Edit || state_ == State::Insert) cancel();
    state_ = State::Inactive;
    if (inMemory() && memory_) *memory_ = Image{std::move(fields_), std::move(columns_), rows_};
    fields_.clear();
    columns_.clear();
    rows_ = 0;
    visible_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    notify({TableEvent::Closed});
}

void Table::deleteTable() {
    if (isOpen()) throw StoreError("Cannot delete the open table '" + fileLabel(path_) + "'.");
    if (inMemory()) {
        memory_.reset();
        return;
    }
    std::error_code ec;
    if (!std::filesystem::remove(path_, ec) && ec)
        throw StoreError("Cannot delete table '" + fileLabel(path_) + "': " + ec.message() + ".");
}

void Table::emptyTable() {
    if (isOpen()) {
        if (state_ == State::Edit || state_ == State::Insert) cancel();
        for (auto& c : columns_) c = Column{};
        rows_ = 0;
        rebuildVisible();
        current_ = -1;
        eof_ = bof_ = true;
        writeFile();
        notify({TableEvent::Reset});
        return;
    }
    if (!exists()) throw StoreError("Table '" + fileLabel(path_) + "' does not exist.");
    if (inMemory()) {
        for (auto& c : memory_->columns) c = Column{};
        memory_->rows = 0;
        return;
    }
    Db db(path_, false, fileLabel(path_));
    db.exec(
        "BEGIN; DELETE FROM lithora_columns; UPDATE lithora_meta SET value = 0 WHERE key = "
        "'rows'; COMMIT;");
}

// ---- files ----------------------------------------------------------------------------

void Table::writeFile() {
    if (inMemory()) return;  // the live columns are the table
    Db db(path_, true, fileLabel(path_));
    if (durability_ == Durability::Scratch)
        db.exec("PRAGMA journal_mode=MEMORY; PRAGMA synchronous=OFF;");
    else
        db.exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;");
    db.exec(
        "BEGIN;"
        "CREATE TABLE IF NOT EXISTS lithora_meta(key TEXT PRIMARY KEY, value INTEGER);"
        "CREATE TABLE IF NOT EXISTS lithora_fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL,"
        " type INTEGER NOT NULL, size INTEGER NOT NULL, required INTEGER NOT NULL, label TEXT,"
        " visible INTEGER NOT NULL, minv REAL, maxv REAL);"
        "CREATE TABLE IF NOT EXISTS lithora_columns(field INTEGER NOT NULL, chunk INTEGER NOT "
        "NULL, data BLOB, nulls BLOB, PRIMARY KEY(field, chunk));"
        "DELETE FROM lithora_meta; DELETE FROM lithora_fields; DELETE FROM lithora_columns;");
    {
        Stmt meta{db.prepare("INSERT INTO lithora_meta(key, value) VALUES(?, ?)")};
        sqlite3_bind_text(meta.st, 1, "version", -1, SQLITE_STATIC);
        sqlite3_bind_int(meta.st, 2, kFormatVersion);
        db.step(meta.st);
        sqlite3_bind_text(meta.st, 1, "rows", -1, SQLITE_STATIC);
        sqlite3_bind_int64(meta.st, 2, static_cast<sqlite3_int64>(rows_));
        db.step(meta.st);
    }
    {
        Stmt fs{db.prepare("INSERT INTO lithora_fields VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)")};
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const Field& f = fields_[i];
            sqlite3_bind_int(fs.st, 1, static_cast<int>(i));
            sqlite3_bind_text(fs.st, 2, f.def.name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(fs.st, 3, static_cast<int>(f.def.type));
            sqlite3_bind_int(fs.st, 4, f.def.size);
            sqlite3_bind_int(fs.st, 5, f.def.required ? 1 : 0);
            sqlite3_bind_text(fs.st, 6, f.displayLabel.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(fs.st, 7, f.visible ? 1 : 0);
            if (f.minValue)
                sqlite3_bind_double(fs.st, 8, *f.minValue);
            else
                sqlite3_bind_null(fs.st, 8);
            if (f.maxValue)
                sqlite3_bind_double(fs.st, 9, *f.maxValue);
            else
                sqlite3_bind_null(fs.st, 9);
            db.step(fs.st);
        }
    }
    {
        Stmt cs{db.prepare("INSERT INTO lithora_columns VALUES(?, ?, ?, ?)")};
        for (std::size_t fi = 0; fi < fields_.size(); ++fi) {
            const Column& c = columns_[fi];
            for (std::size_t start = 0, chunk = 0; start < rows_; start += kChunkRows, ++chunk) {
                std::size_t n = std::min(kChunkRows, rows_ - start);
                std::string text;
                sqlite3_bind_int(cs.st, 1, static_cast<int>(fi));
                sqlite3_bind_int(cs.st, 2, static_cast<int>(chunk));
                switch (fields_[fi].def.type) {
                    case FieldType::Float:
                        sqlite3_bind_blob(cs.st, 3, c.f.data() + start,
                                          static_cast<int>(n * sizeof(double)), SQLITE_STATIC);
                        break;
                    case FieldType::Integer:
                        sqlite3_bind_blob(cs.st, 3, c.i.data() + start,
                                          static_cast<int>(n * sizeof(std::int32_t)),
                                          SQLITE_STATIC);
                        break;
                    case FieldType::Text:
                        for (std::size_t r = start; r < start + n; ++r) {
                            appendU32(text, static_cast<std::uint32_t>(c.t[r].size()));
                            text += c.t[r];
                        }
                        sqlite3_bind_blob(cs.st, 3, text.data(), static_cast<int>(text.size()),
                                          SQLITE_STATIC);
                        break;
                }
                if (fields_[fi].def.type == FieldType::Float)
                    sqlite3_bind_null(cs.st, 4);
                else
                    sqlite3_bind_blob(cs.st, 4, c.null.data() + start, static_cast<int>(n),
                                      SQLITE_STATIC);
                db.step(cs.st);
            }
        }
    }
    db.exec("COMMIT;");
}

void Table::readFile() {
    if (inMemory()) {
        fields_ = std::move(memory_->fields);
        columns_ = std::move(memory_->columns);
        rows_ = memory_->rows;
        *memory_ = Image{};
        return;
    }
    const std::string label = fileLabel(path_);
    auto damaged = [&label]() -> StoreError {
        return StoreError("Table '" + label + "' is damaged or is not a table file.");
    };
    Db db(path_, false, label);
    std::vector<Field> fields;
    std::vector<Column> columns;
    std::size_t rows = 0;
    try {
        {
            Stmt st{db.prepare("SELECT value FROM lithora_meta WHERE key = 'rows'")};
            if (sqlite3_step(st.st) != SQLITE_ROW) throw damaged();
            sqlite3_int64 r = sqlite3_column_int64(st.st, 0);
            if (r < 0 || r > std::numeric_limits<std::int32_t>::max()) throw damaged();
            rows = static_cast<std::size_t>(r);
        }
        {
            Stmt st{
                db.prepare("SELECT pos, name, type, size, required, label, visible, minv, "
                           "maxv FROM lithora_fields ORDER BY pos")};
            while (sqlite3_step(st.st) == SQLITE_ROW) {
                Field f;
                if (sqlite3_column_int(st.st, 0) != static_cast<int>(fields.size()))
                    throw damaged();
                auto txt = [&](int col) {
                    const unsigned char* p = sqlite3_column_text(st.st, col);
                    return p ? std::string(reinterpret_cast<const char*>(p)) : std::string();
                };
                f.def.name = txt(1);
                int type = sqlite3_column_int(st.st, 2);
                if (type < 0 || type > 2) throw damaged();
                f.def.type = static_cast<FieldType>(type);
                f.def.size = sqlite3_column_int(st.st, 3);
                f.def.required = sqlite3_column_int(st.st, 4) != 0;
                f.displayLabel = txt(5);
                f.visible = sqlite3_column_int(st.st, 6) != 0;
                if (sqlite3_column_type(st.st, 7) != SQLITE_NULL)
                    f.minValue = sqlite3_column_double(st.st, 7);
                if (sqlite3_column_type(st.st, 8) != SQLITE_NULL)
                    f.maxValue = sqlite3_column_double(st.st, 8);
                fields.push_back(std::move(f));
            }
        }
        if (fields.empty()) throw damaged();
        columns.assign(fields.size(), Column{});
        for (std::size_t fi = 0; fi < fields.size(); ++fi) {
            Column& c = columns[fi];
            switch (fields[fi].def.type) {
                case FieldType::Float:
                    c.f.reserve(rows);
                    break;
                case FieldType::Integer:
                    c.i.reserve(rows);
                    c.null.reserve(rows);
                    break;
                case FieldType::Text:
                    c.t.reserve(rows);
                    c.null.reserve(rows);
                    break;
            }
        }
        Stmt st{db.prepare("SELECT field, data, nulls FROM lithora_columns ORDER BY field, chunk")};
        while (sqlite3_step(st.st) == SQLITE_ROW) {
            int fi = sqlite3_column_int(st.st, 0);
            if (fi < 0 || fi >= static_cast<int>(fields.size())) throw damaged();
            Column& c = columns[static_cast<std::size_t>(fi)];
            const auto* data = static_cast<const char*>(sqlite3_column_blob(st.st, 1));
            auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(st.st, 1));
            const auto* nulls = static_cast<const std::uint8_t*>(sqlite3_column_blob(st.st, 2));
            auto nullBytes = static_cast<std::size_t>(sqlite3_column_bytes(st.st, 2));
            std::size_t n = 0;
            switch (fields[static_cast<std::size_t>(fi)].def.type) {
                case FieldType::Float: {
                    if (bytes % sizeof(double)) throw damaged();
                    n = bytes / sizeof(double);
                    if (c.f.size() + n > rows) throw damaged();
                    std::size_t at = c.f.size();
                    c.f.resize(at + n);
                    if (n) std::memcpy(c.f.data() + at, data, bytes);
                    break;
                }
                case FieldType::Integer: {
                    if (bytes % sizeof(std::int32_t)) throw damaged();
                    n = bytes / sizeof(std::int32_t);
                    if (c.i.size() + n > rows || nullBytes != n) throw damaged();
                    std::size_t at = c.i.size();
                    c.i.resize(at + n);
                    if (n) std::memcpy(c.i.data() + at, data, bytes);
                    c.null.insert(c.null.end(), nulls, nulls + n);
                    break;
                }
                case FieldType::Text: {
                    std::size_t pos = 0;
                    while (pos < bytes) {
                        if (bytes - pos < 4) throw damaged();
                        std::uint32_t len;
                        std::memcpy(&len, data + pos, 4);
                        pos += 4;
                        if (len > bytes - pos) throw damaged();
                        c.t.emplace_back(data + pos, len);
                        pos += len;
                        ++n;
                    }
                    if (c.t.size() > rows || nullBytes != n) throw damaged();
                    c.null.insert(c.null.end(), nulls, nulls + n);
                    break;
                }
            }
        }
        for (std::size_t fi = 0; fi < fields.size(); ++fi) {
            const Column& c = columns[fi];
            std::size_t n = fields[fi].def.type == FieldType::Float     ? c.f.size()
                            : fields[fi].def.type == FieldType::Integer ? c.i.size()
                                                                        : c.t.size();
            if (n != rows) throw damaged();
        }
    } catch (const StoreError&) {
        throw;
    }
    fields_ = std::move(fields);
    columns_ = std::move(columns);
    rows_ = rows;
}

// ---- fields -----------------------------------------------------------------------------

void Table::requireOpen() const {
    if (!isOpen()) throw StoreError("Table '" + fileLabel(path_) + "' is not open.");
}

void Table::requireField(int f) const {
    requireOpen();
    if (f < 0 || f >= fieldCount())
        throw StoreError("Field index " + std::to_string(f) + " out of range.");
}

Field& Table::field(int index) {
    requireField(index);
    return fields_[static_cast<std::size_t>(index)];
}

const Field& Table::field(int index) const {
    requireField(index);
    return fields_[static_cast<std::size_t>(index)];
}

int Table::findField(std::string_view name) const {
    for (int i = 0; i < fieldCount(); ++i)
        if (sameName(fields_[static_cast<std::size_t>(i)].def.name, name)) return i;
    return -1;
}

int Table::fieldIndex(std::string_view name) const {
    requireOpen();
    int i = findField(name);
    if (i < 0) throw StoreError("Field '" + std::string(name) + "' not found.");
    return i;
}

void Table::setDisplayLabel(int index, std::string label) {
    field(index).displayLabel = std::move(label);
}

// ---- navigation ------------------------------------------------------------------------

int Table::recordCount() const {
    if (!isOpen()) return 0;
    return static_cast<int>(filtered_ ? visible_.size() : rows_);
}

int Table::recNo() const {
    return current_ >= 0 ? current_ + 1 : 0;
}

std::size_t Table::storedIndex(int row) const {
    return filtered_ ? visible_[static_cast<std::size_t>(row)] : static_cast<std::size_t>(row);
}

void Table::rebuildVisible() {
    visible_.clear();
    if (!filtered_ || filterField_ < 0 || filterField_ >= fieldCount()) {
        if (filtered_ && filterField_ >= fieldCount()) filtered_ = false;
        return;
    }
    const Column& c = columns_[static_cast<std::size_t>(filterField_)];
    const FieldType type = fields_[static_cast<std::size_t>(filterField_)].def.type;
    for (std::size_t r = 0; r < rows_; ++r) {
        double v;
        if (type == FieldType::Float)
            v = c.f[r];
        else if (type == FieldType::Integer)
            v = c.null[r] ? kNaN : c.i[r];
        else
            continue;
        if (v >= filterLo_ && v <= filterHi_) visible_.push_back(static_cast<std::uint32_t>(r));
    }
}

void Table::setCurrent(int row, bool notifyScroll) {
    int old = current_;
    current_ = row;
    if (old != row) {
        notify({TableEvent::CurrentChanged, row});
        if (notifyScroll && afterScroll_) afterScroll_();
    }
}

void Table::first() {
    requireOpen();
    if (state_ != State::Browse) post();
    bof_ = true;
    eof_ = recordCount() == 0;
    setCurrent(recordCount() > 0 ? 0 : -1);
}

void Table::last() {
    requireOpen();
    if (state_ != State::Browse) post();
    eof_ = true;
    bof_ = recordCount() == 0;
    setCurrent(recordCount() - 1);
}

void Table::next() {
    requireOpen();
    if (state_ != State::Browse) post();
    if (current_ + 1 < recordCount()) {
        bof_ = false;
        eof_ = false;
        setCurrent(current_ + 1);
    } else {
        eof_ = true;
    }
}

void Table::prior() {
    requireOpen();
    if (state_ != State::Browse) post();
    if (current_ > 0) {
        bof_ = false;
        eof_ = false;
        setCurrent(current_ - 1);
    } else {
        bof_ = true;
    }
}

void Table::moveTo(int row) {
    requireOpen();
    if (state_ != State::Browse) post();
    if (row < 0 || row >= recordCount()) throw StoreError("Record out of range.");
    bof_ = row == 0;
    eof_ = false;
    setCurrent(row);
}

// ---- editing ---------------------------------------------------------------------------

void Table::startPending(State s) {
    pending_.num.assign(fields_.size(), std::nullopt);
    pending_.text.assign(fields_.size(), std::nullopt);
    state_ = s;
}

void Table::append() {
    requireOpen();
    if (state_ != State::Browse) post();
    startPending(State::Insert);
    pendingRow_ = recordCount();
}

void Table::insert() {
    requireOpen();
    if (state_ != State::Browse) post();
    startPending(State::Insert);
    pendingRow_ = current_ >= 0 ? current_ : 0;
}

void Table::edit() {
    requireOpen();
    if (state_ == State::Edit || state_ == State::Insert) return;
    if (current_ < 0) throw StoreError("Table '" + fileLabel(path_) + "' has no current record.");
    startPending(State::Edit);
    std::size_t r = storedIndex(current_);
    for (std::size_t f = 0; f < fields_.size(); ++f) {
        const Column& c = columns_[f];
        switch (fields_[f].def.type) {
            case FieldType::Float:
                if (!std::isnan(c.f[r])) pending_.num[f] = c.f[r];
                break;
            case FieldType::Integer:
                if (!c.null[r]) pending_.num[f] = c.i[r];
                break;
            case FieldType::Text:
                if (!c.null[r]) pending_.text[f] = c.t[r];
                break;
        }
    }
    pendingRow_ = current_;
}

void Table::post() {
    requireOpen();
    if (state_ == State::Browse) return;
    for (std::size_t f = 0; f < fields_.size(); ++f) {
        if (fields_[f].def.required && pendingIsNull(static_cast<int>(f)))
            throw StoreError("Field '" + fields_[f].def.name + "' must have a value.");
    }
    std::size_t at;
    const bool inserting = state_ == State::Insert;
    if (inserting) {
        at = pendingRow_ >= recordCount() ? rows_ : storedIndex(pendingRow_);
        for (std::size_t f = 0; f < fields_.size(); ++f) {
            Column& c = columns_[f];
            auto pos = static_cast<std::ptrdiff_t>(at);
            switch (fields_[f].def.type) {
                case FieldType::Float:
                    c.f.insert(c.f.begin() + pos, kNaN);
                    break;
                case FieldType::Integer:
                    c.i.insert(c.i.begin() + pos, 0);
                    c.null.insert(c.null.begin() + pos, 1);
                    break;
                case FieldType::Text:
                    c.t.insert(c.t.begin() + pos, std::string());
                    c.null.insert(c.null.begin() + pos, 1);
                    break;
            }
        }
        ++rows_;
    } else {
        at = storedIndex(pendingRow_);
    }
    for (std::size_t f = 0; f < fields_.size(); ++f) {
        Column& c = columns_[f];
        switch (fields_[f].def.type) {
            case FieldType::Float:
                c.f[at] = pending_.num[f] ? *pending_.num[f] : kNaN;
                break;
            case FieldType::Integer:
                c.null[at] = pending_.num[f] ? 0 : 1;
                c.i[at] = pending_.num[f] ? static_cast<std::int32_t>(*pending_.num[f]) : 0;
                break;
            case FieldType::Text:
                c.null[at] = pending_.text[f] ? 0 : 1;
                c.t[at] = pending_.text[f] ? *pending_.text[f] : std::string();
                break;
        }
    }
    state_ = State::Browse;
    rebuildVisible();
    int row = static_cast<int>(at);
    if (filtered_) {
        auto it = std::lower_bound(visible_.begin(), visible_.end(), at);
        row = static_cast<int>(it - visible_.begin());
        if (row >= recordCount()) row = recordCount() - 1;
    }
    eof_ = bof_ = false;
    writeFile();
    notify({inserting ? TableEvent::RowInserted : TableEvent::RowChanged, row});
    setCurrent(row);
}

void Table::cancel() {
    if (state_ == State::Edit || state_ == State::Insert) state_ = State::Browse;
    pendingRow_ = -1;
}

void Table::deleteRecord() {
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (current_ < 0) throw StoreError("Table '" + fileLabel(path_) + "' has no current record.");
    std::size_t at = storedIndex(current_);
    auto pos = static_cast<std::ptrdiff_t>(at);
    for (std::size_t f = 0; f < fields_.size(); ++f) {
        Column& c = columns_[f];
        switch (fields_[f].def.type) {
            case FieldType::Float:
                c.f.erase(c.f.begin() + pos);
                break;
            case FieldType::Integer:
                c.i.erase(c.i.begin() + pos);
                c.null.erase(c.null.begin() + pos);
                break;
            case FieldType::Text:
                c.t.erase(c.t.begin() + pos);
                c.null.erase(c.null.begin() + pos);
                break;
        }
    }
    --rows_;
    int removed = current_;
    rebuildVisible();
    writeFile();
    notify({TableEvent::RowRemoved, removed});
    int row = std::min(removed, recordCount() - 1);
    current_ = -2;  // force the scroll notification for the record that moved up
    eof_ = recordCount() == 0;
    setCurrent(row);
}

// ---- values ----------------------------------------------------------------------------

bool Table::pendingIsNull(int f) const {
    auto i = static_cast<std::size_t>(f);
    return fields_[i].def.type == FieldType::Text ? !pending_.text[i] : !pending_.num[i];
}

bool Table::isNull(int f) const {
    requireField(f);
    if (state_ == State::Edit || state_ == State::Insert) return pendingIsNull(f);
    if (current_ < 0) return true;
    return cellIsNull(current_, f);
}

double Table::asFloat(int f) const {
    requireField(f);
    if (state_ == State::Edit || state_ == State::Insert) {
        auto i = static_cast<std::size_t>(f);
        if (fields_[i].def.type == FieldType::Text) {
            auto v = pending_.text[i] ? parseNumber(*pending_.text[i]) : std::nullopt;
            return v.value_or(0.0);
        }
        return pending_.num[i].value_or(0.0);
    }
    if (current_ < 0 || cellIsNull(current_, f)) return 0.0;
    return cellFloat(current_, f);
}

std::int32_t Table::asInteger(int f) const {
    double v = asFloat(f);
    if (!(v >= std::numeric_limits<std::int32_t>::min() &&
          v <= std::numeric_limits<std::int32_t>::max()))
        throw StoreError("'" + numberText(v) + "' is not a valid integer value for field '" +
                         field(f).def.name + "'.");
    return static_cast<std::int32_t>(std::llround(v));
}

std::string Table::asText(int f, char decimalSeparator) const {
    requireField(f);
    if (state_ == State::Edit || state_ == State::Insert) {
        auto i = static_cast<std::size_t>(f);
        if (fields_[i].def.type == FieldType::Text) return pending_.text[i].value_or("");
        if (!pending_.num[i]) return {};
        if (fields_[i].def.type == FieldType::Integer)
            return std::to_string(static_cast<std::int64_t>(*pending_.num[i]));
        return numberText(*pending_.num[i], decimalSeparator);
    }
    if (current_ < 0) return {};
    return cellText(current_, f, decimalSeparator);
}

void Table::checkValue(int f, double v) const {
    const Field& fd = fields_[static_cast<std::size_t>(f)];
    if ((fd.minValue && v < *fd.minValue) || (fd.maxValue && v > *fd.maxValue)) {
        char buf[512];
        std::snprintf(buf, sizeof buf,
                      "%g is not a valid value for field '%s'. The allowed range is %g to %g", v,
                      fd.def.name.c_str(),
                      fd.minValue ? *fd.minValue : -std::numeric_limits<double>::infinity(),
                      fd.maxValue ? *fd.maxValue : std::numeric_limits<double>::infinity());
        throw StoreError(buf);
    }
}

namespace {
[[noreturn]] void notEditing(const std::filesystem::path& p) {
    throw StoreError("Table '" + fileLabel(p) + "' is not in edit or insert mode.");
}
}  // namespace

void Table::setFloat(int f, double value) {
    requireField(f);
    if (state_ != State::Edit && state_ != State::Insert) notEditing(path_);
    auto i = static_cast<std::size_t>(f);
    if (std::isnan(value)) {
        setNull(f);
        return;
    }
    switch (fields_[i].def.type) {
        case FieldType::Float:
            checkValue(f, value);
            pending_.num[i] = value;
            break;
        case FieldType::Integer:
            if (!(value >= std::numeric_limits<std::int32_t>::min() &&
                  value <= std::numeric_limits<std::int32_t>::max()) ||
                value != std::trunc(value))
                throw StoreError("'" + numberText(value) +
                                 "' is not a valid integer value for field '" +
                                 fields_[i].def.name + "'.");
            pending_.num[i] = value;
            break;
        case FieldType::Text:
            setText(f, numberText(value));
            break;
    }
}

void Table::setInteger(int f, std::int32_t value) {
    setFloat(f, static_cast<double>(value));
}

void Table::setText(int f, std::string_view text, char decimalSeparator) {
    requireField(f);
    if (state_ != State::Edit && state_ != State::Insert) notEditing(path_);
    auto i = static_cast<std::size_t>(f);
    if (fields_[i].def.type == FieldType::Text) {
        if (text.empty()) {
            pending_.text[i].reset();
            return;
        }
        std::string s(text);
        if (fields_[i].def.size > 0 && s.size() > static_cast<std::size_t>(fields_[i].def.size))
            s.resize(static_cast<std::size_t>(fields_[i].def.size));
        pending_.text[i] = std::move(s);
        return;
    }
    if (trimView(text).empty()) {
        pending_.num[i].reset();
        return;
    }
    auto v = parseNumber(text, decimalSeparator);
    if (!v)
        throw StoreError("'" + std::string(text) + "' is not a valid value for field '" +
                         fields_[i].def.name + "'.");
    setFloat(f, *v);
}

void Table::setNull(int f) {
    requireField(f);
    if (state_ != State::Edit && state_ != State::Insert) notEditing(path_);
    auto i = static_cast<std::size_t>(f);
    pending_.num[i].reset();
    pending_.text[i].reset();
}

bool Table::cellIsNull(int row, int f) const {
    requireField(f);
    if (row < 0 || row >= recordCount()) return true;
    std::size_t r = storedIndex(row);
    const Column& c = columns_[static_cast<std::size_t>(f)];
    if (fields_[static_cast<std::size_t>(f)].def.type == FieldType::Float)
        return std::isnan(c.f[r]);
    return c.null[r] != 0;
}

double Table::cellFloat(int row, int f) const {
    requireField(f);
    if (row < 0 || row >= recordCount()) return kNaN;
    std::size_t r = storedIndex(row);
    const Column& c = columns_[static_cast<std::size_t>(f)];
    switch (fields_[static_cast<std::size_t>(f)].def.type) {
        case FieldType::Float:
            return c.f[r];
        case FieldType::Integer:
            return c.null[r] ? kNaN : c.i[r];
        case FieldType::Text: {
            if (c.null[r]) return kNaN;
            return parseNumber(c.t[r]).value_or(kNaN);
        }
    }
    return kNaN;
}

std::string Table::cellText(int row, int f, char decimalSeparator) const {
    requireField(f);
    if (row < 0 || row >= recordCount()) return {};
    std::size_t r = storedIndex(row);
    const Column& c = columns_[static_cast<std::size_t>(f)];
    switch (fields_[static_cast<std::size_t>(f)].def.type) {
        case FieldType::Float:
            return numberText(c.f[r], decimalSeparator);
        case FieldType::Integer:
            return c.null[r] ? std::string() : std::to_string(c.i[r]);
        case FieldType::Text:
            return c.null[r] ? std::string() : c.t[r];
    }
    return {};
}

bool Table::locateRow(int f, const std::function<bool(int row)>& matches) {
    requireField(f);
    if (state_ != State::Browse) post();
    for (int row = 0; row < recordCount(); ++row) {
        if (!cellIsNull(row, f) && matches(row)) {
            moveTo(row);
            return true;
        }
    }
    return false;
}

bool Table::locate(int f, double value) {
    return locateRow(f, [&](int row) { return cellFloat(row, f) == value; });
}

bool Table::locate(int f, std::string_view text) {
    requireField(f);
    if (fields_[static_cast<std::size_t>(f)].def.type != FieldType::Text) {
        auto v = parseNumber(text);
        return v ? locate(f, *v) : false;
    }
    return locateRow(f, [&](int row) { return cellText(row, f) == text; });
}

// ---- filter ----------------------------------------------------------------------------

void Table::setFilterText(std::string_view expression) {
    requireOpen();
    auto bad = [&]() -> StoreError {
        return StoreError("Invalid filter expression '" + std::string(expression) + "'.");
    };
    std::string text(expression);
    std::string low = lower(text);
    auto ge = text.find(">=");
    auto andPos = low.find(" and ");
    if (ge == std::string::npos || andPos == std::string::npos || andPos < ge) throw bad();
    auto le = text.find("<=", andPos);
    if (le == std::string::npos) throw bad();
    std::string name1 = trim(text.substr(0, ge));
    std::string name2 = trim(text.substr(andPos + 5, le - andPos - 5));
    auto lo = parseNumber(text.substr(ge + 2, andPos - ge - 2));
    auto hi = parseNumber(text.substr(le + 2));
    if (!lo || !hi || !sameName(name1, name2)) throw bad();
    int f = findField(name1);
    if (f < 0) throw StoreError("Field '" + name1 + "' not found.");
    setFilterRange(f, *lo, *hi);
    filterText_ = text;
}

void Table::setFilterRange(int f, double lo, double hi) {
    requireField(f);
    if (fields_[static_cast<std::size_t>(f)].def.type == FieldType::Text)
        throw StoreError("A text field cannot be filtered by range.");
    if (state_ != State::Browse) post();
    filterField_ = f;
    filterLo_ = lo;
    filterHi_ = hi;
    filterText_ = fields_[static_cast<std::size_t>(f)].def.name + ">=" + numberText(lo) + " and " +
                  fields_[static_cast<std::size_t>(f)].def.name + "<=" + numberText(hi);
    if (filtered_) {
        showFromFirst();
    }
}

void Table::setFiltered(bool on) {
    if (!isOpen()) {
        filtered_ = on;
        return;
    }
    if (state_ != State::Browse) post();
    bool effective = on && filterField_ >= 0;
    if (effective == filtered_) return;
    filtered_ = effective;
    showFromFirst();
}

// The visible records changed as a whole: grids start again, on the first record.
void Table::showFromFirst() {
    rebuildVisible();
    current_ = -1;
    bof_ = true;
    eof_ = recordCount() == 0;
    notify({TableEvent::Reset});
    setCurrent(recordCount() > 0 ? 0 : -1);
}

// ---- columns ---------------------------------------------------------------------------

std::vector<double> Table::visibleFloats(int f) const {
    requireField(f);
    const Column& c = columns_[static_cast<std::size_t>(f)];
    const FieldType type = fields_[static_cast<std::size_t>(f)].def.type;
    std::vector<double> out;
    if (type == FieldType::Float && !filtered_) return c.f;
    out.reserve(static_cast<std::size_t>(recordCount()));
    for (int row = 0; row < recordCount(); ++row) out.push_back(cellFloat(row, f));
    return out;
}

std::span<const double> Table::floatColumn(int f) const {
    requireField(f);
    if (fields_[static_cast<std::size_t>(f)].def.type != FieldType::Float)
        throw StoreError("Field '" + fields_[static_cast<std::size_t>(f)].def.name +
                         "' is not a float field.");
    return columns_[static_cast<std::size_t>(f)].f;
}

void Table::loadColumns(std::vector<BulkColumn> columns) {
    requireOpen();
    if (columns.size() != fields_.size())
        throw StoreError("Table '" + fileLabel(path_) + "': wrong number of columns.");
    if (state_ != State::Browse) cancel();
    std::size_t rows = 0;
    bool first = true;
    for (std::size_t fi = 0; fi < fields_.size(); ++fi) {
        std::size_t n = fields_[fi].def.type == FieldType::Float     ? columns[fi].floats.size()
                        : fields_[fi].def.type == FieldType::Integer ? columns[fi].integers.size()
                                                                     : columns[fi].texts.size();
        if (first)
            rows = n;
        else if (n != rows && n != 0)
            throw StoreError("Table '" + fileLabel(path_) + "': columns of unequal length.");
        first = false;
    }
    std::vector<Column> cols(fields_.size());
    for (std::size_t fi = 0; fi < fields_.size(); ++fi) {
        Column& c = cols[fi];
        BulkColumn& b = columns[fi];
        switch (fields_[fi].def.type) {
            case FieldType::Float:
                c.f = std::move(b.floats);
                c.f.resize(rows, kNaN);
                if (fields_[fi].minValue || fields_[fi].maxValue)
                    for (double v : c.f)
                        if (!std::isnan(v)) checkValue(static_cast<int>(fi), v);
                break;
            case FieldType::Integer:
                c.null.assign(rows, b.integers.empty() ? 1 : 0);
                c.i = std::move(b.integers);
                c.i.resize(rows, 0);
                break;
            case FieldType::Text:
                c.t = std::move(b.texts);
                c.t.resize(rows);
                c.null.resize(rows);
                for (std::size_t r = 0; r < rows; ++r) c.null[r] = c.t[r].empty() ? 1 : 0;
                break;
        }
    }
    columns_ = std::move(cols);
    rows_ = rows;
    writeFile();
    showFromFirst();
}

// ---- controls --------------------------------------------------------------------------

void Table::disableControls() {
    ++disabled_;
}

void Table::enableControls() {
    if (disabled_ == 0) return;
    if (--disabled_ == 0 && changedWhileDisabled_) {
        changedWhileDisabled_ = false;
        notify({TableEvent::Reset});
    }
}

int Table::subscribe(std::function<void(const TableEvent&)> listener) {
    int id = nextListener_++;
    listeners_[id] = std::move(listener);
    return id;
}

void Table::unsubscribe(int id) {
    listeners_.erase(id);
}

void Table::notify(TableEvent e) {
    if (disabled_ > 0) {
        changedWhileDisabled_ = true;
        return;
    }
    auto copy = listeners_;
    for (auto& [id, fn] : copy)
        if (fn) fn(e);
}

}  // namespace lithora::store
