#include "gui/display/zoom_chart.h"

#include <qcustomplot.h>
#include <QFrame>
#include <QMenu>
#include <QPushButton>

#include "gui/display/depth_chart.h"
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

TZoomChart::TZoomChart(DepthChart* chart, QString depthTitle, std::function<DialogSeam&()> seam,
                       QWidget* parent)
    : QDialog(parent), seam_(std::move(seam)), chart_(chart) {
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

    chart_->setParent(this);
    chart_->setDepthTitle(depthTitle);
    chart_->setDepthLabelsShown(true);
    connect(chart_, &DepthChart::zoomed, this, &TZoomChart::trackZoomed);
    connect(chart_, &DepthChart::zoomUndone, this, &TZoomChart::trackZoomUndone);
    chart_->setObjectName(QStringLiteral("zoomedChart"));
    chart_->setRightMargin(10);
    chart_->setChartSize(QSize(kWidth, kChartHeight));
    chart_->move(0, kPanelHeight);
    // The zoomed ranges become the chart's own, with labels at the ends of the value ranges.
    chart_->keepShownRanges(false);
    chart_->setBands(chart_->neededBands());
    rememberRanges();

    QMenu* menu = chart_->popupMenu();
    menu->clear();
    undoZoom_ = menu->addAction(QStringLiteral("Undo zoom"));
    undoZoom_->setObjectName(QStringLiteral("UndoZoom"));
    undoZoom_->setEnabled(false);
    connect(undoZoom_, &QAction::triggered, this, [this] {
        if (chart_->undoZoomStep()) trackZoomUndone();
    });
    chart_->show();
}

QCustomPlot* TZoomChart::plot() const {
    return chart_->plot();
}

void TZoomChart::rememberRanges() {
    ZoomTopRange_ = chart_->valueRange(DepthChart::Top);
    if (chart_->axisCount() > 1) ZoomBottomRange_ = chart_->valueRange(DepthChart::Bottom);
    if (undoZoom_) undoZoom_->setEnabled(chart_->zoomDepth() > 0);
}

void TZoomChart::trackZoomed() {
    chart_->keepShownRanges(true);
    rememberRanges();
}

void TZoomChart::trackZoomUndone() {
    rememberRanges();
}

void TZoomChart::printChart() {
    ChartPrintPreview preview(ChartPrintPreview::chartPage(*plot(), QMarginsF(38, 15, 38, 15)),
                              seam_(), this);
    connect(&preview, &ChartPrintPreview::afterDraw, this, &TZoomChart::ChartPreviewer1AfterDraw);
    seam_().exec(preview);
}

void TZoomChart::ChartPreviewer1AfterDraw() {
    chart_->setValueRange(ZoomTopRange_.lo, ZoomTopRange_.hi, DepthChart::Top);
    if (chart_->axisCount() > 1)
        chart_->setValueRange(ZoomBottomRange_.lo, ZoomBottomRange_.hi, DepthChart::Bottom);
}

bool TZoomChart::saveChart() {
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
