// Fuzz target of the LAS file entry points the command line and the merge use: reading a file
// from disk gives what reading its bytes gives, and reading only its header agrees with the
// whole, and reading some of its curves gives those as the whole read does. Inputs run much larger
// than the in-memory target's, so the code that sizes the columns from the file length and reads a
// long header in chunks is reached too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/error.h"
#include "core/import/las_reader.h"
#include "import_invariants.h"
#include "scratch_folder.h"

namespace fs = std::filesystem;
using lithora::import::ImportResult;

namespace {

template <typename Read>
std::optional<ImportResult> attempt(Read read) {
    try {
        return read();
    } catch (const lithora::Error&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const lithora::fuzz::ScratchFolder scratch("las-file");
    const fs::path file = scratch.path() / "input.las";
    {
        std::FILE* f = std::fopen(file.c_str(), "wb");
        FUZZ_CHECK(f != nullptr);
        FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, f) == size);
        FUZZ_CHECK(std::fclose(f) == 0);
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const auto fromFile = attempt([&] { return lithora::import::readLasFile(file); });
    const auto fromBytes = attempt([&] { return lithora::import::readLas(bytes); });
    const auto header = attempt([&] { return lithora::import::readLasHeaderFile(file); });

    FUZZ_CHECK(fromFile.has_value() == fromBytes.has_value());
    if (!fromFile) return 0;
    lithora::fuzz::checkImport(*fromFile);
    lithora::fuzz::checkSame(*fromFile, *fromBytes);

    // A file that reads whole has a header that reads, with the same curves and no data.
    FUZZ_CHECK(header.has_value());
    FUZZ_CHECK(header->fieldNames == fromFile->fieldNames);
    FUZZ_CHECK(header->fieldLabels == fromFile->fieldLabels);
    FUZZ_CHECK(header->nullValueText == fromFile->nullValueText);
    for (const auto& column : header->columns) FUZZ_CHECK(column.empty());

    // Reading every other curve gives those curves as the whole read does, and no values of
    // the others.
    const auto part = attempt([&] {
        return lithora::import::readLasFile(file, {}, [](const ImportResult& h) {
            std::vector<bool> read(h.fieldNames.size());
            for (std::size_t i = 0; i < read.size(); i += 2) read[i] = true;
            return read;
        });
    });
    FUZZ_CHECK(part.has_value());
    FUZZ_CHECK(part->columns.size() == fromFile->columns.size());
    for (std::size_t i = 0; i < part->columns.size(); ++i)
        FUZZ_CHECK(i % 2 == 0 ? lithora::fuzz::sameColumn(part->columns[i], fromFile->columns[i])
                              : part->columns[i].empty());
    return 0;
}
