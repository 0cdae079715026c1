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
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "core/workspace/workspace.h"
#include "gui/widgets/cross_plot.h"
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

// Median wall time and median processor time of five runs, in milliseconds. On a shared
// machine the processor time is the steadier figure: it leaves out the time other
// programs had the processor.
struct Times {
    double wall, cpu;
};

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

Times median(const std::function<void()>& step) {
    std::vector<double> wall, cpu;
    QElapsedTimer timer;
    for (int i = 0; i < 5; ++i) {
        const double c0 = cpuMs();
        timer.start();
        step();
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs() - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[2], cpu[2]};
}

void report(const char* what, Times t) {
    std::printf("%-36s %8.1f ms wall %8.1f ms processor\n", what, t.wall, t.cpu);
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
