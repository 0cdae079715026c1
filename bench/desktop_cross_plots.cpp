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
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "core/workspace/workspace.h"
#include "gui/crossplot/cross_plot.h"
#include "gui/crossplot/cross_plots.h"
#include "gui/widgets/dialog_seam.h"

namespace {

using lithora::workspace::Workspace;

// A well whose parameters spread over the plots: density, sonic and gamma ray wander
// with depth, as logs do.
lithora::import::ImportResult well(std::size_t rows) {
    lithora::import::ImportResult r;
    r.fieldNames = {"DEPTH", "RHOB", "DT", "DTSM", "GR"};
    r.fieldLabels = {"DEPT(M)", "RHOB(G/CC)", "DT(US/M)", "DTSM(US/M)", "GR(GAPI)"};
    r.catalog = {{"DEPT", "(M)", "DEPT(M)"},
                 {"RHOB", "(G/CC)", "RHOB(G/CC)"},
                 {"DT", "(US/M)", "DT(US/M)"},
                 {"DTSM", "(US/M)", "DTSM(US/M)"},
                 {"GR", "(GAPI)", "GR(GAPI)"}};
    r.columns.assign(5, std::vector<double>(rows));
    for (std::size_t i = 0; i < rows; ++i) {
        const double t = static_cast<double>(i);
        const double shale = 0.5 + 0.5 * std::sin(t * 0.0037) * std::cos(t * 0.00071);
        r.columns[0][i] = 1000 + 0.1 * t;
        r.columns[1][i] = 2.1 + 0.45 * shale + 0.05 * std::sin(t * 0.31);
        r.columns[2][i] = 190 + 140 * shale + 10 * std::sin(t * 0.17);
        r.columns[3][i] = r.columns[2][i] * (1.6 + 0.4 * shale + 0.05 * std::cos(t * 0.23));
        r.columns[4][i] = 20 + 130 * shale + 8 * std::sin(t * 0.53);
    }
    r.roles.density = {"RHOB"};
    r.roles.pWave = {"DT"};
    r.roles.sWave = {"DTSM"};
    r.roles.gammaRay = {"GR"};
    r.roles.gammaRayIndex = 5;
    r.depthUnit = "m";
    r.densityUnit = "GC";
    r.nullValueText = "-999.25";
    r.nullValue = -999.25;
    return r;
}

double medianMs(const std::function<void()>& step) {
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < 5; ++i) {
        timer.start();
        step();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[2];
}

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
    ws.installImport(well(rows));
    using namespace lithora::compute;
    ws.computeElastic("RHOB", "DT", "DTSM",
                      {SonicUnit::PerMetre, SonicUnit::PerMetre, DensityUnit::GramsPerCc}, {});
    std::printf("elastic records: %d\n", ws.elastic().recordCount());

    DialogSeam seam;
    QWidget owner;
    CommandContext ctx{ws, seam, &owner, [](const QString&) {}, [] { return true; }};

    const double open = medianMs([&] {
        // The window draws its plots as the program does: once, when it is idle again.
        auto* w = new TCrossPlots(ctx, &owner);
        w->show();
        QApplication::processEvents();
        for (int k = 1; k <= 4; ++k)
            if (w->plot(k)->plot()->replotTime() <= 0)
                std::fprintf(stderr, "plot %d not drawn\n", k);
        delete w;
    });
    std::printf("open the window, four plots drawn:  %8.1f ms\n", open);

    auto* w = new TCrossPlots(ctx, &owner);
    w->show();
    drawAll(*w);
    QApplication::processEvents();
    std::printf("points per plot: %zu\n", w->plot(1)->pointCount());
    std::printf("redraw the four plots:              %8.1f ms\n", medianMs([&] { drawAll(*w); }));

    bool narrow = true;
    const double follow = medianMs([&] {
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
    std::printf("follow a filter, plots drawn:       %8.1f ms\n", follow);

    const double colour = medianMs([&] {
        w->ColourByClick(3, 0);
        w->ColourByClick(3, 1);  // the gamma ray
        w->plot(3)->plot()->replot(QCustomPlot::rpImmediateRefresh);
    });
    std::printf("colour a plot by the gamma ray:     %8.1f ms\n", colour);

    CrossPlot* p = w->plot(4);
    const QPointF centre(p->plot()->axisRect()->center());
    const double tip = medianMs([&] { (void)p->pointAt(centre); });
    std::printf("find the point under a click:       %8.1f ms\n", tip);
    delete w;
    return 0;
}
