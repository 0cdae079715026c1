#include "core/session/session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/error.h"
#include "support/temp_folder.h"

namespace {

using namespace lithora;
using session::Session;

// A session with every field set to a value other than its default.
Session fullSession(const std::filesystem::path& source) {
    Session s;
    s.source = {source, session::SourceFile::Kind::Ascii, 1234, 0xfedcba9876543210ULL};
    session::ElasticSettings e;
    e.curves = {"RHOB", "GR", "DT", "DTS"};
    e.measuredVs = true;
    e.units = {compute::SonicUnit::PerFoot, compute::SonicUnit::PerMetre,
               compute::DensityUnit::KgPerM3};
    e.vs = {compute::VsEquationKind::Lithology, 0.8619, 1172.5};
    e.computedWithin = session::DepthBounds{1500.25, 1700.125};
    s.elastic = e;
    s.filter = session::DepthBounds{1510.1, 1650.3};
    s.litholog = {{1500, 1550.75, "Sandstone"}, {1550.75, 1600.1, "Shale"}};
    s.tracks.tracks = {{3, true, 120}, {1, false, 80}, {2, true, 60}};
    s.looks = {{1, 0.1, 200.5, true, "#ff0000"}, {2, -3, 3, false, "#00a0ff"}};
    s.openWindows = {"ElasticCorrelations", "CrossPlots"};
    return s;
}

TEST(SessionFile, WrittenFileReadsBackFieldForField) {
    test::TempFolder dir;
    const Session saved = fullSession(dir.file("well ü.txt"));
    const auto file = dir.file("well.lithora");
    session::writeSessionFile(file, saved);

    const session::SessionRead read = session::readSessionFile(file);
    ASSERT_TRUE(read.session) << read.error;
    const Session& s = *read.session;
    EXPECT_EQ(s.source, saved.source);
    ASSERT_TRUE(s.elastic);
    EXPECT_EQ(s.elastic->curves.density, "RHOB");
    EXPECT_EQ(s.elastic->curves.gammaRay, "GR");
    EXPECT_EQ(s.elastic->curves.pWave, "DT");
    EXPECT_EQ(s.elastic->curves.sWave, "DTS");
    EXPECT_TRUE(s.elastic->measuredVs);
    EXPECT_EQ(s.elastic->units.pSonic, compute::SonicUnit::PerFoot);
    EXPECT_EQ(s.elastic->units.sSonic, compute::SonicUnit::PerMetre);
    EXPECT_EQ(s.elastic->units.density, compute::DensityUnit::KgPerM3);
    EXPECT_EQ(s.elastic->vs.kind, compute::VsEquationKind::Lithology);
    EXPECT_DOUBLE_EQ(s.elastic->vs.slope, 0.8619);
    EXPECT_DOUBLE_EQ(s.elastic->vs.intercept, 1172.5);
    EXPECT_EQ(s.elastic->computedWithin, saved.elastic->computedWithin);
    // Depths come back to the bit: a restored filter selects the same records.
    EXPECT_EQ(s.filter, saved.filter);
    EXPECT_EQ(s.litholog, saved.litholog);
    EXPECT_EQ(s.tracks, saved.tracks);
    EXPECT_EQ(s.looks, saved.looks);
    EXPECT_EQ(s.openWindows, saved.openWindows);
    EXPECT_EQ(s, saved);
}

TEST(SessionFile, OptionalPartsStayAbsentAndLinesEndWithCrLf) {
    test::TempFolder dir;
    Session saved;
    saved.source.path = dir.file("w.las");
    const std::string text = session::sessionText(saved);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_EQ(text[i - 1], '\r') << "at " << i;
        }
    }
    const auto read = session::readSessionText(text);
    ASSERT_TRUE(read.session) << read.error;
    EXPECT_FALSE(read.session->elastic);
    EXPECT_FALSE(read.session->filter);
    EXPECT_EQ(*read.session, saved);
}

// Every cut of a good file is refused with a reason, never read as a session.
TEST(SessionFile, EveryTruncationIsRefused) {
    test::TempFolder dir;
    const std::string text = session::sessionText(fullSession(dir.file("w.las")));
    const std::size_t end = text.rfind('}');
    for (std::size_t n = 0; n < end; ++n) {
        const auto read = session::readSessionText(std::string_view(text).substr(0, n));
        ASSERT_FALSE(read.session) << "cut at " << n;
        ASSERT_FALSE(read.error.empty()) << "cut at " << n;
    }
}

struct DamagedCase {
    const char* name;
    const char* from;  // replaced in a good file's text
    const char* to;
    const char* says;  // part of the reason
};

