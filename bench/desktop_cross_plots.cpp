// desktop_cross_plots [ROWS]: the cross plots window on an elastic table of ROWS records
// (default 1,000,000), measured in one process on the offscreen platform. A well of ROWS
// depth steps with density, both sonic curves and a gamma ray is made in memory and its
// elastic parameters computed; then, each as the median of five runs:
//   open     a new window until its four plots are drawn (what View > Cross Plots costs);
//   redraw   the four plots drawn again (a repaint, a zoom or a range change);
//   follow   the window reading the table again after a depth filter, plots drawn;
//   colour   "Colour by" the gamma ray on one plot, drawn;
//   tip      the point under a click found among all points.
#include <qcustomplot.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "core/workspace/workspace.h"
#include "gui/crossplot/cross_plots.h"
#include "gui/widgets/cross_plot.h"
#include "gui/widgets/dialog_seam.h"
#include "support/desktop_bench.h"

namespace {

using lithora::bench::median;
using lithora::bench::report;
using lithora::bench::Times;
using lithora::workspace::Workspace;

void drawAll(TCrossPlots& w) {
    for (int k = 1; k <= 4; ++k) w.plot(k)->plot()->replot(QCustomPlot::rpImmediateRefresh);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1'000'000;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Workspace ws(folder.path().toStdString(), lithora::workspace::Storage::Memory);
    ws.openShippedTables();
    ws.installImport(lithora::bench::generatedWell(rows));
    using namespace lithora::compute;
    ws.computeElastic("RHOB", "DT", "DTSM",
                      {SonicUnit::PerMetre, SonicUnit::PerMetre, DensityUnit::GramsPerCc}, {});
    std::printf("elastic records: %d\n", ws.elastic().recordCount());

    DialogSeam seam;
    QWidget owner;
    CommandContext ctx{ws, seam, &owner, [](const QString&) {}, [] { return true; }};

    const Times open = median([&] {
        // The window draws its plots as the program does: once, when it is idle again.
        auto* w = new TCrossPlots(ctx, &owner);
        w->show();
        QApplication::processEvents();
        for (int k = 1; k <= 4; ++k)
            if (w->plot(k)->plot()->replotTime() <= 0)
                std::fprintf(stderr, "plot %d not drawn\n", k);
        delete w;
    });
    report("open the window, four plots drawn:", open);

    auto* w = new TCrossPlots(ctx, &owner);
    w->show();
    drawAll(*w);
    QApplication::processEvents();
    std::printf("points per plot: %zu\n", w->plot(1)->pointCount());
    report("redraw the four plots:", median([&] { drawAll(*w); }));

    bool narrow = true;
    const Times follow = median([&] {
        // Half the well, then all of it again, alternately.
        if (narrow)
            ws.applyDepthFilter(1000, 1000 + 0.05 * static_cast<double>(rows));
        else
            ws.undoDepthFilter();
        narrow = !narrow;
        QApplication::processEvents();  // the window reads the table again
        drawAll(*w);
    });
    ws.undoDepthFilter();
    QApplication::processEvents();
    report("follow a filter, plots drawn:", follow);

    const Times colour = median([&] {
        w->colourPlotBy(3, 0);
        w->colourPlotBy(3, 1);  // the gamma ray
        w->plot(3)->plot()->replot(QCustomPlot::rpImmediateRefresh);
    });
    report("colour a plot by the gamma ray:", colour);

    CrossPlot* p = w->plot(4);
    const QPointF centre(p->plot()->axisRect()->center());
    report("find the point under a click:", median([&] { (void)p->pointAt(centre); }));
    delete w;
    return 0;
}
