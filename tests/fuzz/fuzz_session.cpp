// Fuzz target of the session file reader: any text either reads to a session or is refused
// with a reason, never both and never by an exception; a session read, written again, reads
// back the same.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/session/session.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const lithora::session::SessionRead read = lithora::session::readSessionText(text);
    FUZZ_CHECK(read.session.has_value() != !read.error.empty());
    if (!read.session) return 0;
    const lithora::session::Session& s = *read.session;
    FUZZ_CHECK(!s.source.path.empty());
    if (s.filter) FUZZ_CHECK(s.filter->top <= s.filter->bottom);
    for (const auto& interval : s.litholog) {
        FUZZ_CHECK(interval.complete());
        FUZZ_CHECK(std::isfinite(interval.top) && interval.top < interval.bottom);
    }
    for (const auto& look : s.looks) FUZZ_CHECK(look.lo < look.hi);

    const auto back = lithora::session::readSessionText(lithora::session::sessionText(s));
    FUZZ_CHECK(back.session.has_value());
    FUZZ_CHECK(*back.session == s);
    return 0;
}
