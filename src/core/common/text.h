#pragma once
#include <limits>
#include <string>
#include <string_view>

// Text helpers shared by the modules: the null sample, ASCII case folding, LAS section titles
// and the decoding of the text of files into the UTF-8 the program holds.
namespace lithora {

// A null sample: a quiet NaN.
inline constexpr double kNullSample = std::numeric_limits<double>::quiet_NaN();

// ASCII letters folded to lower case; other bytes (UTF-8 included) kept.
std::string lowerAscii(std::string_view s);

// The section title of a LAS line: the line from its "~" when the "~" is the first character
// after blanks and tabs, else empty. Reader and writer both recognise sections by this rule.
std::string_view lasSectionTitle(std::string_view line);
// Whether the line is a section title that begins with prefix ("~C", "~A", or "~" for any).
inline bool isLasSection(std::string_view line, std::string_view prefix) {
    return lasSectionTitle(line).starts_with(prefix);
}

// Control characters (below 32, and 127) replaced by '_', so a name or unit holds only
// characters that can be shown and stored as they are.
std::string withoutControlCharacters(std::string_view s);

// Text of a file: a UTF-16 file (with byte-order mark) is decoded; other text is UTF-8 when
// its bytes are valid UTF-8 (a byte-order mark dropped), else Windows-1252.
bool isValidUtf8(std::string_view s);
// Windows-1252 bytes as UTF-8 (the five unassigned codes as their C1 control characters).
std::string windows1252ToUtf8(std::string_view s);
// The text as UTF-8: kept when valid UTF-8, else read as Windows-1252.
std::string toUtf8(std::string_view s);
// At most maxChars characters of UTF-8 text, never cut inside a character.
std::string cutUtf8(std::string_view s, std::size_t maxChars);

// The UTF-8 byte-order mark.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Decodes a file saved as UTF-16 into UTF-8, chunk by chunk.
class Utf16Decoder {
  public:
    // Looks at the first bytes of a file; true when they are a UTF-16 byte-order mark, or
    // UTF-16 text without one (every second byte of its first characters zero).
    bool start(std::string_view firstBytes);
    bool active() const { return active_; }
    void decode(std::string_view bytes, std::string& out);

  private:
    void put(unsigned codePoint, std::string& out);
    bool active_ = false;
    bool bigEndian_ = false;
    bool skipMark_ = false;
    int pending_ = -1;
    unsigned highSurrogate_ = 0;
};

// Whole-text form: UTF-16 decoded to UTF-8, a UTF-8 byte-order mark dropped; other bytes are
// returned as they are (storage is used when the text had to change).
std::string_view withoutUnicodeMarks(std::string_view bytes, std::string& storage);

}  // namespace lithora
