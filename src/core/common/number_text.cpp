#include "core/common/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace lithora {

std::string_view trimView(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string trim(std::string_view s) {
    return std::string(trimView(s));
}

void appendNumberText(std::string& out, double value, char decimalSeparator) {
    if (std::isnan(value)) return;
    if (value == 0.0) {
        out += '0';
        return;
    }
    if (std::isinf(value)) {
        out += value > 0 ? "INF" : "-INF";
        return;
    }

    // Most values the program writes carry at most four decimals (the elastic parameters are
    // rounded so, depths rarely have more). When n / 10000 reads back as the value exactly,
    // that decimal is the shortest text of it: below 1E11 two such decimals never share a
    // double. It is written straight from the integer n.
    if (std::fabs(value) < 1e11) {
        const double n = std::nearbyint(value * 10000.0);
        if (n / 10000.0 == value) {
            auto whole = static_cast<std::uint64_t>(std::fabs(n));
            char digits[32];
            auto end = std::to_chars(digits, digits + sizeof digits, whole / 10000).ptr;
            if (value < 0) out += '-';
            out.append(digits, end);
            auto fraction = static_cast<unsigned>(whole % 10000);
            if (fraction != 0) {
                char f[4] = {static_cast<char>('0' + fraction / 1000),
                             static_cast<char>('0' + fraction / 100 % 10),
                             static_cast<char>('0' + fraction / 10 % 10),
                             static_cast<char>('0' + fraction % 10)};
                int len = 4;
                while (f[len - 1] == '0') --len;
                out += decimalSeparator;
                out.append(f, static_cast<std::size_t>(len));
            }
            return;
        }
    }

    // The shortest text that reads back as the value is the value rounded to 15 significant
    // digits whenever it has at most 15 digits (a 15-digit step is wider than a double's
    // spacing); only longer ones are rounded to 15 digits, from the exact binary value.
    char buf[64];
    char digitBuf[24];
    std::size_t nDigits = 0;
    int exponent = 0;
    // Splits scientific text ("-1.2345e+07", sign already dropped) into digits and exponent.
    auto split = [&](std::string_view sci) {
        const auto ePos = sci.find('e');
        nDigits = 0;
        for (std::size_t i = 0; i < ePos; ++i)
            if (sci[i] != '.') digitBuf[nDigits++] = sci[i];
        std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                        exponent);
    };
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    split(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
    if (nDigits > 15) {
        res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
        split(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
    }
    while (nDigits > 1 && digitBuf[nDigits - 1] == '0') --nDigits;
    std::string_view digits(digitBuf, nDigits);

    if (negative) out += '-';
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out += '0';
            out += decimalSeparator;
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            auto intDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intDigits) {
                out += digits;
                out.append(intDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, intDigits);
                out += decimalSeparator;
                out += digits.substr(intDigits);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += decimalSeparator;
            out += digits.substr(1);
        }
        out += 'E';
        char e[8];
        out.append(e, std::to_chars(e, e + sizeof e, exponent).ptr);
    }
}

std::string numberText(double value, char decimalSeparator) {
    std::string out;
    appendNumberText(out, value, decimalSeparator);
    return out;
}

std::string numberText(double value, char decimalSeparator, int maxDecimals) {
    std::string text = numberText(value, '.');
    maxDecimals = std::max(maxDecimals, 0);
    const auto point = text.find('.');
    const auto exponentAt = text.find('E');
    const auto decimalsEnd = exponentAt == std::string::npos ? text.size() : exponentAt;
    if (point != std::string::npos &&
        decimalsEnd - point - 1 > static_cast<std::size_t>(maxDecimals)) {
        // Rounded from the exact binary value; the rounded text read back and written by the
        // rule above keeps its form (fixed or exponent) and drops the zeros rounding leaves.
        // Fixed text here has at most 15 integer digits and fewer than 20 decimals.
        char buf[64];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, value,
                          exponentAt == std::string::npos ? std::chars_format::fixed
                                                          : std::chars_format::scientific,
                          maxDecimals);
        double rounded = value;
        if (res.ec == std::errc()) parseDouble(buf, res.ptr, rounded);
        text = numberText(rounded, '.');
    }
    if (decimalSeparator != '.')
        for (char& c : text)
            if (c == '.') c = decimalSeparator;
    return text;
}

namespace {

// The power of ten of the leading digit of a decimal number text that from_chars found out of
// range ("1e-400" gives -400, "123e5" gives 7); only its sign matters to the caller.
long long decimalOrder(const char* p, const char* end) {
    if (p < end && *p == '-') ++p;
    long long order = 0;
    bool found = false;
    long long intDigits = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        if (found || *p != '0') {
            found = true;
            ++intDigits;
        }
    }
    order = intDigits - 1;
    if (p < end && *p == '.') {
        ++p;
        for (long long i = 1; p < end && *p >= '0' && *p <= '9'; ++p, ++i) {
            if (!found && *p != '0') {
                found = true;
                order = -i;
            }
        }
    }
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = p < end && *p == '-';
        if (p < end && (*p == '-' || *p == '+')) ++p;
        long long exponent = 0;
        for (; p < end && *p >= '0' && *p <= '9'; ++p) {
            if (exponent < 1000000000) exponent = exponent * 10 + (*p - '0');
        }
        order += negative ? -exponent : exponent;
    }
    return order;
}

}  // namespace

const char* parseDouble(const char* first, const char* last, double& value) {
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc()) return ptr;
    if (ec != std::errc::result_out_of_range) return nullptr;
    if (decimalOrder(first, ptr) >= 0) return nullptr;  // too large
    value = first < last && *first == '-' ? -0.0 : 0.0;
    return ptr;
}

std::optional<double> parseNumber(std::string_view text, char decimalSeparator) {
    text = trimView(text);
    if (text.empty()) return std::nullopt;
    std::string local;
    if (decimalSeparator != '.') {
        if (text.find('.') != std::string_view::npos) return std::nullopt;
        local.assign(text);
        for (char& c : local)
            if (c == decimalSeparator) c = '.';
        text = local;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    }
    double v = 0;
    // Underflow to a subnormal or zero is a number; overflow is not a sample value.
    const char* ptr = parseDouble(text.data(), text.data() + text.size(), v);
    if (!ptr || ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace lithora
