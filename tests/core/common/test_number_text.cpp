#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/common/number_text.h"

using lithora::numberText;
using lithora::parseNumber;

namespace {

struct TextCase {
    double value;
    char separator;
    const char* text;
};

class NumberTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberTextTest, ShortestFormWithFifteenDigits) {
    const auto& c = GetParam();
    EXPECT_EQ(numberText(c.value, c.separator), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTextTest,
    ::testing::Values(TextCase{1500, '.', "1500"}, TextCase{0.2534, '.', "0.2534"},
                      TextCase{-12.5, '.', "-12.5"}, TextCase{0.00001, '.', "0.00001"},
                      TextCase{1E-6, '.', "1E-6"}, TextCase{-1.234E-6, '.', "-1.234E-6"},
                      TextCase{123456789012345, '.', "123456789012345"},
                      TextCase{1E15, '.', "1E15"}, TextCase{1.5E15, '.', "1.5E15"},
                      TextCase{0.1 + 0.2, '.', "0.3"},
                      TextCase{2.0 / 3.0, '.', "0.666666666666667"}, TextCase{-0.0, '.', "0"},
                      TextCase{0.2534, ',', "0,2534"}, TextCase{1500.25, ',', "1500,25"},
                      TextCase{1E-6 * 1.5, ',', "1,5E-6"},
                      TextCase{std::numeric_limits<double>::quiet_NaN(), '.', ""}));

// Fewer decimals for a display short of room: rounded, never cut, the form kept.
TEST(NumberText, AtMostSomeDecimals) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{152899.8476, 4, "152899.8476"},
                 {152899.8476, 2, "152899.85"},
                 {152899.8476, 0, "152900"},
                 {0.1523999045, 3, "0.152"},
                 {-12.25, 1, "-12.2"},
                 {1.26E-7, 1, "1.3E-7"},
                 {1.25E-7, 0, "1E-7"},
                 {1.5E15, 0, "2E15"},
                 {1.5E15, 3, "1.5E15"},
                 {9.96E20, 1, "1E21"},
                 {0.0004, 2, "0"},
                 {2.5, 0, "2"},
                 {1234.5678, -1, "1235"}};
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value, '.', c.decimals), c.text) << c.value << " " << c.decimals;
    EXPECT_EQ(numberText(1500.25, ',', 1), "1500,2");
    EXPECT_EQ(numberText(1.26E-7, ',', 1), "1,3E-7");
    EXPECT_EQ(numberText(std::numeric_limits<double>::quiet_NaN(), '.', 2), "");
}

TEST(ParseNumber, WholeTokensOnly) {
    EXPECT_EQ(parseNumber("-999.25"), -999.25);
    EXPECT_EQ(parseNumber(" 1E-6 "), 1E-6);
    EXPECT_EQ(parseNumber("+2.5"), 2.5);
    EXPECT_EQ(parseNumber("0,25", ','), 0.25);
    for (const char* bad :
         {"", " ", "1.5x", "-1.#IND", "(null)", "nan", "inf", "1,5", "--1", "+-1", "1e999"})
        EXPECT_FALSE(parseNumber(bad).has_value()) << bad;
    EXPECT_FALSE(parseNumber("1.5", ',').has_value());
}

TEST(NumberText, FourDecimalValuesMatchPrintfAndReadBack) {
    // Values as the elastic table stores them, over many magnitudes and signs.
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const double magnitude = std::pow(10.0, static_cast<int>(seed % 14) - 4);
        const double v = std::nearbyint((seed % 1000003) * magnitude / 1000003.0 * 1e4) / 1e4 *
                         ((seed & 1) ? -1 : 1);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.4f", v);
        std::string expected(buf);
        while (expected.back() == '0') expected.pop_back();
        if (expected.back() == '.') expected.pop_back();
        if (expected == "-0") expected = "0";
        if (std::fabs(v) >= 1e15 || (v != 0 && std::fabs(v) < 1e-5)) continue;
        ASSERT_EQ(numberText(v), expected) << v;
        ASSERT_EQ(parseNumber(numberText(v)), v);
    }
}

// Random doubles of every kind: any bit pattern, binary fractions whose decimal expansion ends
// exactly on a 5 after the 15th digit (ties), and decimals of 16 and 17 digits.
std::vector<double> awkwardDoubles() {
    std::vector<double> out = {7.152557373046875e-07,  // 3 * 2^-22, a tie at the 15th digit
                               0.1 + 0.2,
                               1.0 / 3.0,
                               2.0 / 3.0,
                               9007199254740993.0,
                               std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::denorm_min(),
                               99999.999999999995,
                               0.000099999999999999995,
                               999999999999999.5};
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 20000; ++i) {
        double bits;
        const std::uint64_t r = next();
        std::memcpy(&bits, &r, sizeof bits);
        if (std::isfinite(bits)) out.push_back(bits);
        out.push_back(
            std::ldexp(static_cast<double>(next() % (1ull << 53)), -static_cast<int>(next() % 80)));
        out.push_back(static_cast<double>(next() % 100000000000000000ull) *
                      std::pow(10.0, static_cast<int>(next() % 40) - 25));
    }
    return out;
}

TEST(NumberText, FifteenDigitRoundingAgreesWithPrintf) {
    // The text is the value rounded to 15 significant digits from its exact binary value, as
    // printf rounds it (ties to even); the digits are checked through the number they read
    // as, since distinct 15-digit decimals are distinct doubles.
    for (double v : awkwardDoubles()) {
        for (double x : {v, -v}) {
            if (x == 0) continue;
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.14e", x);
            const double rounded = std::strtod(buf, nullptr);
            if (std::isinf(rounded)) {  // the largest doubles round past the largest double
                ASSERT_EQ(numberText(x), x > 0 ? "1.79769313486232E308" : "-1.79769313486232E308");
                continue;
            }
            ASSERT_EQ(parseNumber(numberText(x)), rounded) << buf;
            // fewer decimals: fixed text as printf's "%.Nf", exponent text as its "%.Ne"
            const std::string full = numberText(x);
            for (int decimals : {0, 2, 4}) {
                const bool exponent = full.find('E') != std::string::npos;
                std::snprintf(buf, sizeof buf, exponent ? "%.*e" : "%.*f", decimals, x);
                const auto shown = parseNumber(numberText(x, '.', decimals));
                ASSERT_TRUE(shown.has_value()) << x;
                // only a text with more decimals than asked for is rounded
                const auto point = full.find('.');
                const auto end = exponent ? full.find('E') : full.size();
                // (a mantissa rounded past the largest double keeps the number unrounded)
                if (point != std::string::npos && end - point - 1 > std::size_t(decimals) &&
                    std::isfinite(std::strtod(buf, nullptr))) {
                    ASSERT_EQ(*shown, parseNumber(numberText(std::strtod(buf, nullptr))))
                        << x << " " << decimals;
                }
            }
        }
    }
}

TEST(ParseNumber, RoundTripsItsOwnText) {
    for (double v : {1500.0, 0.2534, -12.5, 1E-6, 123456789012345.0, 1E15, 3047.9999})
        EXPECT_EQ(parseNumber(numberText(v)), v) << v;
}

}  // namespace
