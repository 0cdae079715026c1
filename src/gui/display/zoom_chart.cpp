#include "gui/display/zoom_chart.h"

#include <qcustomplot.h>
#include <QFrame>
#include <QMenu>
#include <QPushButton>

#include "gui/display/combo_track.h"
#include "gui/display/depth_track.h"
#include "gui/widgets/chart_copy.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"
#include "gui/widgets/dialog_seam.h"

namespace {

constexpr int kWidth = 246;
constexpr int kPanelHeight = 41;
constexpr int kChartHeight = 565;

QPushButton* button(QWidget* parent, const char* name, const char* text, int left,
                    const char* colour) {
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, 8, 75, 25);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    b->setStyleSheet(QStringLiteral("color: %1;").arg(QString::fromLatin1(colour)));
    return b;
}

}  // namespace

TZoomChart::TZoomChart(QString chartFile, QPixmap background, QString depthTitle,
                       std::function<DialogSeam&()> seam, QWidget* parent)
    : QDialog(parent),
      chartFile_(std::move(chartFile)),
      background_(std::move(background)),
      depthTitle_(std::move(depthTitle)),
      seam_(std::move(seam)) {
    setObjectName(QStringLiteral("ZoomChart"));
    setWindowTitle(QStringLiteral("Zoom"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(kWidth, kPanelHeight + kChartHeight);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("buttonPanel"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(0, 0, kWidth, kPanelHeight);
    connect(button(panel, "printButton", "Print", 8, "green"), &QPushButton::clicked, this,
            &TZoomChart::printChart);
    connect(button(panel, "saveButton", "Save", 88, "green"), &QPushButton::clicked, this,
            &TZoomChart::saveChart);
    connect(button(panel, "closeButton", "Close", 168, "red"), &QPushButton::clicked, this,
            &QDialog::close);
}

QString TZoomChart::FormShow() {
    ChartCopy copy;
    const QString error = loadChartCopy(chartFile_, copy);
    if (!error.isEmpty()) return error;
    delete track_;
    track_ = nullptr;
    delete combo_;
    combo_ = nullptr;
    QWidget* chart = nullptr;
    QMenu* menu = nullptr;
    if (copy.series.size() >= 2) {
        combo_ = ComboTrack::fromCopy(copy, background_, this);
        combo_->setDepthTitle(depthTitle_);
        combo_->setDepthLabelsShown(true);
        connect(combo_, &ComboTrack::zoomed, this, &TZoomChart::trackZoomed);
        connect(combo_, &ComboTrack::zoomUndone, this, &TZoomChart::trackZoomUndone);
        chart = combo_;
        menu = combo_->popupMenu();
    } else {
        track_ = DepthTrack::fromCopy(copy, background_, this);
        track_->setDepthTitle(depthTitle_);
        connect(track_, &DepthTrack::zoomed, this, &TZoomChart::trackZoomed);
        connect(track_, &DepthTrack::zoomUndone, this, &TZoomChart::trackZoomUndone);
        chart = track_;
        menu = track_->popupMenu();
    }
    chart->setObjectName(QStringLiteral("zoomedChart"));
    chart->setGeometry(0, kPanelHeight, kWidth, kChartHeight);
    if (combo_)
        combo_->setRightMargin(10);
    else
        track_->setRightMargin(10);
    // The zoomed ranges become the chart's own, with labels at the ends of the value ranges.
    keepShownRanges(false);
    rememberRanges();

    menu->clear();
    undoZoom_ = menu->addAction(QStringLiteral("Undo zoom"));
    undoZoom_->setObjectName(QStringLiteral("UndoZoom"));
    undoZoom_->setEnabled(false);
    connect(undoZoom_, &QAction::triggered, this, [this] {
        if (undoZoomStep()) trackZoomUndone();
    });
    chart->show();
    return {};
}

QCustomPlot* TZoomChart::plot() const {
    if (combo_) return combo_->plot();
    return track_ ? track_->plot() : nullptr;
}

void TZoomChart::keepShownRanges(bool remember) {
    if (combo_) combo_->keepShownRanges(remember);
    if (track_) track_->keepShownRanges(remember);
}

bool TZoomChart::undoZoomStep() {
    if (combo_) return combo_->undoZoomStep();
    return track_ && track_->undoZoomStep();
}

int TZoomChart::zoomDepth() const {
    if (combo_) return combo_->zoomDepth();
    return track_ ? track_->zoomDepth() : 0;
}

void TZoomChart::rememberRanges() {
    if (combo_) {
        ZoomTopRange_ = combo_->valueRange(ComboTrack::Top);
        ZoomBottomRange_ = combo_->valueRange(ComboTrack::Bottom);
    } else if (track_) {
        ZoomTopRange_ = track_->valueRange();
    }
    if (undoZoom_) undoZoom_->setEnabled(zoomDepth() > 0);
}

void TZoomChart::trackZoomed() {
    keepShownRanges(true);
    rememberRanges();
}

void TZoomChart::trackZoomUndone() {
    rememberRanges();
}

void TZoomChart::printChart() {
    if (!plot()) return;
    ChartPrintPreview preview(ChartPrintPreview::chartPage(*plot(), QMarginsF(38, 15, 38, 15)),
                              seam_(), this);
    connect(&preview, &ChartPrintPreview::afterDraw, this, &TZoomChart::ChartPreviewer1AfterDraw);
    seam_().exec(preview);
}

void TZoomChart::ChartPreviewer1AfterDraw() {
    if (track_) track_->setValueRange(ZoomTopRange_.lo, ZoomTopRange_.hi);
    if (combo_) {
        combo_->setValueRange(ComboTrack::Top, ZoomTopRange_.lo, ZoomTopRange_.hi);
        combo_->setValueRange(ComboTrack::Bottom, ZoomBottomRange_.lo, ZoomBottomRange_.hi);
    }
}

bool TZoomChart::saveChart() {
    if (!plot()) return false;
    DialogSeam& seam = seam_();
    const QString path =
        seam.saveFileName(this, QStringLiteral("Save"), QStringLiteral("Bitmap files (*.bmp)"),
                          QStringLiteral("bmp"));
    if (path.isEmpty()) return false;
    const QString error = exportChart(*plot(), path, PictureFormat::Bmp, plot()->size());
    if (!error.isEmpty()) {
        seam.message(this, QMessageBox::Warning, QStringLiteral("Save"), error, QMessageBox::Ok);
        return false;
    }
    return true;
}
