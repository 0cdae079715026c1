// The depth cursor on a large workspace: a generated LAS file of 1,000,000 depth steps with
// its 11 source tracks and 13 elastic tracks on the Graph page. One cursor move is the mouse
// moved over a track (the line drawn on every track, the read-out filled) and the page
// painted; for comparison, one full drawing of every track. Prints the medians in
// milliseconds. Runs on the offscreen platform.
// Usage: bench_depth_cursor [ROWS [PATTERNS_FOLDER]]
#include <qcustomplot.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "gui/display/chart_row.h"
#include "gui/display/depth_cursor.h"
#include "gui/graph_page_well.h"

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lithora::bench::GraphPageWell well(argc, argv, "lithora_bench_cursor");
    if (!well.ws) return 1;
    auto& tracks = *well.tracks;
    auto& page = well.page;

    QCustomPlot* plot = tracks.track(3)->plot();
    const QRect area = plot->axisRect()->rect();
    std::vector<double> moves, full;
    // The first move draws every track not drawn since the page was shown: reported apart.
    for (int i = 0; i < 201; ++i) {
        const QPointF at(area.center().x(), area.top() + 1 + (i * 7) % (area.height() - 2));
        QElapsedTimer t;
        t.start();
        QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(plot, &move);
        page.repaint();
        moves.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    if (!tracks.row()->cursor()->depth()) {
        std::fprintf(stderr, "the cursor did not follow the mouse\n");
        return 1;
    }
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer t;
        t.start();
        for (int slot = 1; slot <= tracks.trackCount(); ++slot)
            tracks.track(slot)->plot()->replot();
        page.repaint();
        full.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    const double first = moves.front();
    moves.erase(moves.begin());
    std::printf("first cursor move (every track drawn once): %.0f ms\n", first);
    std::printf(
        "one cursor move (line on %d tracks, read-out, page painted): median %.2f ms, "
        "slowest %.2f ms (of %zu moves)\n",
        tracks.trackCount(), median(moves), *std::max_element(moves.begin(), moves.end()),
        moves.size());
    std::printf("every track drawn again, for comparison: median %.1f ms\n", median(full));
    return 0;
}
