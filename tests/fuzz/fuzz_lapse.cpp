// Fuzz target of the time-lapse reader: any file either reads or fails with the program's
// own error; what it reads keeps its promises, and the difference of a curve with itself is
// zero wherever both have a value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/common/error.h"
#include "core/timelapse/lapse.h"
#include "fuzz_check.h"

namespace tl = lithora::timelapse;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tl::LapseFile file;
    try {
        file = tl::readLapse(bytes);
    } catch (const lithora::Error&) {
        return 0;
    }
    FUZZ_CHECK(!file.curves.empty());
    FUZZ_CHECK(file.values.size() == file.curves.size());
    for (const auto& column : file.values) FUZZ_CHECK(column.size() == file.depth.size());
    // At most 30 characters: UTF-8 bytes that do not continue a character.
    for (const auto& name : file.curves) {
        std::size_t characters = 0;
        for (const char ch : name) characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
        FUZZ_CHECK(characters <= 30);
    }

    const int curves = static_cast<int>(file.curves.size());
    for (int k = 1; k <= curves && k <= 4; ++k) {
        tl::LapseLog log;
        try {
            log = tl::lapseLog(file, k);
        } catch (const lithora::Error&) {
            continue;
        }
        FUZZ_CHECK(log.depth.size() == log.value.size());
        for (std::size_t i = 1; i < log.depth.size(); ++i)
            FUZZ_CHECK(!(log.depth[i] < log.depth[i - 1]));
        if (const auto range = tl::lapseRange(log.value)) FUZZ_CHECK(range->lo <= range->hi);
        try {
            const auto diff = tl::lapseDifference(log, log);
            FUZZ_CHECK(diff.depth.size() == diff.difference.size());
            FUZZ_CHECK(diff.first.size() == diff.depth.size());
            FUZZ_CHECK(diff.second.size() == diff.depth.size());
            for (std::size_t i = 0; i < diff.difference.size(); ++i)
                if (std::isfinite(diff.first[i]) && std::isfinite(diff.second[i]) &&
                    diff.first[i] == diff.second[i])
                    FUZZ_CHECK(diff.difference[i] == 0);
        } catch (const lithora::Error&) {
        }
    }
    return 0;
}
