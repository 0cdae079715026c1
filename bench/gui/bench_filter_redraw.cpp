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

#include "gui/graph_page_well.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lithora::bench::GraphPageWell well(argc, argv, "lithora_bench_filter");
    if (!well.ws) return 1;
    auto& ws = well.ws;
    auto& tracks = *well.tracks;
    auto& page = well.page;
    const std::size_t rows = well.rows;

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
    return 0;
}
