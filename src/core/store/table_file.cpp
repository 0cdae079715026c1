#include "core/store/table_file.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <new>
#include <stdexcept>
#include <system_error>
#include <unordered_set>
#include <utility>

namespace lithora::store {

// The file is an SQLite database:
//   lithora_meta(key, value)   "version"; "layout" (0 columns, 1 records); "rows" (columns)
//   lithora_fields             one row per field in definition order, with its properties
//   lithora_columns            columns layout: each field's values in chunks of kChunkRows
//   lithora_records            records layout: one row per record, its values in one blob,
//                              stored order = key order
// Names, labels and texts are stored with their length, so any byte (NUL too) survives.

namespace {

constexpr std::size_t kChunkRows = 65536;
constexpr int kFormatVersion = 2;
constexpr int kColumnsLayout = 0;
constexpr int kRecordsLayout = 1;
constexpr std::int64_t kKeyGap = std::int64_t{1} << 20;

std::string labelOf(const std::filesystem::path& p) {
    return p.filename().string();
}

StoreError damaged(const std::string& label) {
    return StoreError("Table '" + label + "' is damaged or is not a table file.");
}

// An SQLite connection that closes itself; every call checks and throws StoreError.
class Db {
  public:
    Db(const std::filesystem::path& file, bool create, std::string label)
        : label_(std::move(label)) {
        const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(file.string().c_str(), &db_, flags, nullptr) != SQLITE_OK) {
            // The system's own reason ("Permission denied") says more than SQLite's.
            const int system = db_ ? sqlite3_system_errno(db_) : 0;
            std::string msg = system != 0 ? std::strerror(system)
                              : db_       ? sqlite3_errmsg(db_)
                                          : "out of memory";
            sqlite3_close(db_);
            db_ = nullptr;
            throw StoreError("Cannot open table '" + label_ + "': " + msg + ".");
        }
        sqlite3_busy_timeout(db_, 2000);
    }
    ~Db() { sqlite3_close_v2(db_); }
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
    [[noreturn]] void fail(const std::string& msg) const {
        throw StoreError("Table '" + label_ + "' cannot be read or written: " + msg + ".");
    }
    sqlite3* get() const { return db_; }
    const std::string& label() const { return label_; }

    // Rolls back an open transaction when a write fails half way.
    void rollbackQuietly() {
        if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }

  private:
    sqlite3* db_ = nullptr;
    std::string label_;
};

// A prepared statement of one connection; step() resets it for the next binding.
class Stmt {
  public:
    Stmt(Db& db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db.get(), sql, -1, &st_, nullptr) != SQLITE_OK)
            db.fail(sqlite3_errmsg(db.get()));
    }
    ~Stmt() { sqlite3_finalize(st_); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    Stmt& bind(int i, std::int64_t v) {
        sqlite3_bind_int64(st_, i, v);
        return *this;
    }
    Stmt& bind(int i, double v) {
        sqlite3_bind_double(st_, i, v);
        return *this;
    }
    Stmt& bind(int i, std::optional<double> v) {
        if (v)
            sqlite3_bind_double(st_, i, *v);
        else
            sqlite3_bind_null(st_, i);
        return *this;
    }
    Stmt& bindText(int i, std::string_view s) {
        sqlite3_bind_text(st_, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Stmt& bindBlob(int i, std::string_view s) {
        sqlite3_bind_blob(st_, i, s.data(), static_cast<int>(s.size()), SQLITE_STATIC);
        return *this;
    }
    void run() {
        const int rc = sqlite3_step(st_);
        sqlite3_reset(st_);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) db_.fail(sqlite3_errmsg(db_.get()));
    }
    bool row() {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) db_.fail(sqlite3_errmsg(db_.get()));
        return false;
    }
    std::int64_t integer(int col) const { return sqlite3_column_int64(st_, col); }
    bool isNull(int col) const { return sqlite3_column_type(st_, col) == SQLITE_NULL; }
    double real(int col) const { return sqlite3_column_double(st_, col); }
    std::string_view bytes(int col) const {
        const void* p = sqlite3_column_blob(st_, col);
        const int n = sqlite3_column_bytes(st_, col);
        return p ? std::string_view(static_cast<const char*>(p), static_cast<std::size_t>(n))
                 : std::string_view();
    }

  private:
    Db& db_;
    sqlite3_stmt* st_ = nullptr;
};

