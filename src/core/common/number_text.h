#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lithora {

// The text form of a number as the program shows and writes it: the value rounded to 15
// significant digits, trailing zeros and a trailing decimal point dropped, fixed notation
// for magnitudes from 0.00001 up to 15 integer digits and exponent notation outside that
// range ("1E-6", "1.5E15"). Files always use '.'; the screen uses the regional separator.
// NaN (a null sample) gives the empty text.
std::string numberText(double value, char decimalSeparator = '.');
// The same text appended to out, for writers that build every line in one reused buffer.
void appendNumberText(std::string& out, double value, char decimalSeparator = '.');

// The same text with at most maxDecimals decimals: in fixed notation the value rounded to that
// many decimals, in exponent notation its mantissa rounded so ("1.3E-7" for 1.25E-7 and one
// decimal), trailing zeros dropped as always. A display short of room asks for fewer and fewer
// decimals until the text fits; the number stays the number it was, only less precise.
std::string numberText(double value, char decimalSeparator, int maxDecimals);

// Parses a whole token as a number with the given decimal separator: optional sign, digits,
// fraction, exponent; surrounding blanks are allowed. Anything else gives nullopt, so an
// empty or half-numeric token never silently reads as 0.
std::optional<double> parseNumber(std::string_view text, char decimalSeparator = '.');

// Reads the number at the start of [first, last) as std::from_chars does (optional minus,
// digits, fraction, exponent). A number too small for a double reads as zero of its sign, as
// a subnormal when it is one. Returns the end of the number; nullptr when there is no number
// or it is too large for a double.
const char* parseDouble(const char* first, const char* last, double& value);

// Blank trimming (space, tab, CR, LF) as the readers and writers use it.
std::string_view trimView(std::string_view s);
std::string trim(std::string_view s);

}  // namespace lithora
