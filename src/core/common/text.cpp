#include "core/common/text.h"

#include <algorithm>
#include <optional>

namespace lithora {

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view lasSectionTitle(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i < line.size() && line[i] == '~') return line.substr(i);
    return {};
}

std::string withoutControlCharacters(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        auto b = static_cast<unsigned char>(c);
        if (b < 32 || b == 127) c = '_';
    }
    return out;
}

namespace {

void appendUtf8(unsigned cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 codes 0x80 .. 0x9F; 0 where the code page assigns nothing.
constexpr unsigned short kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

bool isValidUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        unsigned c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more;
        unsigned cp;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= more) return false;
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        // overlong forms, surrogates and code points beyond U+10FFFF are no UTF-8
        if ((more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += more + 1;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (char ch : s) {
        auto b = static_cast<unsigned char>(ch);
        unsigned cp = b;
        if (b >= 0x80 && b < 0xA0 && kCp1252High[b - 0x80] != 0) cp = kCp1252High[b - 0x80];
        appendUtf8(cp, out);
    }
    return out;
}

std::string toUtf8(std::string_view s) {
    if (isValidUtf8(s)) return std::string(s);
    return windows1252ToUtf8(s);
}

std::string cutUtf8(std::string_view s, std::size_t maxChars) {
    std::size_t chars = 0;
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;  // continuation
        if (chars == maxChars) break;
        ++chars;
    }
    return std::string(s.substr(0, i));
}

namespace {

// UTF-16 without a byte-order mark, told from the zero bytes of its ASCII text: in the first
// bytes (at least two characters) every second byte is zero and the others are not, from the
// first byte on (big-endian) or the second (little-endian). Nothing else a well-log reader
// takes looks like that: text in any 8-bit encoding has no zero bytes.
std::optional<bool> unmarkedUtf16BigEndian(std::string_view b) {
    constexpr std::size_t kLook = 256;
    const std::size_t n = std::min(b.size(), kLook) & ~std::size_t{1};
    if (n < 4) return std::nullopt;
    bool little = true, big = true;
    for (std::size_t i = 0; i < n; i += 2) {
        const bool zero0 = b[i] == '\0', zero1 = b[i + 1] == '\0';
        little = little && !zero0 && zero1;
        big = big && zero0 && !zero1;
    }
    if (little) return false;
    if (big) return true;
    return std::nullopt;
}

}  // namespace

bool Utf16Decoder::start(std::string_view b) {
    if (b.size() >= 2) {
        auto b0 = static_cast<unsigned char>(b[0]);
        auto b1 = static_cast<unsigned char>(b[1]);
        if (b0 == 0xFF && b1 == 0xFE) {
            active_ = true;
            bigEndian_ = false;
        } else if (b0 == 0xFE && b1 == 0xFF) {
            active_ = true;
            bigEndian_ = true;
        }
    }
    skipMark_ = active_;
    if (!active_) {
        if (auto bigEndian = unmarkedUtf16BigEndian(b)) {
            active_ = true;
            bigEndian_ = *bigEndian;
        }
    }
    return active_;
}

void Utf16Decoder::put(unsigned unit, std::string& out) {
    if (highSurrogate_ != 0) {
        unsigned high = highSurrogate_;
        highSurrogate_ = 0;
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            appendUtf8(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00), out);
            return;
        }
        appendUtf8(0xFFFD, out);  // a high surrogate without its pair
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        highSurrogate_ = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
        appendUtf8(0xFFFD, out);
    } else {
        appendUtf8(unit, out);
    }
}

void Utf16Decoder::decode(std::string_view bytes, std::string& out) {
    out.reserve(out.size() + bytes.size() / 2 + 1);
    for (char ch : bytes) {
        int b = static_cast<unsigned char>(ch);
        if (pending_ < 0) {
            pending_ = b;
            continue;
        }
        unsigned unit = bigEndian_
                            ? (static_cast<unsigned>(pending_) << 8) | static_cast<unsigned>(b)
                            : (static_cast<unsigned>(b) << 8) | static_cast<unsigned>(pending_);
        pending_ = -1;
        if (skipMark_) {
            skipMark_ = false;
            if (unit == 0xFEFF) continue;
        }
        put(unit, out);
    }
}

std::string_view withoutUnicodeMarks(std::string_view bytes, std::string& storage) {
    Utf16Decoder decoder;
    if (decoder.start(bytes)) {
        storage.clear();
        decoder.decode(bytes, storage);
        return storage;
    }
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    return bytes;
}

}  // namespace lithora