void createSchema(Db& db) {
    db.exec(
        "CREATE TABLE IF NOT EXISTS lithora_meta(key TEXT PRIMARY KEY, value INTEGER);"
        "CREATE TABLE IF NOT EXISTS lithora_fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL,"
        " type INTEGER NOT NULL, size INTEGER NOT NULL, required INTEGER NOT NULL, label TEXT,"
        " visible INTEGER NOT NULL, minv REAL, maxv REAL);"
        "CREATE TABLE IF NOT EXISTS lithora_columns(field INTEGER NOT NULL, chunk INTEGER NOT "
        "NULL, data BLOB, nulls BLOB, PRIMARY KEY(field, chunk));"
        "CREATE TABLE IF NOT EXISTS lithora_records(key INTEGER PRIMARY KEY, data BLOB NOT NULL);"
        "DELETE FROM lithora_meta; DELETE FROM lithora_fields; DELETE FROM lithora_columns;"
        "DELETE FROM lithora_records;");
}

void writeMetaAndFields(Db& db, const TableImage& image, int layout) {
    Stmt meta(db, "INSERT INTO lithora_meta(key, value) VALUES(?, ?)");
    meta.bindText(1, "version").bind(2, std::int64_t{kFormatVersion}).run();
    meta.bindText(1, "layout").bind(2, std::int64_t{layout}).run();
    if (layout == kColumnsLayout)
        meta.bindText(1, "rows").bind(2, static_cast<std::int64_t>(image.rows)).run();
    Stmt fs(db, "INSERT INTO lithora_fields VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < image.fields.size(); ++i) {
        const Field& f = image.fields[i];
        fs.bind(1, static_cast<std::int64_t>(i))
            .bindText(2, f.def.name)
            .bind(3, static_cast<std::int64_t>(f.def.type))
            .bind(4, std::int64_t{f.def.size})
            .bind(5, std::int64_t{f.def.required})
            .bindText(6, f.displayLabel)
            .bind(7, std::int64_t{f.visible})
            .bind(8, f.minValue)
            .bind(9, f.maxValue)
            .run();
    }
}

void writeColumns(Db& db, const TableImage& image) {
    Stmt cs(db, "INSERT INTO lithora_columns VALUES(?, ?, ?, ?)");
    std::string data, nulls;
    for (std::size_t fi = 0; fi < image.columns.size(); ++fi) {
        const Column& c = image.columns[fi];
        for (std::size_t start = 0, chunk = 0; start < image.rows; start += kChunkRows, ++chunk) {
            data.clear();
            nulls.clear();
            c.encode(start, std::min(kChunkRows, image.rows - start), data, nulls);
            cs.bind(1, static_cast<std::int64_t>(fi)).bind(2, static_cast<std::int64_t>(chunk));
            cs.bindBlob(3, data).bindBlob(4, nulls).run();
        }
    }
}

std::string encodeRecord(const TableImage& image, std::size_t row) {
    std::string out;
    for (const Column& c : image.columns) c.encodeCell(row, out);
    return out;
}

void writeRecord(Db& db, const TableImage& image, std::size_t row, std::int64_t key) {
    Stmt st(db, "INSERT OR REPLACE INTO lithora_records(key, data) VALUES(?, ?)");
    const std::string data = encodeRecord(image, row);
    st.bind(1, key).bindBlob(2, data).run();
}

// Runs body in one transaction; a failure rolls it back and is passed on.
template <class F>
void inTransaction(Db& db, F&& body) {
    db.exec("BEGIN IMMEDIATE;");
    try {
        body();
        db.exec("COMMIT;");
    } catch (...) {
        db.rollbackQuietly();
        throw;
    }
}

std::vector<Field> readFields(Db& db) {
    std::vector<Field> fields;
    std::unordered_set<std::string> names;
    Stmt st(db,
            "SELECT pos, name, type, size, required, label, visible, minv, maxv FROM "
            "lithora_fields ORDER BY pos");
    while (st.row()) {
        if (st.integer(0) != static_cast<std::int64_t>(fields.size())) throw damaged(db.label());
        Field f;
        f.def.name = std::string(st.bytes(1));
        const std::int64_t type = st.integer(2);
        const std::int64_t size = st.integer(3);
        if (type < 0 || type > 2 || size < 0 || size > std::numeric_limits<int>::max())
            throw damaged(db.label());
        f.def.type = static_cast<FieldType>(type);
        f.def.size = static_cast<int>(size);
        f.def.required = st.integer(4) != 0;
        f.displayLabel = std::string(st.bytes(5));
        f.visible = st.integer(6) != 0;
        if (!st.isNull(7)) f.minValue = st.real(7);
        if (!st.isNull(8)) f.maxValue = st.real(8);
        if (f.def.name.empty() || !names.insert(foldName(f.def.name)).second)
            throw damaged(db.label());
        fields.push_back(std::move(f));
    }
    if (fields.empty()) throw damaged(db.label());
    return fields;
}

