// Fuzz target of the LAS reader: a failure is the program's own error, reading in pieces
// gives what reading whole gives, and a successful import keeps its promises.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/error.h"
#include "core/import/las_reader.h"
#include "import_invariants.h"

using lithora::import::ImportResult;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::optional<ImportResult> whole;
    std::string wholeError;
    try {
        whole = lithora::import::readLas(bytes);
    } catch (const lithora::Error& e) {
        wholeError = e.what();
    }

    // The same bytes in pieces whose sizes come from the input itself, so a finding replays.
    std::optional<ImportResult> pieces;
    std::string piecesError;
    try {
        lithora::import::LasStream stream(size);
        std::uint32_t state = 2166136261u;
        for (std::size_t i = 0; i < size && i < 64; ++i) state = (state ^ data[i]) * 16777619u;
        std::size_t pos = 0;
        while (pos < size) {
            state = state * 1103515245u + 12345u;
            const std::size_t piece = 1 + (state >> 16) % 97;
            const std::size_t take = piece < size - pos ? piece : size - pos;
            stream.feed(bytes.substr(pos, take));
            pos += take;
        }
        pieces = stream.finish();
    } catch (const lithora::Error& e) {
        piecesError = e.what();
    }

    FUZZ_CHECK(whole.has_value() == pieces.has_value());
    if (!whole) {
        FUZZ_CHECK(wholeError == piecesError);
        return 0;
    }
    lithora::fuzz::checkImport(*whole);
    lithora::fuzz::checkSame(*whole, *pieces);
    return 0;
}
