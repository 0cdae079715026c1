// Fuzz target of the ASCII column reader, and of the ASCII writer through it: a failure is
// the program's own error, a successful import keeps its promises, and what the writer
// writes from values taken from the input, the reader reads back with the same values.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/common/error.h"
#include "core/compute/elastic.h"
#include "core/export/table_writer.h"
#include "core/import/ascii_reader.h"
#include "import_invariants.h"

namespace {

using namespace lithora;
using compute::ElasticColumns;

// The columns of the ASCII export after the depth, in the order the file lists them.
constexpr std::array<int, 9> kExportFields = {
    compute::kPoissonRatio, compute::kLameConstant, compute::kBulkModulus,
    compute::kShearModulus, compute::kYoungModulus, compute::kPImpedance,
    compute::kSImpedance,   compute::kLandaMiu,     compute::kVpVs};

// A value of the kind the elastic table holds (at most 4 decimals, at most 15 significant
// digits), or a null, made from 5 bytes of the input.
double valueFrom(const std::uint8_t* p) {
    std::int32_t whole;
    std::memcpy(&whole, p, sizeof whole);
    const int kind = p[4] % 8;
    if (kind == 7) return std::nan("");
    static constexpr double kScale[] = {1, 10, 100, 1000, 10000};
    if (kind < 5) return whole / kScale[kind];
    if (kind == 5) return whole * 1e6;
    // A quotient rounded to 4 decimals the way the elastic computation rounds.
    return std::nearbyint(whole / 3.0 * 1e4) / 1e4;
}

void roundTrip(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kRowBytes = 5 * (1 + kExportFields.size());
    const std::size_t rows = size / kRowBytes;
    if (rows == 0) return;
    ElasticColumns table;
    for (auto& c : table.columns) c.assign(rows, std::nan(""));
    for (std::size_t r = 0; r < rows; ++r) {
        const std::uint8_t* p = data + r * kRowBytes;
        table.columns[compute::kRec][r] = static_cast<double>(r + 1);
        // A depth is always a number in the elastic table.
        double depth = valueFrom(p);
        table.columns[compute::kDepth][r] = std::isnan(depth) ? 0.0 : depth;
        for (std::size_t k = 0; k < kExportFields.size(); ++k)
            table.columns[kExportFields[k]][r] = valueFrom(p + 5 * (k + 1));
    }
    const std::string text = exporter::asciiTableText({"Column 1 : DEPTH m"}, table);
    import::ImportResult back;
    try {
        back = import::readAscii(text, "roundtrip.txt");
    } catch (const Error& e) {
        std::fprintf(stderr, "the reader refuses the writer's file: %s\n", e.what());
        FUZZ_CHECK(false);
    }
    lithora::fuzz::checkImport(back);
    FUZZ_CHECK(back.rowCount() == rows);
    FUZZ_CHECK(back.columns.size() == 1 + kExportFields.size());
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < back.columns.size(); ++c) {
            const int field = c == 0 ? compute::kDepth : kExportFields[c - 1];
            const double want = table.columns[field][r];
            const double got = back.columns[c][r];
            // -999 is the file's null marker: a value of exactly -999 reads back as null.
            if (want == -999.0 && std::isnan(got)) continue;
            if (std::isnan(want) != std::isnan(got) || (!std::isnan(want) && want != got)) {
                std::fprintf(stderr, "row %zu column %zu: wrote %.17g, read %.17g\n", r, c, want,
                             got);
                FUZZ_CHECK(false);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const import::ImportResult r = import::readAscii(bytes, "fuzz.txt");
        FUZZ_CHECK(!r.lasSource);
        lithora::fuzz::checkImport(r);
    } catch (const Error&) {
    }
    roundTrip(data, size);
    return 0;
}
