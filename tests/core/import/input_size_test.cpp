// Inputs whose size or shape could make a reader hold far more than the file (declared
// curves the lines never fill, a header without end) or that decode larger than they are
// (UTF-16 text outside ASCII): each is read, or refused with its reason, within bounds.
#include <gtest/gtest.h>

#include <string>

#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "import_test_support.h"

namespace lithora::import {
namespace {

using namespace lithora::import::testing;

std::string utf16le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

TEST(InputSize, AUtf16FileWithAVeryLongHeaderLineReads) {
    // 200,000 euro signs: 400 KB in the file, 600 KB once decoded, more than the data after it.
    std::u16string text =
        u"~VERSION\n VERS. 2.0 :\n WRAP. NO :\n~WELL\n NULL. -999.25 :\n"
        u"~OTHER\n";
    text.append(200000, u'\u20AC');
    text += u"\n~CURVE\n DEPT.M : D\n GR.GAPI : G\n~A\n";
    constexpr int kRows = 30000;
    for (int i = 0; i < kRows; ++i) text += u"1500.25 45.5\n";
    const std::string bytes = utf16le(text);

    const ImportResult r = readLas(bytes);
    ASSERT_EQ(r.rowCount(), static_cast<std::size_t>(kRows));
    EXPECT_EQ(r.columns[1].back(), 45.5);
    EXPECT_EQ(r.headerLines[6].size(), 600000u);  // UTF-8, three bytes each
    const auto file = std::filesystem::temp_directory_path() / "lithora_long_header.las";
    std::ofstream(file, std::ios::binary) << bytes;
    EXPECT_EQ(readLasFile(file).rowCount(), static_cast<std::size_t>(kRows));
    std::filesystem::remove(file);
}

// A file that declares thousands of curves and then holds one value or none per line is not
// the file its header describes: it is refused before its padding is made.
TEST(InputSize, LinesFarShorterThanTheHeaderSaysAreRefused) {
    std::string curves;
    for (int i = 0; i < 10900; ++i) curves += ".\n";  // each a curve without a name
    std::string oneValue;
    for (int i = 0; i < 10000; ++i) oneValue += "1\n";
    const std::string las = lasText(curves, oneValue);
    EXPECT_LT(las.size(), 64u << 10);
    // the first data line after 10 header lines, 10900 curve lines and "~A" is named
    EXPECT_TRUE(refusal([&] { readLas(las); })
                    .starts_with("line 10912: its data lines hold far fewer values than the "
                                 "10900 curves"));

    std::string ascii = "Column 1 : DEPTH m\n";
    for (int i = 0; i < 5000; ++i) ascii += "Column:a\n";
    ascii += std::string(20000, '\n') + "1\n";
    EXPECT_LT(ascii.size(), 70u << 10);
    // the first line after the 5001 header lines, an empty one
    EXPECT_TRUE(refusal([&] {
                    readAscii(ascii, "wide.txt");
                }).starts_with("line 5002: its data lines hold far fewer values than the 5001"));
}

// Files with a few short or empty lines are what real logs look like: they still read.
TEST(InputSize, AFewShortLinesStillRead) {
    const ImportResult las =
        readLas(lasText(" DEPT.M : d\n GR.GAPI : g\n DT.US/M : t\n", "1 2 3\n2 5\n3\n4 6 7\n"));
    EXPECT_EQ(shown(las.columns[2]), shown({3, kNull, kNull, 7}));
    EXPECT_EQ(las.warnings.size(), 1u);

    std::string header = "Column 1 : DEPTH m\n";
    for (int i = 2; i <= 400; ++i)
        header += "Column " + std::to_string(i) + " : C (C) - Units : u\n";
    std::string data;
    for (int row = 0; row < 200; ++row) data += row % 10 == 0 ? "\n" : "1\t2\n";
    const ImportResult ascii = readAscii(header + data, "f.txt");
    EXPECT_EQ(ascii.rowCount(), 200u);
    EXPECT_EQ(ascii.columns[0][1], 1);
    EXPECT_TRUE(std::isnan(ascii.columns[1][1]));
    EXPECT_EQ(ascii.columns[399][1], 2);
}

TEST(InputSize, AHeaderWithoutEndIsRefusedAtABound) {
    // 40 MB and no line end: refused once the header passes its bound, not held whole.
    const std::string chunk(1u << 20, 'x');
    LasStream stream;
    std::size_t fed = 0;
    const std::string reason = refusal([&] {
        for (int i = 0; i < 40; ++i) {
            stream.feed(chunk);
            fed += chunk.size();
        }
    });
    EXPECT_NE(reason.find("header runs on for more than 16 MiB"), std::string::npos) << reason;
    EXPECT_LE(fed, 17u << 20);
    // A long header that does end is read.
    const std::string otherLine(4u << 20, 'o');
    EXPECT_EQ(
        readLas(lasText(" DEPT.M : d\n~OTHER\n" + otherLine + "\n~CURVE\n GR.GAPI : g\n", "1 2\n"))
            .rowCount(),
        1u);
}

TEST(InputSize, AnAsciiLineWithoutTabsUnderManyColumnsIsReadOnce) {
    std::string text = "Column 1 : DEPTH m\n";
    for (int i = 2; i <= 2000; ++i)
        text += "Column " + std::to_string(i) + " : C (C) - Units : u\n";
    text += "1500.5" + std::string(1u << 20, ' ') + "\n";
    const ImportResult r = readAscii(text, "f.txt");
    ASSERT_EQ(r.rowCount(), 1u);
    // The depth is the last value here: every column before it is null.
    EXPECT_TRUE(std::isnan(r.columns[0][0]));
    EXPECT_EQ(r.columns[1999][0], 1500.5);
}

}  // namespace
}  // namespace lithora::import