class DamagedSession : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedSession, IsRefusedWithItsReason) {
    test::TempFolder dir;
    std::string text = session::sessionText(fullSession(dir.file("w.las")));
    const DamagedCase& c = GetParam();
    const auto at = text.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.from;
    text.replace(at, std::string(c.from).size(), c.to);
    const auto read = session::readSessionText(text);
    EXPECT_FALSE(read.session);
    EXPECT_NE(read.error.find(c.says), std::string::npos) << read.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedSession,
    testing::Values(
        DamagedCase{"NewerVersion", "\"version\": 1", "\"version\": 7", "newer version of Lithora"},
        DamagedCase{"NoVersion", "\"version\": 1", "\"versio\": 1", "no version number"},
        DamagedCase{"TextVersion", "\"version\": 1", "\"version\": \"1\"", "no version number"},
        DamagedCase{"NoSource", "\"source\"", "\"sauce\"", "has no \"source\""},
        DamagedCase{"BadChecksum", "\"fedcba9876543210\"", "\"xyz\"", "hexadecimal"},
        DamagedCase{"NegativeSize", "\"size\": 1234", "\"size\": -1", "is not a size"},
        DamagedCase{"UnknownKind", "\"ascii\"", "\"excel\"", "unknown value \"excel\""},
        DamagedCase{"UnknownSonicUnit", "\"us/ft\"", "\"furlongs\"", "p_sonic_unit"},
        DamagedCase{"TextForNumber", "\"slope\": 0.8619", "\"slope\": \"fast\"", "slope"},
        DamagedCase{"FilterUpsideDown", "\"top\": 1510.1", "\"top\": 9999", "top below"},
        DamagedCase{"UnknownLithology", "\"Shale\"", "\"Cheese\"", "names no lithology"},
        DamagedCase{"GapInLitholog", "\"top\": 1550.75", "\"top\": 1560", "does not begin"},
        DamagedCase{"TrackTwice", "\"slot\": 1,\r\n      \"width\"",
                    "\"slot\": 3,\r\n      \"width\"", "names a track twice"},
        DamagedCase{"SlotZero", "\"slot\": 2,\r\n      \"width\"",
                    "\"slot\": 0,\r\n      \"width\"", "out of range"},
        DamagedCase{"LogBelowZero", "\"logarithmic\": false", "\"logarithmic\": true",
                    "logarithmic below zero"},
        DamagedCase{"BadColour", "\"#00a0ff\"", "\"blue\"", "colour"},
        DamagedCase{"WindowNotText", "\"CrossPlots\"", "17", "window 2"},
        DamagedCase{"NotJson", "{", "[", "not complete JSON"}),
    [](const testing::TestParamInfo<DamagedCase>& p) { return p.param.name; });

TEST(SessionFile, OtherJsonIsNoSession) {
    for (const char* text : {"", "null", "[1]", "{\"version\": 1}", "{\"version\": 0}",
                             "{\"version\": 1, \"source\": []}"}) {
        const auto read = session::readSessionText(text);
        EXPECT_FALSE(read.session) << text;
        EXPECT_FALSE(read.error.empty()) << text;
    }
}

TEST(SessionFile, UnreadableFilesAreRefusedNamingThem) {
    test::TempFolder dir;
    const auto missing = session::readSessionFile(dir.file("none.lithora"));
    EXPECT_FALSE(missing.session);
    EXPECT_NE(missing.error.find("none.lithora"), std::string::npos) << missing.error;
    const auto binary =
        session::readSessionFile(dir.write("b.lithora", std::string("\0\xff\x01", 3)));
    EXPECT_FALSE(binary.session);
    EXPECT_FALSE(binary.error.empty());
}

TEST(SourceCheck, SaysPlainlyWhenTheSourceIsMissingOrChanged) {
    test::TempFolder dir;
    const auto file = dir.write("well.las", "~V\r\nVERS. 2.0:\r\n");
    const session::FileFingerprint print = session::fileFingerprint(file);
    session::SourceFile source{file, session::SourceFile::Kind::Las, print.size, print.checksum};
    EXPECT_EQ(session::checkSourceFile(source), "");

    // The same length with one byte changed is noticed by the checksum.
    dir.write("well.las", "~V\r\nVERS. 3.0:\r\n");
    EXPECT_EQ(session::checkSourceFile(source),
              "The source file " + file.string() + " has changed since the session was saved.");

    std::filesystem::remove(file);
    EXPECT_EQ(session::checkSourceFile(source),
              "The source file " + file.string() + " cannot be found.");
    EXPECT_THROW(session::fileFingerprint(file), lithora::Error);
}

}  // namespace