std::optional<std::int64_t> readMeta(Db& db, const char* key) {
    Stmt st(db, "SELECT value FROM lithora_meta WHERE key = ?");
    st.bindText(1, key);
    if (!st.row()) return std::nullopt;
    return st.integer(0);
}

// The columns layout. The stored row count is believed only when every field's stored
// bytes hold exactly that many records, and only then is memory reserved for them.
void readColumns(Db& db, TableImage& image) {
    const auto rows = readMeta(db, "rows");
    if (!rows || *rows < 0 || *rows > std::numeric_limits<std::int32_t>::max())
        throw damaged(db.label());
    image.rows = static_cast<std::size_t>(*rows);
    std::vector<std::size_t> dataBytes(image.fields.size()), nullBytes(image.fields.size());
    {
        Stmt st(db,
                "SELECT field, SUM(length(data)), SUM(length(nulls)) FROM lithora_columns GROUP "
                "BY field");
        while (st.row()) {
            const std::int64_t fi = st.integer(0);
            if (fi < 0 || fi >= static_cast<std::int64_t>(image.fields.size()))
                throw damaged(db.label());
            dataBytes[static_cast<std::size_t>(fi)] = static_cast<std::size_t>(st.integer(1));
            nullBytes[static_cast<std::size_t>(fi)] = static_cast<std::size_t>(st.integer(2));
        }
    }
    for (std::size_t fi = 0; fi < image.fields.size(); ++fi) {
        const Column& c = image.columns[fi];
        const bool fits = c.fixedWidth() ? dataBytes[fi] == image.rows * c.fixedWidth()
                                         : dataBytes[fi] >= image.rows * sizeof(std::uint32_t);
        if (!fits || nullBytes[fi] != (c.hasNullMask() ? image.rows : 0)) throw damaged(db.label());
    }
    for (Column& c : image.columns) c.reserve(image.rows);
    Stmt st(db, "SELECT field, data, nulls FROM lithora_columns ORDER BY field, chunk");
    while (st.row()) {
        Column& c = image.columns[static_cast<std::size_t>(st.integer(0))];
        c.decodeAppend(st.bytes(1), st.bytes(2));
        if (c.size() > image.rows) throw damaged(db.label());
    }
}

void readRecords(Db& db, TableImage& image, std::vector<std::int64_t>& keys) {
    Stmt st(db, "SELECT key, data FROM lithora_records ORDER BY key");
    while (st.row()) {
        const std::string_view data = st.bytes(1);
        std::size_t pos = 0;
        for (Column& c : image.columns) c.decodeCellAppend(data, pos);
        if (pos != data.size()) throw damaged(db.label());
        keys.push_back(st.integer(0));
    }
    image.rows = keys.size();
}

// Reads a whole table. keys (when given) receives the record keys of the records layout,
// and stays empty for the columns layout. Every failure is a StoreError naming the table.
TableImage readImage(Db& db, bool fieldsOnly, std::vector<std::int64_t>* keys, int* layout) {
    try {
        TableImage image;
        image.fields = readFields(db);
        for (const Field& f : image.fields) image.columns.emplace_back(f.def.type);
        const auto l = readMeta(db, "layout").value_or(kColumnsLayout);
        if (l != kColumnsLayout && l != kRecordsLayout) throw damaged(db.label());
        if (layout) *layout = static_cast<int>(l);
        if (fieldsOnly) return image;
        std::vector<std::int64_t> k;
        if (l == kColumnsLayout)
            readColumns(db, image);
        else
            readRecords(db, image, k);
        for (const Column& c : image.columns)
            if (c.size() != image.rows) throw damaged(db.label());
        if (keys) *keys = std::move(k);
        return image;
    } catch (const StoreError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw StoreError("Not enough memory to open table '" + db.label() + "'.");
    } catch (const std::exception&) {
        throw damaged(db.label());
    }
}

TableImage readFile(const std::filesystem::path& file, bool fieldsOnly) {
    if (!std::filesystem::exists(file))
        throw StoreError("Table '" + labelOf(file) + "' does not exist.");
    Db db(file, false, labelOf(file));
    return readImage(db, fieldsOnly, nullptr, nullptr);
}

