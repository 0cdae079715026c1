#include "core/common/text.h"

#include <gtest/gtest.h>

namespace lithora {
namespace {

TEST(Text, DecodingRule) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string utf8;
    };
    const std::vector<Case> cases = {
        {"ASCII", "DT.US/F", "DT.US/F"},
        {"valid UTF-8 kept", "\xc2\xb5s/ft \xe2\x82\xac \xf0\x9f\x98\x80",
         "\xc2\xb5s/ft \xe2\x82\xac \xf0\x9f\x98\x80"},
        {"Windows-1252",
         "\xb5S/CM \xb0"
         "F \x80 \x93q\x94",
         "\xc2\xb5S/CM \xc2\xb0"
         "F \xe2\x82\xac \xe2\x80\x9cq\xe2\x80\x9d"},
        {"overlong form is no UTF-8", "\xc0\xaf", "\xc3\x80\xc2\xaf"},
        {"surrogate is no UTF-8", "\xed\xa0\x80", "\xc3\xad\xc2\xa0\xe2\x82\xac"},
        {"cut sequence is no UTF-8", "ab\xe2\x82", "ab\xc3\xa2\xe2\x80\x9a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toUtf8(c.bytes), c.utf8) << c.what;
        EXPECT_TRUE(isValidUtf8(c.utf8)) << c.what;
    }
}

TEST(Text, Utf16WithMarkDecodesInAnyPieces) {
    // "µ€😀\n" little- and big-endian, with byte-order mark
    const std::string le("\xff\xfe\xb5\x00\xac\x20\x3d\xd8\x00\xde\x0a\x00", 12);
    const std::string be("\xfe\xff\x00\xb5\x20\xac\xd8\x3d\xde\x00\x00\x0a", 12);
    const std::string want = "\xc2\xb5\xe2\x82\xac\xf0\x9f\x98\x80\n";
    for (const std::string* bytes : {&le, &be}) {
        for (std::size_t piece : {1u, 3u, 12u}) {
            Utf16Decoder d;
            ASSERT_TRUE(d.start(*bytes));
            std::string out;
            for (std::size_t i = 0; i < bytes->size(); i += piece)
                d.decode(bytes->substr(i, piece), out);
            EXPECT_EQ(out, want) << piece;
        }
    }
    std::string storage;
    EXPECT_EQ(withoutUnicodeMarks(le, storage), want);
    EXPECT_EQ(withoutUnicodeMarks("\xef\xbb\xbf~V", storage), "~V");
    EXPECT_EQ(withoutUnicodeMarks("\xb5", storage), "\xb5");
}

TEST(Text, CutNeverSplitsACharacter) {
    EXPECT_EQ(cutUtf8("abc", 2), "ab");
    EXPECT_EQ(cutUtf8("\xc2\xb5\xc2\xb5\xc2\xb5", 2), "\xc2\xb5\xc2\xb5");
    EXPECT_EQ(cutUtf8("a\xf0\x9f\x98\x80", 1), "a");
    EXPECT_EQ(cutUtf8("", 30), "");
}

TEST(Text, SectionTitlesAndNames) {
    EXPECT_EQ(lasSectionTitle("~CURVE"), "~CURVE");
    EXPECT_EQ(lasSectionTitle(" \t~A  DEPTH"), "~A  DEPTH");
    EXPECT_EQ(lasSectionTitle("# ~A"), "");
    EXPECT_EQ(lasSectionTitle(" DEPT.M ~"), "");
    EXPECT_TRUE(isLasSection("  ~C", "~C"));
    EXPECT_FALSE(isLasSection("~c", "~C"));
    EXPECT_TRUE(isLasSection(" ~Other", "~"));
    EXPECT_EQ(lowerAscii("RHOB_\xc2\xb5Z"), "rhob_\xc2\xb5z");
    EXPECT_EQ(withoutControlCharacters(std::string("RHOB\0X\t\x7f", 8)), "RHOB_X__");
}

}  // namespace
}  // namespace lithora
