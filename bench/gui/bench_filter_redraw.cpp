// Filtering a large workspace as the desktop does it: a generated LAS file of 1,000,000 depth
// steps with its 11 source tracks and 13 elastic tracks on the Graph page, then Filter (the
// tables filtered, every track re-read and fitted, the page repainted) and Undo Filter.
// Prints the median of several runs in milliseconds. Runs on the offscreen platform.
// Usage: bench_filter_redraw [ROWS [PATTERNS_FOLDER]]
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/commands/compute_elastic.h"
#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"
#include "gui/display/track_panel.h"
#include "support/make_las.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::size_t rows = argc > 1 ? std::stoul(argv[1]) : 1'000'000;
    const fs::path folder = fs::temp_directory_path() / "lithora_bench_filter";
    fs::remove_all(folder);
    fs::create_directories(folder);
    // The tracks' background picture comes from the Patterns folder beside the program.
    const std::string patterns =
        argc > 2 ? argv[2] : (QCoreApplication::applicationDirPath() + "/Patterns").toStdString();
    fs::create_directory_symlink(patterns, folder / "Patterns");
    lithora::bench::writeLasFile(folder / "well.las", rows);

    auto ws = std::make_unique<lithora::workspace::Workspace>(folder);
    ws->openShippedTables();
    ws->installImport(lithora::import::readLasFile(folder / "well.las"));
    const lithora::commands::CurveChoice curves{"RHOB", "", "DT", "DTSM"};
    const auto units = lithora::commands::decideUnits(*ws, curves, true).units();
    if (!units) {
        std::fprintf(stderr, "the generated file leaves a unit undecided\n");
        return 1;
    }
    ws->computeElastic("RHOB", "DT", "DTSM", *units, {});

    QWidget page;
    page.resize(4200, 640);
    TrackPanel tracks(&page, QString::fromStdString(folder.string()));
    tracks.buildSourceTracks(ws->source());
    tracks.buildElasticTracks(ws->elastic());
    tracks.bindElasticTracks();
    page.show();
    page.repaint();
    std::printf("%zu records, %d tracks (%d source, %d elastic)\n", rows, tracks.trackCount(),
                tracks.sourceTrackCount(), tracks.trackCount() - tracks.sourceTrackCount());

    auto timed = [&](auto change) {
        QElapsedTimer t;
        t.start();
        const auto out = change();
        const int count = ws->sourceTrackCount() + (out.elasticFiltered ? 13 : 0);
        for (int slot = 1; slot <= count; ++slot) tracks.rescaleTrack(slot);
        page.repaint();
        return static_cast<double>(t.nsecsElapsed()) / 1e6;
    };
    const auto depth = ws->source().floatColumn(1);
    const double lo = depth[rows / 4], hi = depth[rows * 3 / 4];
    std::vector<double> filter, undo;
    for (int run = 0; run < 5; ++run) {
        filter.push_back(timed([&] { return ws->applyDepthFilter(lo, hi); }));
        undo.push_back(timed([&] { return ws->undoDepthFilter(); }));
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("filter to half the log: median %.0f ms (of %zu runs)\n", median(filter),
                filter.size());
    std::printf("undo filter:            median %.0f ms\n", median(undo));
    ws.reset();
    fs::remove_all(folder);
    return 0;
}
