// desktop_tracks FILE.las [OUT.png]: the desktop path with its tracks, measured in one
// process on the offscreen platform. Imports FILE as LAS File does, computes the elastic
// parameters with the curves the dialog proposes, shows the Graph page with every track
// drawn, and prints the resident memory (now and at its peak) after each step. Then exports
// the first track as a PNG picture, the way the track's "Export" command writes it, and
// prints the time it took (median of five).
#include <qcustomplot.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "gui/app/calculation_page.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/display/depth_chart.h"
#include "gui/display/track_panel.h"
#include "gui/import/import_controller.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/page_control.h"

namespace {

class BatchSeam : public DialogSeam {
  public:
    QString file;
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return file;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon, const QString&,
                                        const QString& text,
                                        QMessageBox::StandardButtons) override {
        std::fprintf(stderr, "message: %s\n", text.toLocal8Bit().constData());
        return QMessageBox::No;
    }
    int exec(QDialog&) override { return QDialog::Accepted; }
};

void memory(const char* step, double seconds) {
    std::ifstream status("/proc/self/status");
    std::string line, rss, hwm;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) rss = line.substr(6);
        if (line.rfind("VmHWM:", 0) == 0) hwm = line.substr(6);
    }
    auto trim = [](std::string s) {
        s.erase(0, s.find_first_not_of(" \t"));
        return s;
    };
    std::printf("%-28s %7.2f s   resident %12s   peak %12s\n", step, seconds, trim(rss).c_str(),
                trim(hwm).c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: desktop_tracks FILE.las [OUT.png]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString out =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::temp().filePath("track.png");

    QTemporaryDir folder;
    const QString patterns = QCoreApplication::applicationDirPath() + "/Patterns";
    QFile::link(patterns, QDir(folder.path()).filePath("Patterns"));
    auto seam = std::make_unique<BatchSeam>();
    seam->file = file;
    memory("start", 0);
    auto form = std::make_unique<TCalculationForm>(folder.path(), std::move(seam));
    form->show();
    QElapsedTimer timer;
    timer.start();
    form->importSubsystem().controller()->importLas();
    QApplication::processEvents();
    memory("import", timer.elapsed() / 1000.0);
    timer.restart();
    form->computeSubsystem().elasticController()->computeElasticParameters();
    QApplication::processEvents();
    memory("elastic parameters", timer.elapsed() / 1000.0);
    timer.restart();
    form->pageControl()->setCurrentIndex(1);
    TrackPanel* panel = form->trackPanel();
    for (int slot = 1; slot <= panel->trackCount(); ++slot) panel->track(slot)->plot()->replot();
    QApplication::processEvents();
    memory("Graph page, tracks drawn", timer.elapsed() / 1000.0);
    std::printf("tracks: %d, samples per track: %d\n", panel->trackCount(),
                panel->trackCount() ? panel->track(1)->pointCount() : 0);

    DepthChart* first = panel->track(1);
    if (first) {
        std::vector<double> ms;
        for (int i = 0; i < 5; ++i) {
            timer.restart();
            const QString error =
                exportChart(*first->plot(), out, PictureFormat::Png, QSize(150, 565));
            ms.push_back(timer.nsecsElapsed() / 1e6);
            if (!error.isEmpty()) std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        }
        std::sort(ms.begin(), ms.end());
        std::printf(
            "PNG export of a %d-sample track (150 x 565): median %.1f ms (min %.1f, max %.1f)\n",
            first->pointCount(), ms[2], ms[0], ms[4]);
    }
    form->close();
    return 0;
}