void writeLabels(Db& db, const TableImage& image, const std::vector<std::size_t>& fields) {
    Stmt st(db, "UPDATE lithora_fields SET label = ? WHERE pos = ?");
    for (std::size_t field : fields) {
        st.bindText(1, image.fields[field].displayLabel).bind(2, static_cast<std::int64_t>(field));
        st.run();
    }
}

// A table kept in a file of its own.
class FileStorage : public TableStorage {
  public:
    explicit FileStorage(std::filesystem::path file) : file_(std::move(file)) {}
    bool exists() const override {
        std::error_code ec;
        return !file_.empty() && std::filesystem::exists(file_, ec);
    }
    void remove() override {
        std::error_code ec;
        if (!std::filesystem::remove(file_, ec) && ec)
            throw StoreError("Cannot delete table '" + labelOf(file_) + "': " + ec.message() + ".");
    }

  protected:
    std::filesystem::path file_;
};

// Written whole into a new file beside the old one, which replaces it when complete: the
// file is always compact (an emptied table shrinks), and a failed write leaves the old one.
class ScratchStorage : public FileStorage {
  public:
    using FileStorage::FileStorage;

    void create(const TableImage& empty) override { write(empty); }
    TableImage open() override {
        dirty_ = false;
        return readFile(file_, false);
    }
    void close(TableImage&&) override {}
    void emptyClosed() override { write(readFile(file_, true)); }

    void replaced(const TableImage& image) override {
        write(image);
        dirty_ = false;
    }
    void inserted(const TableImage&, std::size_t) override { dirty_ = true; }
    void changed(const TableImage&, std::size_t) override { dirty_ = true; }
    void erased(const TableImage&, std::size_t) override { dirty_ = true; }
    void labelsChanged(const TableImage& image, const std::vector<std::size_t>& fields) override {
        if (dirty_) return;  // the next flush writes them with the records
        Db db(file_, false, labelOf(file_));
        db.exec("PRAGMA synchronous=OFF;");
        inTransaction(db, [&] { writeLabels(db, image, fields); });
    }
    void flush(const TableImage& image) override {
        if (dirty_) replaced(image);
    }

  private:
    void write(const TableImage& image) {
        std::filesystem::path temp = file_;
        temp += ".writing";
        std::error_code ec;
        std::filesystem::remove(temp, ec);
        try {
            {
                Db db(temp, true, labelOf(file_));
                db.exec("PRAGMA page_size=65536; PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
                inTransaction(db, [&] {
                    createSchema(db);
                    writeMetaAndFields(db, image, kColumnsLayout);
                    writeColumns(db, image);
                });
            }
            std::filesystem::rename(temp, file_);
        } catch (const std::filesystem::filesystem_error& e) {
            std::filesystem::remove(temp, ec);
            throw StoreError("Table '" + labelOf(file_) +
                             "' cannot be written: " + e.code().message() + ".");
        } catch (...) {
            std::filesystem::remove(temp, ec);
            throw;
        }
    }

    bool dirty_ = false;
};

// One row per record, written as it is posted, in one synchronous transaction that touches
// only that record. Records are ordered by a key; keys are spaced so that a record inserted
// between two others takes a key between theirs, and are renumbered (a whole rewrite) only
// when two neighbours have no room left between them.
class FullStorage : public FileStorage {
  public:
    using FileStorage::FileStorage;

    void create(const TableImage& empty) override {
        try {
            Db db(file_, true, labelOf(file_));
            configure(db);
            std::vector<std::int64_t> keys;
            writeAll(db, empty, keys);
        } catch (...) {
            std::error_code ec;
            std::filesystem::remove(file_, ec);
            throw;
        }
    }
    TableImage open() override {
        if (!exists()) throw StoreError("Table '" + labelOf(file_) + "' does not exist.");
        auto db = std::make_unique<Db>(file_, false, labelOf(file_));
        configure(*db);
        int layout = kColumnsLayout;
        TableImage image = readImage(*db, false, &keys_, &layout);
        if (layout != kRecordsLayout) writeAll(*db, image, keys_);  // a file of the other form
        db_ = std::move(db);
        return image;
    }
    void close(TableImage&&) override {
        db_.reset();
        keys_.clear();
    }
    void emptyClosed() override {
        Db db(file_, false, labelOf(file_));
        configure(db);
        TableImage image = readImage(db, true, nullptr, nullptr);
        std::vector<std::int64_t> keys;
        writeAll(db, image, keys);
        db.exec("VACUUM;");
    }

