#include "gui/timelapse/lapse_print.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "core/common/number_text.h"
#include "core/workspace/workspace.h"
#include "gui/display/chart_row.h"
#include "gui/display/depth_chart.h"
#include "gui/print/print_support.h"
#include "gui/timelapse/lapse_page.h"
#include "gui/widgets/chart_copy.h"
#include "gui/widgets/page_header.h"
#include "gui/widgets/track_sheet.h"

namespace {

constexpr int kWidth = 775;
constexpr int kHeight = 575;
constexpr int kLeftPanel = 250;
const QColor kGreen(0, 128, 0);
const QSizeF kA4(210, 297);

QFont boldTahoma() {
    QFont f(QStringLiteral("Tahoma"));
    f.setBold(true);
    return f;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text,
                        const QColor& colour, QRect geometry) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFont(boldTahoma());
    b->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; } QPushButton:disabled { color: gray; }")
            .arg(colour.name()));
    b->setGeometry(geometry);
    return b;
}

}  // namespace

TLapsePrint::TLapsePrint(CommandContext context, const std::array<DepthChart*, 3>& charts,
                         QWidget* parent)
    : QDialog(parent),
      ctx_(std::move(context)),
      folder_(QString::fromStdString(ctx_.workspace.programFolder().string())) {
    setWindowTitle(QStringLiteral("Print"));
    setObjectName(QStringLiteral("LapsePrint"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto* styleCaption = new QLabel(QStringLiteral("Preview Style"), this);
    styleCaption->setFont(boldTahoma());
    styleCaption->setGeometry(16, 12, 200, 20);
    orientationBox_ = new QComboBox(this);
    orientationBox_->setObjectName(QStringLiteral("orientationBox"));
    orientationBox_->addItems({QStringLiteral("Landscape"), QStringLiteral("Portrait")});
    orientationBox_->setCurrentIndex(1);
    orientationBox_->setFont(boldTahoma());
    orientationBox_->setStyleSheet(
        QStringLiteral("QComboBox { color: rgb(0, 128, 0); background: rgb(225, 251, 255); }"));
    orientationBox_->setGeometry(16, 34, 200, 26);

    auto* listCaption = new QLabel(QStringLiteral("Tracks List"), this);
    listCaption->setFont(boldTahoma());
    listCaption->setGeometry(16, 76, 200, 20);
    chartList_ = new QListWidget(this);
    chartList_->setObjectName(QStringLiteral("chartList"));
    chartList_->setFrameShape(QFrame::NoFrame);
    chartList_->setFont(QFont(QStringLiteral("Tahoma")));
    chartList_->setStyleSheet(QStringLiteral("QListWidget { color: rgb(0, 128, 0); }"));
    chartList_->setGeometry(16, 98, 200, 90);

    saveButton_ = makeButton(this, "saveButton", QStringLiteral("Save"), kGreen, {16, 204, 95, 28});
    printButton_ =
        makeButton(this, "printButton", QStringLiteral("Print"), kGreen, {121, 204, 95, 28});
    closeButton_ = makeButton(this, "closeButton", QStringLiteral("Close"), QColor(255, 0, 0),
                              {16, kHeight - 65, 95, 28});

    sheet_ = new TrackSheet(this);
    sheet_->setObjectName(QStringLiteral("sheet"));
    sheet_->setPaper(kA4, QPageLayout::Portrait);

    // The copies, made in memory: no file holds the logs' data.
    const QPixmap background = lapseBackground(folder_);
    for (std::size_t i = 0; i < charts.size(); ++i) {
        DepthChart* chart = charts[i];
        if (!chart || chart->pointCount() == 0) continue;
        DepthChart* track = DepthChart::fromCopy(chart->copy(), background, this);
        track->hide();
        track->setChartSize(chart->size());
        fitLapseRange(*track);
        copies_[i] = track;
    }
    // On the sheet they start side by side, in the window's order, none covering another.
    std::vector<const QCustomPlot*> order;
    for (DepthChart* c : copies_)
        if (c) order.push_back(c->plot());
    sheet_->placeSideBySide(std::move(order));
    sheet_->setHeader(lapseHeader());

    // Printed side by side, the copies keep the window's one depth scale.
    DepthChartRow row;
    row.setSharedDepth(true);
    for (DepthChart* c : copies_) row.add(c);
    row.align();

    const QStringList entries{QStringLiteral("First Log"), QStringLiteral("Second Log"),
                              QStringLiteral("Difference Log")};
    for (int i = 0; i < entries.size(); ++i) {
        auto* item = new QListWidgetItem(entries[i], chartList_);
        if (copies_[static_cast<std::size_t>(i)]) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        } else {
            item->setFlags(Qt::ItemIsUserCheckable);  // nothing to show: cannot be ticked
        }
        item->setCheckState(Qt::Unchecked);
    }

    connect(chartList_, &QListWidget::itemChanged, this,
            [this](QListWidgetItem*) { chartTicked(); });
    connect(orientationBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
        sheet_->setPaper(kA4, index == 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
    });
    connect(saveButton_, &QPushButton::clicked, this, &TLapsePrint::saveSheetBitmap);
    connect(printButton_, &QPushButton::clicked, this, &TLapsePrint::printSheet);
    connect(closeButton_, &QPushButton::clicked, this, &TLapsePrint::closeWindow);

    resize(kWidth, kHeight);
    updateButtons();
}

TLapsePrint::~TLapsePrint() {
    FormClose();
}

QString TLapsePrint::lapseHeader() const {
    // The logs are files of their own, not the loaded well: each is named by its curve and
    // file, as its chart is titled.
    QStringList items;
    const QString captions[] = {QStringLiteral("First log"), QStringLiteral("Second log")};
    double top = 0, bottom = 0;
    bool anyDepth = false;
    for (int i = 0; i < 3; ++i) {
        const DepthChart* c = copies_[static_cast<std::size_t>(i)];
        if (!c) continue;
        if (i < 2)
            items << captions[i] + QStringLiteral(": ") +
                         c->title().replace(QLatin1Char('\n'), QLatin1Char(' '));
        for (const double depth : c->samples().depths) {
            if (std::isnan(depth)) continue;
            top = anyDepth ? std::min(top, depth) : depth;
            bottom = anyDepth ? std::max(bottom, depth) : depth;
            anyDepth = true;
        }
    }
    if (anyDepth)
        items << QStringLiteral("Depth: %1 - %2")
                     .arg(QString::fromStdString(lithora::numberText(top, '.', 4)),
                          QString::fromStdString(lithora::numberText(bottom, '.', 4)));
    items << QStringLiteral("Date: ") + pageHeaderDate();
    return items.join(QStringLiteral("   "));
}

DepthChart* TLapsePrint::copy(int n) const {
    return n >= 1 && n <= 3 ? copies_[static_cast<std::size_t>(n - 1)] : nullptr;
}

std::vector<QCustomPlot*> TLapsePrint::previewList() const {
    std::vector<QCustomPlot*> list = sheet_->charts();  // topmost first
    std::reverse(list.begin(), list.end());
    return list;
}

void TLapsePrint::chartTicked() {
    // Difference, second log, first log: the first log lies on top.
    std::vector<QCustomPlot*> list;
    for (int i = 2; i >= 0; --i) {
        const QListWidgetItem* item = chartList_->item(i);
        DepthChart* copy = copies_[static_cast<std::size_t>(i)];
        if (copy && item && item->checkState() == Qt::Checked) list.push_back(copy->plot());
    }
    std::reverse(list.begin(), list.end());  // the sheet lists the topmost chart first
    sheet_->setCharts(std::move(list));
    updateButtons();
}

void TLapsePrint::updateButtons() {
    const bool any = !sheet_->charts().empty();
    saveButton_->setEnabled(any);
    printButton_->setEnabled(any);
}

void TLapsePrint::saveSheetBitmap() {
    if (sheet_->charts().empty()) return;
    QString path =
        ctx_.seam.saveFileName(this, QStringLiteral("Save as Bitmap"),
                               QStringLiteral("Bitmap files (*.bmp)"), QStringLiteral("bmp"));
    if (ctx_.restoreFolder) ctx_.restoreFolder();
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".bmp");
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         sheet_->sheetImage(96 / 25.4).save(&file, "BMP") && file.commit();
    if (!written)
        ctx_.message(QMessageBox::Warning,
                     QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
}

void TLapsePrint::printSheet() {
    if (sheet_->charts().empty()) return;
    // At screen resolution the charts' fonts keep their size on the page.
    QPrinter printer(QPrinter::ScreenResolution);
    if (choosePrinter(printer, sheet_->orientation(), ctx_.seam, this)) {
        BusyCursor busy;
        const QString error = sheet_->printSheet(printer, QStringLiteral("Lithora time lapse"));
        if (!error.isEmpty()) ctx_.message(QMessageBox::Warning, error);
    }
    if (ctx_.restoreFolder) ctx_.restoreFolder();
}

void TLapsePrint::closeWindow() {
    close();
}

void TLapsePrint::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    sheet_->setGeometry(kLeftPanel, 0, std::max(0, width() - kLeftPanel), height());
    closeButton_->move(closeButton_->x(), height() - 65);
}

void TLapsePrint::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TLapsePrint::FormClose() {
    sheet_->setCharts({});
    for (DepthChart*& copy : copies_) {
        delete copy;
        copy = nullptr;
    }
}
