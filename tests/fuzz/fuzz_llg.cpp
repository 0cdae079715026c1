// Fuzz target of the litholog file reader: any text either reads or stops with a message;
// what it reads obeys the litholog's rules, and written again it reads back the same.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/error.h"
#include "core/export/litholog.h"
#include "core/export/litholog_file.h"
#include "fuzz_check.h"

using lithora::exporter::LithologModel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LithologModel rules;
    rules.setLogRange(1000, 3000);

    lithora::exporter::LithologFileRead read;
    try {
        read = lithora::exporter::readLithologText(text, rules);
    } catch (const lithora::Error&) {
        return 0;  // the program's own error: shown as a message
    }
    for (const auto& iv : read.intervals) {
        FUZZ_CHECK(iv.complete());
        FUZZ_CHECK(std::isfinite(iv.top) && std::isfinite(iv.bottom));
        FUZZ_CHECK(iv.top >= rules.minimum() && iv.bottom <= rules.maximum());
        FUZZ_CHECK(iv.bottom > iv.top);
    }
    if (read.intervals.empty()) return 0;

    // The writer's text reads back to the same intervals. Numbers are written with at most 15
    // significant digits, as everywhere in the program: a depth typed with more comes back
    // within one unit of the fifteenth digit.
    auto same = [](double a, double b) { return std::fabs(a - b) <= 1e-14 * std::fabs(a); };
    const std::string again = lithora::exporter::lithologFileText(read.intervals);
    const auto back = lithora::exporter::readLithologText(again, rules);
    FUZZ_CHECK(back.error.empty());
    FUZZ_CHECK(back.intervals.size() == read.intervals.size());
    for (std::size_t i = 0; i < back.intervals.size(); ++i) {
        FUZZ_CHECK(back.intervals[i].lithology == read.intervals[i].lithology);
        FUZZ_CHECK(same(back.intervals[i].top, read.intervals[i].top));
        FUZZ_CHECK(same(back.intervals[i].bottom, read.intervals[i].bottom));
    }
    return 0;
}
