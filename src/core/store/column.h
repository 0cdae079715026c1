#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lithora::store {

enum class FieldType { Integer, Float, Text };

// One value of any field type, as an edit holds it before it is posted. For a float field
// `number` is the value; for an integer field the whole number it holds; for text `text`.
struct Cell {
    bool null = true;
    double number = 0;
    std::string text;

    static Cell ofNumber(double v) { return {false, v, {}}; }
    static Cell ofText(std::string s) { return {false, 0, std::move(s)}; }
};

// The values of one field for every stored record, in stored order. A float column holds a
// quiet NaN for a null (no value read from a file or computed is ever NaN); integer and
// text columns keep an explicit null mask beside their values. Every operation that depends
// on the type lives here.
class Column {
  public:
    explicit Column(FieldType type = FieldType::Float) : type_(type) {}

    // Whole columns as the bulk load gives them: NaN is null for floats, an empty text is
    // null; integers have no nulls. Integer and text columns shorter than rows are padded
    // with nulls, float columns with NaN.
    static Column ofFloats(std::vector<double> values, std::size_t rows);
    static Column ofIntegers(std::vector<std::int32_t> values, std::size_t rows);
    static Column ofTexts(std::vector<std::string> values, std::size_t rows);

    FieldType type() const { return type_; }
    std::size_t size() const;

    bool isNull(std::size_t r) const;
    double number(std::size_t r) const;  // NaN for null; a text is parsed, NaN if no number
    std::string text(std::size_t r, char decimalSeparator = '.') const;  // empty for null
    Cell get(std::size_t r) const;

    void insert(std::size_t at, const Cell& value);
    void set(std::size_t r, const Cell& value);
    void erase(std::size_t r);
    void clear();
    void reserve(std::size_t rows);

    // Float columns only: the contiguous values, NaN for null.
    std::span<const double> floats() const { return f_; }

    // The file form of a run of records: `data` gets the values (8-byte floats, 4-byte
    // integers, or texts each prefixed with its 4-byte length), `nulls` one byte per record
    // for integer and text columns. decodeAppend adds a run read back and returns how many
    // records it held; it throws std::runtime_error on bytes that do not fit the type.
    void encode(std::size_t start, std::size_t n, std::string& data, std::string& nulls) const;
    std::size_t decodeAppend(std::string_view data, std::string_view nulls);
    // Bytes per record in the data of encode, 0 for texts (whose length varies).
    std::size_t fixedWidth() const;
    bool hasNullMask() const { return type_ != FieldType::Float; }

    // The file form of one value, for a file that keeps each record by itself.
    void encodeCell(std::size_t r, std::string& out) const;
    // Reads one value at pos (advanced past it) and appends it; throws std::runtime_error.
    void decodeCellAppend(std::string_view in, std::size_t& pos);

  private:
    FieldType type_;
    std::vector<double> f_;
    std::vector<std::int32_t> i_;
    std::vector<std::string> t_;
    std::vector<std::uint8_t> null_;  // integer and text columns: 1 = null
};

}  // namespace lithora::store
