#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/error.h"
#include "core/import/import_result.h"
#include "support/test_paths.h"

namespace lithora::import::testing {

inline std::filesystem::path testData(const std::string& relative) {
    return std::filesystem::path(LITHORA_TEST_DATA) / relative;
}

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A small LAS 2.0 file: version and well sections (the NULL item on line 7), the given
// curve lines, then "~A" and the data text as given.
inline std::string lasText(const std::string& curveLines, const std::string& data,
                           const std::string& nullText = "-999.25",
                           const std::string& stepLine = " STEP.M        0.5 : STEP") {
    return "~VERSION INFORMATION\n"
           " VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
           " WRAP.   NO  : ONE LINE PER DEPTH STEP\n"
           "~WELL INFORMATION\n"
           " STRT.M     1500.0 : START DEPTH\n"
           " STOP.M     1501.0 : STOP DEPTH\n" +
           stepLine + "\n NULL.      " + nullText +
           " : NULL VALUE\n"
           " WELL.      TEST-1 : WELL\n"
           "~CURVE INFORMATION\n" +
           curveLines + "~A\n" + data;
}

// The same file declared wrapped ("WRAP. YES"): its data is one stream of values.
inline std::string wrappedLas(std::string text) {
    const std::string line = " WRAP.   NO  : ONE LINE PER DEPTH STEP";
    auto at = text.find(line);
    if (at != std::string::npos)
        text.replace(at, line.size(), " WRAP.   YES : MULTIPLE LINES PER DEPTH STEP");
    return text;
}

// Expects fn to throw lithora::Error with exactly this message.
inline void expectError(const std::function<void()>& fn, const std::string& message) {
    try {
        fn();
        ADD_FAILURE() << "no error, expected \"" << message << "\"";
    } catch (const Error& e) {
        EXPECT_EQ(e.what(), message);
    }
}

// The reason a read was refused with; fails the test when it was not refused.
template <typename Read>
std::string refusal(Read&& read) {
    try {
        read();
    } catch (const ReadError& e) {
        EXPECT_STREQ(e.what(), "Error reading file.");
        return e.reason();
    }
    ADD_FAILURE() << "read, expected a refusal";
    return {};
}

// Column values with NaN (a null sample) shown as the text "null", for readable failures.
inline std::vector<std::string> shown(const std::vector<double>& column) {
    std::vector<std::string> out;
    for (double v : column) {
        if (std::isnan(v)) {
            out.push_back("null");
        } else {
            std::ostringstream s;
            s.precision(17);
            s << v;
            out.push_back(s.str());
        }
    }
    return out;
}

inline std::vector<std::string> shown(std::initializer_list<double> values) {
    return shown(std::vector<double>(values));
}

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

// The whole result, every column the same length and every name distinct without regard
// to case: what any successful read must give.
inline void expectConsistent(const ImportResult& r) {
    ASSERT_FALSE(r.fieldNames.empty());
    EXPECT_EQ(r.fieldLabels.size(), r.fieldNames.size());
    EXPECT_EQ(r.catalog.size(), r.fieldNames.size());
    ASSERT_EQ(r.columns.size(), r.fieldNames.size());
    EXPECT_GE(r.rowCount(), 1u);
    for (const auto& c : r.columns) EXPECT_EQ(c.size(), r.rowCount());
    std::set<std::string> lower;  // the names folded to lower case, each once
    for (auto n : r.fieldNames) {
        EXPECT_FALSE(n.empty());
        for (char& ch : n) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_NE(n, "rec");
        EXPECT_NE(n, "counting");
        EXPECT_TRUE(lower.insert(n).second) << "a second field named " << n;
    }
    for (const auto& e : r.catalog) {
        EXPECT_LE(e.mnemonic.size(), 30u);
        EXPECT_LE(e.unit.size(), 30u);
        EXPECT_LE(e.label.size(), 30u);
    }
    std::size_t infinite = 0;
    for (const auto& c : r.columns)
        for (double v : c) infinite += std::isinf(v) ? 1 : 0;
    EXPECT_EQ(infinite, 0u);
}

}  // namespace lithora::import::testing
