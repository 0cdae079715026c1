// The table print of a large workspace as the desktop does it: a generated LAS file of
// 1,000,000 depth steps imported into the source table, shown in its grid, then "Get Table
// Preview" in the table print window and the first page drawn on the screen. Prints the
// median of several runs in milliseconds, and the page count. Runs on the offscreen platform.
// Usage: bench_table_print [ROWS]
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"
#include "gui/print/page_preview.h"
#include "gui/print/table_print.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/table_grid.h"
#include "support/make_las.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::size_t rows = argc > 1 ? std::stoul(argv[1]) : 1'000'000;
    const fs::path folder = fs::temp_directory_path() / "lithora_bench_table_print";
    fs::remove_all(folder);
    fs::create_directories(folder);
    lithora::bench::writeLasFile(folder / "well.las", rows);

    auto ws = std::make_unique<lithora::workspace::Workspace>(folder);
    ws->openShippedTables();
    ws->installImport(lithora::import::readLasFile(folder / "well.las"));
    {
        TableGrid grid(ws->source());
        grid.resize(1000, 400);
        grid.applyColumnWidths();
        grid.show();
        DialogSeam seam;
        TTablePrint::Source source;
        source.grid = [&grid](int choice) { return choice == 0 ? &grid : nullptr; };
        source.table = [&ws](int choice) { return choice == 0 ? &ws->source() : nullptr; };

        std::vector<double> runs;
        int pages = 0;
        for (int run = 0; run < 5; ++run) {
            TTablePrint window(source, seam);
            window.show();
            QApplication::processEvents();
            QElapsedTimer t;
            t.start();
            window.buildPreview();
            window.preview()->widget()->repaint();
            window.thumbnails()->viewport()->repaint();
            runs.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            pages = window.pageCount();
        }
        std::sort(runs.begin(), runs.end());
        std::printf("%zu records, %d pages\n", rows, pages);
        std::printf(
            "first preview page (layout, page and thumbnails drawn): median %.1f ms, "
            "slowest %.1f ms (of %zu runs)\n",
            runs[runs.size() / 2], runs.back(), runs.size());
    }
    ws.reset();
    fs::remove_all(folder);
    return 0;
}
