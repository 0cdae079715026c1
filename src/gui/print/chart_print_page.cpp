#include "gui/print/chart_print_page.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "gui/display/chart_row.h"
#include "gui/display/depth_chart.h"
#include "gui/display/track_panel.h"
#include "gui/print/print_support.h"
#include "gui/widgets/chart_copy.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/pixel_font.h"
#include "gui/widgets/track_sheet.h"

namespace {

constexpr int kCopyWidth = 170;
constexpr int kCopyRightMargin = 5;
constexpr int kDefaultTrackHeight = 565;
const QSizeF kA4(210, 297);

QPixmap trackBackground(const QString& folder) {
    try {
        return loadTrackBackground(folder);
    } catch (const std::exception&) {
        QPixmap white(8, 8);
        white.fill(Qt::white);
        return white;
    }
}

}  // namespace

TChartPrintP::TChartPrintP(Tracks tracks, DialogSeam& seam, std::function<void()> restoreFolder,
                           QWidget* parent)
    : QDialog(parent),
      tracks_(std::move(tracks)),
      seam_(seam),
      restoreFolder_(std::move(restoreFolder)) {
    setObjectName(QStringLiteral("ChartPrintP"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto* left = new QWidget(this);
    left->setFixedWidth(250);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(8, 3, 0, 8);
    auto* styleCaption = new QLabel(QStringLiteral("Preview Style"), left);
    styleCaption->setFont(pixelFont("Arial", 13, true));
    styleCaption->setStyleSheet(QStringLiteral("color: blue"));
    column->addWidget(styleCaption);
    orientationBox_ = new QComboBox(left);
    orientationBox_->setObjectName(QStringLiteral("orientationBox"));
    orientationBox_->addItems({QStringLiteral("Landscape"), QStringLiteral("Portrait")});
    orientationBox_->setFixedWidth(146);
    orientationBox_->setStyleSheet(
        QStringLiteral("QComboBox { background: rgb(225, 251, 255); color: green; "
                       "font-weight: bold; }"));
    column->addWidget(orientationBox_);
    column->addSpacing(12);
    column->addWidget(new QLabel(QStringLiteral("Tracks List"), left));
    tracksList_ = new QListWidget(left);
    tracksList_->setObjectName(QStringLiteral("tracksList"));
    tracksList_->setFrameShape(QFrame::NoFrame);
    tracksList_->setFixedWidth(235);
    tracksList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tracksList_->setStyleSheet(QStringLiteral("QListWidget { color: green; }"));
    column->addWidget(tracksList_, 1);
    column->addSpacing(12);
    auto button = [&](const QString& text, const char* name, const char* colour) {
        auto* b = new QPushButton(text, left);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(105, 25);
        b->setStyleSheet(QStringLiteral("QPushButton { color: %1; font-weight: bold; }")
                             .arg(QString::fromLatin1(colour)));
        column->addWidget(b);
        return b;
    };
    saveButton_ = button(QStringLiteral("Save"), "saveButton", "green");
    printButton_ = button(QStringLiteral("Print"), "printButton", "green");
    column->addSpacing(40);
    closeButton_ = button(QStringLiteral("Close"), "closeButton", "red");

    sheet_ = new TrackSheet(this);
    sheet_->setMinimumWidth(300);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(left);
    layout->addWidget(sheet_, 1);
    resize(775, 575);

    connect(orientationBox_, &QComboBox::currentIndexChanged, this,
            &TChartPrintP::orientationChanged);
    connect(tracksList_, &QListWidget::itemChanged, this, &TChartPrintP::trackTicked);
    connect(printButton_, &QPushButton::clicked, this, &TChartPrintP::printChosenTracks);
    connect(saveButton_, &QPushButton::clicked, this, &TChartPrintP::saveSheetBitmap);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

TChartPrintP::~TChartPrintP() {
    FormClose();
}

DepthChart* TChartPrintP::printCopy(int slot) const {
    if (slot < 1 || slot > static_cast<int>(printCopies_.size())) return nullptr;
    return printCopies_[static_cast<std::size_t>(slot - 1)].get();
}

void TChartPrintP::FormCreate() {
    orientationBox_->blockSignals(true);
    orientationBox_->setCurrentIndex(1);  // "Portrait"
    orientationBox_->blockSignals(false);
    sheet_->setPaper(kA4, QPageLayout::Portrait);
    TrackPanel* panel = tracks_.panel;
    if (!panel) return;
    tracksList_->blockSignals(true);
    const QPixmap background = trackBackground(tracks_.folder);
    const int sources = panel->sourceTrackCount();
    for (int slot = 1; slot <= sources; ++slot)
        addCopy(slot,
                tracks_.sourceLabels.value(slot - 1,
                                           panel->track(slot) ? panel->track(slot)->title() : ""),
                background);
    if (tracks_.elasticHasRecords)
        for (int slot = sources + 1; slot <= panel->trackCount(); ++slot)
            addCopy(slot, panel->track(slot) ? panel->track(slot)->title() : QString(), background);
    tracksList_->blockSignals(false);
    // Printed side by side, the copies stand on the same depth rows as the tracks do.
    DepthChartRow row;
    for (const auto& copy : printCopies_) row.add(copy.get());
    row.align();
}

// Copies the track of a slot, in memory, and adds its entry to the list.
void TChartPrintP::addCopy(int slot, const QString& label, const QPixmap& background) {
    DepthChart* track = tracks_.panel->track(slot);
    printCopies_.resize(static_cast<std::size_t>(slot));
    auto* item = new QListWidgetItem(label, tracksList_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
    if (!track) return;

    auto printed =
        std::unique_ptr<DepthChart>(DepthChart::fromCopy(track->copy(), background, nullptr));
    printed->setDepthTitle(tracks_.depthTitle);
    printed->setRightMargin(kCopyRightMargin);
    const int height = track->height() > 100 ? track->height() : kDefaultTrackHeight;
    printed->setChartSize(QSize(kCopyWidth, height));
    printed->rescale();
    printCopies_[static_cast<std::size_t>(slot - 1)] = std::move(printed);
}

void TChartPrintP::trackTicked(QListWidgetItem*) {
    // The sheet's list is rebuilt from the last entry to the first; it is drawn so that
    // the first ticked entry lies on top. The ticked tracks the user has not placed stand
    // side by side in list order.
    std::vector<QCustomPlot*> charts;
    for (int e = tracksList_->count() - 1; e >= 0; --e) {
        if (tracksList_->item(e)->checkState() != Qt::Checked) continue;
        if (DepthChart* copy = printCopy(e + 1)) charts.insert(charts.begin(), copy->plot());
    }
    sheet_->placeSideBySide({charts.begin(), charts.end()});
    sheet_->setCharts(std::move(charts));
}

void TChartPrintP::orientationChanged(int index) {
    sheet_->setPaper(kA4, index == 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QString TChartPrintP::printSheet(QPrinter& printer) {
    return sheet_->printSheet(printer, QStringLiteral("Lithora tracks"));
}

void TChartPrintP::printChosenTracks() {
    if (sheet_->charts().empty()) {
        seam_.message(this, QMessageBox::Information, QStringLiteral("Print"),
                      QStringLiteral("Tick the tracks to print in the Tracks List."),
                      QMessageBox::Ok);
        return;
    }
    // At screen resolution the charts' fonts keep their size on the page.
    QPrinter printer(QPrinter::ScreenResolution);
    if (choosePrinter(printer, sheet_->orientation(), seam_, this)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const QString error = printSheet(printer);
        QApplication::restoreOverrideCursor();
        if (!error.isEmpty())
            seam_.message(this, QMessageBox::Warning, QStringLiteral("Print"), error,
                          QMessageBox::Ok);
    }
    if (restoreFolder_) restoreFolder_();
}

QImage TChartPrintP::sheetImage() const {
    return sheet_->sheetImage(96 / 25.4);
}

void TChartPrintP::saveSheetBitmap() {
    QString path =
        seam_.saveFileName(this, QStringLiteral("Save as Bitmap"),
                           QStringLiteral("Bitmap files (*.bmp)"), QStringLiteral("bmp"));
    if (!path.isEmpty()) {
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".bmp");
        QSaveFile file(path);
        const bool written =
            file.open(QIODevice::WriteOnly) && sheetImage().save(&file, "BMP") && file.commit();
        if (!written)
            seam_.message(this, QMessageBox::Warning, QStringLiteral("Save as Bitmap"),
                          QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()),
                          QMessageBox::Ok);
    }
    if (restoreFolder_) restoreFolder_();
}

void TChartPrintP::done(int result) {
    FormClose();
    QDialog::done(result);
}

// Frees the copies.
void TChartPrintP::FormClose() {
    if (sheet_) sheet_->setCharts({});
    printCopies_.clear();
}
