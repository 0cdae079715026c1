// Fuzz target of the table file: opening any file either works or fails with the store's
// own error, and an open table can be read through and closed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/store/table.h"
#include "fuzz_check.h"
#include "scratch_folder.h"

namespace fs = std::filesystem;

namespace {

const fs::path& scratchFolder() {
    static const lithora::fuzz::ScratchFolder folder("table");
    return folder.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = scratchFolder() / "Table.db";
    fs::remove(file);
    fs::remove(scratchFolder() / "Table.db-journal");
    {
        std::FILE* f = std::fopen(file.c_str(), "wb");
        FUZZ_CHECK(f != nullptr);
        FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, f) == size);
        std::fclose(f);
    }
    lithora::store::Table table(file);
    try {
        table.open();
    } catch (const lithora::store::StoreError&) {
        FUZZ_CHECK(!table.isOpen());
        return 0;
    }
    const int fields = table.fieldCount();
    const int rows = table.recordCount();
    FUZZ_CHECK(fields >= 0 && rows >= 0);
    for (int r = 0; r < rows && r < 1000; ++r)
        for (int f = 0; f < fields; ++f) {
            if (table.cellIsNull(r, f)) continue;
            (void)table.cellText(r, f);
        }
    table.close();
    return 0;
}
