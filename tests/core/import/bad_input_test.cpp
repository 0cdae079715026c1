// Truncated, empty, binary, UTF-16 and huge input: every reader either reads it or refuses
// it with its own message, and never crashes, hangs or reads outside its input.
#include <gtest/gtest.h>

#include <random>

#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "import_test_support.h"

namespace lithora::import {
namespace {

using namespace lithora::import::testing;

// Reads text as LAS; true when it was read, false when refused with "Error reading file.".
bool lasReadsOrRefuses(std::string_view text) {
    try {
        ImportResult r = readLas(text);
        expectConsistent(r);
        return true;
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Error reading file.");
        return false;
    }
}

bool asciiReadsOrRefuses(std::string_view text) {
    try {
        ImportResult r = readAscii(text, "f.txt");
        expectConsistent(r);
        return true;
    } catch (const AsciiHeaderError& e) {
        EXPECT_STREQ(e.what(), "Error reading file : f.txt");
        return false;
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Error reading file.");
        return false;
    }
}

std::string utf16(std::string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : text) {
        if (bigEndian) out += '\0';
        out += c;
        if (!bigEndian) out += '\0';
    }
    return out;
}

TEST(BadInput, EmptyInput) {
    expectError([] { readLas(""); }, "Error reading file.");
    expectError([] { readLas("\n"); }, "Error reading file.");
    expectError([] { readAscii("", "f.txt"); }, "Error reading file : f.txt");
    LasStream stream;
    expectError([&] { stream.finish(); }, "Error reading file.");
    // a stream that has finished or failed takes nothing more
    expectError([&] { stream.feed("x"); }, "Error reading file.");
}

TEST(BadInput, EveryTruncationOfAFileReadsOrIsRefused) {
    const std::string las = fileBytes(testData("las/descending.las"));
    std::size_t read = 0;
    for (std::size_t n = 0; n <= las.size(); ++n) {
        // a copy of exactly n bytes, so reading past it is caught by the address checker
        std::unique_ptr<char[]> cut(new char[n == 0 ? 1 : n]);
        std::copy_n(las.data(), n, cut.get());
        if (lasReadsOrRefuses(std::string_view(cut.get(), n))) ++read;
    }
    EXPECT_GT(read, 0u);

    const std::string ascii = fileBytes(testData("ascii/elastic_export.txt"));
    for (std::size_t n = 0; n <= ascii.size(); ++n) {
        std::unique_ptr<char[]> cut(new char[n == 0 ? 1 : n]);
        std::copy_n(ascii.data(), n, cut.get());
        asciiReadsOrRefuses(std::string_view(cut.get(), n));
    }
}

TEST(BadInput, BinaryAndDamagedInput) {
    std::mt19937 random(20240611);
    auto bytes = [&](std::size_t n) {
        std::string s(n, '\0');
        for (char& c : s) c = static_cast<char>(random() & 0xFF);
        return s;
    };
    for (int i = 0; i < 200; ++i) {
        std::string junk = bytes(random() % 5000);
        lasReadsOrRefuses(junk);
        asciiReadsOrRefuses(junk);
    }
    // a valid header in front of binary data: read with nulls or refused, never a crash
    const std::string header = lasText(" DEPT.M : d\n GR.GAPI : g\n", "");
    const std::string asciiHeader = "Column 1 : DEPTH m\nColumn 2 : A (A) - Units : \n";
    for (int i = 0; i < 100; ++i) {
        std::string junk = bytes(random() % 20000);
        lasReadsOrRefuses(header + junk);
        asciiReadsOrRefuses(asciiHeader + junk);
    }
    // good files with bytes changed at random
    const std::string las = fileBytes(testData("las/wrapped.las"));
    const std::string ascii = fileBytes(testData("ascii/elastic_export.txt"));
    for (int i = 0; i < 300; ++i) {
        std::string a = las, b = ascii;
        for (int k = 0; k < 4; ++k) {
            a[random() % a.size()] = static_cast<char>(random() & 0xFF);
            b[random() % b.size()] = static_cast<char>(random() & 0xFF);
        }
        lasReadsOrRefuses(a);
        asciiReadsOrRefuses(b);
    }
}

// A refusal names the first rule the file breaks and, where a line breaks it, that line.
TEST(BadInput, RefusalsNameTheLineThatBreaksTheRule) {
    const std::string curves = " DEPT.M : d\n GR.GAPI : g\n";  // lines 11 and 12; "~A" is 13
    std::string notANumberNull = lasText(curves, "1 2\n", "none");
    std::string binary = "~VERSION\n VERS. 2.0 :\n\x89PNG\r\n\x1a\n";
    binary += std::string("\0\0\0\rIHDR\0\0\x01", 12) + "\n\x02\x03";
    const std::pair<std::string, std::string> lasCases[] = {
        {notANumberNull, "line 8: its NULL item is not a number"},
        {lasText("", "1 2\n"), "line 10: its curve section defines no curve"},
        {lasText(curves, "\n# depths in clock time\n08:00 2\n08:01 3\n"),
         "its data section, from line 14, holds no row with a depth"},
        // a header line holding zero bytes: binary, whatever else is missing
        {binary, "line 5: it is not text: the file holds binary data"},
        {"~VERSION\n" + std::string("\0\0", 2) + "\n" + std::string(17u << 20, 'x'),
         "line 2: it is not text: the file holds binary data"},
    };
    for (const auto& [text, reason] : lasCases) {
        SCOPED_TRACE(reason);
        EXPECT_EQ(refusal([&] { readLas(text); }), reason);
    }
    // lines counted with CR LF line ends too, and in a last line without line end
    EXPECT_EQ(
        refusal([] { readAscii("Column 1 : DEPTH m\r\nColumn 2 : GR\r\n1\t2\r\n2\tx", "f.txt"); }),
        "line 4: the value \"x\" is not a number");
    EXPECT_EQ(refusal([] { readAscii("Column 1 : DEPTH m\nColumn:\n1\t2\n", "f.txt"); }),
              "line 2: a column of its header has no name");
}

TEST(BadInput, Utf16FilesReadLikeTheirEightBitText) {
    const std::string las = fileBytes(testData("las/descending.las"));
    const ImportResult plain = readLas(las);
    for (bool bigEndian : {false, true}) {
        ImportResult r = readLas(utf16(las, bigEndian));
        EXPECT_EQ(r.headerLines, plain.headerLines);
        EXPECT_EQ(r.fieldNames, plain.fieldNames);
        for (std::size_t c = 0; c < r.columns.size(); ++c)
            EXPECT_EQ(shown(r.columns[c]), shown(plain.columns[c]));
        // in pieces, also with the byte-order mark and characters split between them
        LasStream stream;
        std::string bytes = utf16(las, bigEndian);
        for (std::size_t i = 0; i < bytes.size(); i += 3)
            stream.feed(std::string_view(bytes).substr(i, 3));
        EXPECT_EQ(shown(stream.finish().columns[0]), shown(plain.columns[0]));
    }
    const std::string ascii = fileBytes(testData("ascii/elastic_export.txt"));
    ImportResult r = readAscii(utf16(ascii, false), "f.txt");
    EXPECT_EQ(r.fieldNames, readAscii(ascii, "f.txt").fieldNames);
    // UTF-16 without the characters of a LAS file, and an odd byte count
    lasReadsOrRefuses(utf16(std::string(999, '\x7F'), true) + "x");
}

TEST(BadInput, HugeInput) {
    // one line without line end, tens of megabytes: refused without rescanning it piece by piece
    std::string line(48u << 20, 'x');
    {
        LasStream stream(line.size());
        expectError(
            [&] {
                for (std::size_t i = 0; i < line.size(); i += 1u << 20)
                    stream.feed(std::string_view(line).substr(i, 1u << 20));
                stream.finish();
            },
            "Error reading file.");
    }
    expectError([&] { readAscii(line, "f.txt"); }, "Error reading file : f.txt");
    // a header of millions of empty lines and no data section
    expectError([] { readLas(std::string(3u << 20, '\n')); }, "Error reading file.");
    // a token of many megabytes in the data is one null sample
    ImportResult r = readLas(lasText(" DEPT.M : d\n GR.GAPI : g\n",
                                     "1 2\n3 " + std::string(16u << 20, '7') + "x\n5 6\n"));
    EXPECT_EQ(shown(r.columns[1]), shown({2, kNull, 6}));
    // a number of many digits is a number
    r = readLas(lasText(" DEPT.M : d\n GR.GAPI : g\n", "1 " + std::string(1u << 20, '1') + "\n"));
    EXPECT_TRUE(std::isnan(r.columns[1][0]));  // beyond the range of a double
    r = readLas(lasText(" DEPT.M : d\n GR.GAPI : g\n", "1 0." + std::string(1u << 20, '5') + "\n"));
    EXPECT_DOUBLE_EQ(r.columns[1][0], 0.5555555555555556);
    // an ASCII data line of many megabytes
    r = readAscii(
        "Column 1 : DEPTH m\nColumn 2 : A (A) - Units : \n1\t" + std::string(8u << 20, '\t') + "\n",
        "f.txt");
    EXPECT_EQ(shown(r.columns[1]), shown({kNull}));
}

}  // namespace
}  // namespace lithora::import