    void replaced(const TableImage& image) override {
        writeAll(*db_, image, keys_);
        if (image.rows == 0) db_->exec("VACUUM;");
    }
    void inserted(const TableImage& image, std::size_t row) override {
        const std::int64_t lo = row > 0 ? keys_[row - 1] : 0;
        std::int64_t key = lo + kKeyGap;
        if (row < keys_.size()) {
            const std::int64_t hi = keys_[row];
            if (hi - lo < 2) {
                writeAll(*db_, image, keys_);
                return;
            }
            key = lo + (hi - lo) / 2;
        }
        inTransaction(*db_, [&] { writeRecord(*db_, image, row, key); });
        keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(row), key);
    }
    void changed(const TableImage& image, std::size_t row) override {
        inTransaction(*db_, [&] { writeRecord(*db_, image, row, keys_[row]); });
    }
    void erased(const TableImage&, std::size_t row) override {
        inTransaction(*db_, [&] {
            Stmt st(*db_, "DELETE FROM lithora_records WHERE key = ?");
            st.bind(1, keys_[row]).run();
        });
        keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(row));
    }
    void labelsChanged(const TableImage& image, const std::vector<std::size_t>& fields) override {
        inTransaction(*db_, [&] { writeLabels(*db_, image, fields); });
    }
    void flush(const TableImage& image) override {
        // Records are on disk already; the other field properties follow the labels.
        inTransaction(*db_, [&] {
            Stmt st(*db_,
                    "UPDATE lithora_fields SET visible = ?, minv = ?, maxv = ? WHERE pos = ?");
            for (std::size_t i = 0; i < image.fields.size(); ++i) {
                const Field& f = image.fields[i];
                st.bind(1, std::int64_t{f.visible}).bind(2, f.minValue).bind(3, f.maxValue);
                st.bind(4, static_cast<std::int64_t>(i)).run();
            }
        });
    }

  private:
    static void configure(Db& db) {
        db.exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;");
    }

    static void writeAll(Db& db, const TableImage& image, std::vector<std::int64_t>& keys) {
        std::vector<std::int64_t> fresh(image.rows);
        for (std::size_t r = 0; r < image.rows; ++r)
            fresh[r] = static_cast<std::int64_t>(r + 1) * kKeyGap;
        inTransaction(db, [&] {
            createSchema(db);
            writeMetaAndFields(db, image, kRecordsLayout);
            for (std::size_t r = 0; r < image.rows; ++r) writeRecord(db, image, r, fresh[r]);
        });
        keys = std::move(fresh);
    }

    std::unique_ptr<Db> db_;  // while the table is open
    std::vector<std::int64_t> keys_;
};

// No file: the image is the table, kept here while the table is closed.
class MemoryStorage : public TableStorage {
  public:
    bool exists() const override { return image_.has_value(); }
    void create(const TableImage& empty) override { image_ = empty; }
    TableImage open() override {
        if (!image_) throw StoreError("Table does not exist.");
        return std::exchange(*image_, TableImage{});
    }
    void close(TableImage&& image) override {
        if (image_) *image_ = std::move(image);
    }
    void remove() override { image_.reset(); }
    void emptyClosed() override {
        for (Column& c : image_->columns) c.clear();
        image_->rows = 0;
    }
    void replaced(const TableImage&) override {}
    void inserted(const TableImage&, std::size_t) override {}
    void changed(const TableImage&, std::size_t) override {}
    void erased(const TableImage&, std::size_t) override {}
    void labelsChanged(const TableImage&, const std::vector<std::size_t>&) override {}
    void flush(const TableImage&) override {}

  private:
    std::optional<TableImage> image_;
};

}  // namespace

std::string foldName(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

TableImage TableImage::empty(const std::vector<FieldDef>& defs) {
    TableImage image;
    image.fields.reserve(defs.size());
    image.columns.reserve(defs.size());
    for (const auto& d : defs) {
        image.fields.push_back(Field{d, {}, true, {}, {}});
        image.columns.emplace_back(d.type);
    }
    return image;
}

std::unique_ptr<TableStorage> makeStorage(const std::filesystem::path& file,
                                          Durability durability) {
    switch (durability) {
        case Durability::Memory:
            return std::make_unique<MemoryStorage>();
        case Durability::Scratch:
            return std::make_unique<ScratchStorage>(file);
        case Durability::Full:
            return std::make_unique<FullStorage>(file);
    }
    return nullptr;
}

}  // namespace lithora::store
