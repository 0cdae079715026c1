#include "core/store/column.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/common/number_text.h"

namespace lithora::store {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template <class T>
void appendRaw(std::string& out, const T& v) {
    char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    out.append(b, sizeof(T));
}

template <class T>
T readRaw(std::string_view in, std::size_t& pos) {
    if (in.size() - pos < sizeof(T)) throw std::runtime_error("value cut short");
    T v;
    std::memcpy(&v, in.data() + pos, sizeof(T));
    pos += sizeof(T);
    return v;
}

}  // namespace

Column Column::ofFloats(std::vector<double> values, std::size_t rows) {
    Column c(FieldType::Float);
    c.f_ = std::move(values);
    c.f_.resize(rows, kNaN);
    return c;
}

Column Column::ofIntegers(std::vector<std::int32_t> values, std::size_t rows) {
    Column c(FieldType::Integer);
    c.null_.assign(rows, 1);
    std::fill_n(c.null_.begin(), std::min(rows, values.size()), std::uint8_t{0});
    c.i_ = std::move(values);
    c.i_.resize(rows, 0);
    return c;
}

Column Column::ofTexts(std::vector<std::string> values, std::size_t rows) {
    Column c(FieldType::Text);
    c.t_ = std::move(values);
    c.t_.resize(rows);
    c.null_.resize(rows);
    for (std::size_t r = 0; r < rows; ++r) c.null_[r] = c.t_[r].empty() ? 1 : 0;
    return c;
}

std::size_t Column::size() const {
    return type_ == FieldType::Float ? f_.size() : null_.size();
}

bool Column::isNull(std::size_t r) const {
    return type_ == FieldType::Float ? std::isnan(f_[r]) : null_[r] != 0;
}

double Column::number(std::size_t r) const {
    if (isNull(r)) return kNaN;
    switch (type_) {
        case FieldType::Float:
            return f_[r];
        case FieldType::Integer:
            return i_[r];
        case FieldType::Text:
            return parseNumber(t_[r]).value_or(kNaN);
    }
    return kNaN;
}

std::string Column::text(std::size_t r, char decimalSeparator) const {
    if (isNull(r)) return {};
    switch (type_) {
        case FieldType::Float:
            return numberText(f_[r], decimalSeparator);
        case FieldType::Integer:
            return std::to_string(i_[r]);
        case FieldType::Text:
            return t_[r];
    }
    return {};
}

Cell Column::get(std::size_t r) const {
    if (isNull(r)) return {};
    return type_ == FieldType::Text ? Cell::ofText(t_[r]) : Cell::ofNumber(number(r));
}

void Column::insert(std::size_t at, const Cell& value) {
    const auto pos = static_cast<std::ptrdiff_t>(at);
    switch (type_) {
        case FieldType::Float:
            f_.insert(f_.begin() + pos, kNaN);
            break;
        case FieldType::Integer:
            i_.insert(i_.begin() + pos, 0);
            break;
        case FieldType::Text:
            t_.insert(t_.begin() + pos, std::string());
            break;
    }
    if (hasNullMask()) null_.insert(null_.begin() + pos, 1);
    set(at, value);
}

void Column::set(std::size_t r, const Cell& value) {
    if (hasNullMask()) null_[r] = value.null ? 1 : 0;
    switch (type_) {
        case FieldType::Float:
            f_[r] = value.null ? kNaN : value.number;
            break;
        case FieldType::Integer:
            i_[r] = value.null ? 0 : static_cast<std::int32_t>(value.number);
            break;
        case FieldType::Text:
            t_[r] = value.null ? std::string() : value.text;
            break;
    }
}

void Column::erase(std::size_t r) {
    const auto pos = static_cast<std::ptrdiff_t>(r);
    switch (type_) {
        case FieldType::Float:
            f_.erase(f_.begin() + pos);
            break;
        case FieldType::Integer:
            i_.erase(i_.begin() + pos);
            break;
        case FieldType::Text:
            t_.erase(t_.begin() + pos);
            break;
    }
    if (hasNullMask()) null_.erase(null_.begin() + pos);
}

void Column::clear() {
    *this = Column(type_);
}

void Column::reserve(std::size_t rows) {
    switch (type_) {
        case FieldType::Float:
            f_.reserve(rows);
            break;
        case FieldType::Integer:
            i_.reserve(rows);
            break;
        case FieldType::Text:
            t_.reserve(rows);
            break;
    }
    if (hasNullMask()) null_.reserve(rows);
}

std::size_t Column::fixedWidth() const {
    switch (type_) {
        case FieldType::Float:
            return sizeof(double);
        case FieldType::Integer:
            return sizeof(std::int32_t);
        case FieldType::Text:
            return 0;
    }
    return 0;
}

void Column::encode(std::size_t start, std::size_t n, std::string& data, std::string& nulls) const {
    switch (type_) {
        case FieldType::Float:
            data.append(reinterpret_cast<const char*>(f_.data() + start), n * sizeof(double));
            break;
        case FieldType::Integer:
            data.append(reinterpret_cast<const char*>(i_.data() + start), n * sizeof(std::int32_t));
            break;
        case FieldType::Text:
            for (std::size_t r = start; r < start + n; ++r) {
                appendRaw(data, static_cast<std::uint32_t>(t_[r].size()));
                data += t_[r];
            }
            break;
    }
    if (hasNullMask()) nulls.append(reinterpret_cast<const char*>(null_.data() + start), n);
}

std::size_t Column::decodeAppend(std::string_view data, std::string_view nulls) {
    std::size_t n = 0;
    switch (type_) {
        case FieldType::Float:
        case FieldType::Integer: {
            const std::size_t w = fixedWidth();
            if (data.size() % w) throw std::runtime_error("partial value");
            n = data.size() / w;
            auto append = [&](auto& v) {
                const std::size_t at = v.size();
                v.resize(at + n);
                if (n) std::memcpy(v.data() + at, data.data(), data.size());
            };
            if (type_ == FieldType::Float)
                append(f_);
            else
                append(i_);
            break;
        }
        case FieldType::Text: {
            std::size_t pos = 0;
            while (pos < data.size()) {
                const auto len = readRaw<std::uint32_t>(data, pos);
                if (len > data.size() - pos) throw std::runtime_error("text cut short");
                t_.emplace_back(data.substr(pos, len));
                pos += len;
                ++n;
            }
            break;
        }
    }
    if (hasNullMask()) {
        if (nulls.size() != n) throw std::runtime_error("null mask of another length");
        null_.insert(null_.end(), nulls.begin(), nulls.end());
    }
    return n;
}

void Column::encodeCell(std::size_t r, std::string& out) const {
    std::string nulls;
    encode(r, 1, out, nulls);
    out += nulls;
}

void Column::decodeCellAppend(std::string_view in, std::size_t& pos) {
    std::size_t width = fixedWidth();
    if (width == 0) {
        std::size_t at = pos;
        width = sizeof(std::uint32_t) + readRaw<std::uint32_t>(in, at);
    }
    const std::size_t nullWidth = hasNullMask() ? 1 : 0;
    if (width > in.size() - pos || nullWidth > in.size() - pos - width)
        throw std::runtime_error("value cut short");
    decodeAppend(in.substr(pos, width), in.substr(pos + width, nullWidth));
    pos += width + nullWidth;
}

}  // namespace lithora::store
