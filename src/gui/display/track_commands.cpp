#include "gui/display/track_commands.h"

#include <qcustomplot.h>
#include <QColorDialog>
#include <QDir>

#include "gui/display/depth_track.h"
#include "gui/display/set_min_max.h"
#include "gui/display/track_panel.h"
#include "gui/display/zoom_chart.h"
#include "gui/widgets/chart_copy.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"
#include "gui/widgets/dialog_seam.h"

namespace {

constexpr int kPrintWidth = 200;
constexpr int kPrintHeight = 565;
constexpr int kPrintRightMargin = 15;

}  // namespace

TrackCommands::TrackCommands(Context context, QObject* parent)
    : QObject(parent), c_(std::move(context)) {
    if (!c_.panel) return;
    connect(c_.panel, &TrackPanel::printRequested, this, &TrackCommands::PopPrint);
    connect(c_.panel, &TrackPanel::exportRequested, this, &TrackCommands::PopExport);
    connect(c_.panel, &TrackPanel::minMaxRequested, this, &TrackCommands::PopMinMax);
    connect(c_.panel, &TrackPanel::logarithmicRequested, this, &TrackCommands::PopLogarithmic);
    connect(c_.panel, &TrackPanel::colourRequested, this, &TrackCommands::PopColor);
    connect(c_.panel, &TrackPanel::zoomed, this, &TrackCommands::Zooming);
}

std::vector<TZoomChart*> TrackCommands::zoomWindows() const {
    std::vector<TZoomChart*> out;
    for (const auto& w : zoomWindows_)
        if (w) out.push_back(w.data());
    return out;
}

QString TrackCommands::chartFile() const {
    return QDir(c_.programFolder).filePath(QString::fromLatin1(kChartCopyFileName));
}

DepthTrack* TrackCommands::trackAt(int slot) const {
    return c_.panel ? c_.panel->track(slot) : nullptr;
}

QPixmap TrackCommands::background() const {
    try {
        return loadTrackBackground(c_.programFolder);
    } catch (const std::exception&) {
        // A copy without its background picture still shows the whole curve.
        QPixmap white(8, 8);
        white.fill(Qt::white);
        return white;
    }
}

bool TrackCommands::saveCopy(DepthTrack& track) {
    const QString error = saveChartCopy(track.copy(), chartFile());
    if (error.isEmpty()) return true;
    c_.seam().message(c_.window, QMessageBox::Warning, QStringLiteral("Lithora"), error,
                      QMessageBox::Ok);
    return false;
}

void TrackCommands::PopPrint(int slot) {
    DepthTrack* track = trackAt(slot);
    if (!track || !saveCopy(*track)) return;
    ChartCopy copy;
    const QString error = loadChartCopy(chartFile(), copy);
    if (!error.isEmpty()) {
        c_.seam().message(c_.window, QMessageBox::Warning, QStringLiteral("Lithora"), error,
                          QMessageBox::Ok);
        return;
    }
    // The copy, not the track, is previewed and printed; it lives as long as the preview.
    DepthTrack* printed = DepthTrack::fromCopy(copy, background(), nullptr);
    std::unique_ptr<DepthTrack> owner(printed);
    if (c_.depthTitle) printed->setDepthTitle(c_.depthTitle());
    printed->setRightMargin(kPrintRightMargin);
    printed->setChartSize(QSize(kPrintWidth, kPrintHeight));
    printed->rescale();
    printed->plot()->replot();
    ChartPrintPreview preview(ChartPrintPreview::chartPage(*printed->plot()), c_.seam(), c_.window);
    emit printCopyReady(printed);
    c_.seam().exec(preview);
    if (c_.restoreFolder) c_.restoreFolder();
}

void TrackCommands::PopExport(int slot) {
    DepthTrack* track = trackAt(slot);
    if (!track) return;
    ChartExportDialog dialog(*track->plot(), c_.seam(), c_.window);
    c_.seam().exec(dialog);
    if (c_.restoreFolder) c_.restoreFolder();
}

void TrackCommands::PopMinMax(int slot) {
    DepthTrack* track = trackAt(slot);
    if (!track) return;
    const lithora::AxisRange shown = track->valueRange();
    TSetMinMax dialog(shown.lo, shown.hi, c_.seam(), c_.window);
    // The answer is the dialog's own: a dialog closed without "Ok" or "Cancel" changes
    // nothing, whatever an earlier use answered.
    c_.seam().exec(dialog);
    const auto answer = dialog.answer();
    if (!answer) return;
    const auto [lo, hi] = *answer;
    if (lo == 0 && hi == 0) return;  // "Cancel"
    if (lo >= hi) return;
    if (track->isLogarithmic() && lo <= 0) {
        c_.seam().message(c_.window, QMessageBox::Warning, QStringLiteral("Set Min, Max"),
                          QStringLiteral("A logarithmic axis starts above 0: the minimum must "
                                         "be greater than 0."),
                          QMessageBox::Ok);
        return;
    }
    track->setValueRange(lo, hi);
}

void TrackCommands::PopLogarithmic(int slot) {
    DepthTrack* track = trackAt(slot);
    if (!track) return;
    if (!track->setLogarithmic(!track->isLogarithmic())) {
        c_.seam().message(c_.window, QMessageBox::Warning, QStringLiteral("Lithora"),
                          QStringLiteral("The track \"%1\" has no value above 0, so it cannot "
                                         "be drawn on a logarithmic axis.")
                              .arg(track->title()),
                          QMessageBox::Ok);
    }
    if (c_.restoreFolder) c_.restoreFolder();
}

void TrackCommands::PopColor(int slot) {
    DepthTrack* track = trackAt(slot);
    if (!track) return;
    QColorDialog dialog(track->colour(), c_.window);
    if (c_.seam().exec(dialog) != QDialog::Accepted) return;
    const QColor chosen = dialog.currentColor();
    if (chosen.isValid()) track->setColour(chosen);
}

void TrackCommands::Zooming(int slot) {
    DepthTrack* track = trackAt(slot);
    if (!track) return;
    const bool saved = saveCopy(*track);
    track->undoZoom();
    if (!saved) return;
    auto* zoom = new TZoomChart(chartFile(), background(),
                                c_.depthTitle ? c_.depthTitle() : QString(), c_.seam, c_.window);
    const QString error = zoom->FormShow();
    if (!error.isEmpty()) {
        delete zoom;
        c_.seam().message(c_.window, QMessageBox::Warning, QStringLiteral("Lithora"), error,
                          QMessageBox::Ok);
        return;
    }
    zoomWindows_.emplace_back(zoom);
    zoom->show();
}
