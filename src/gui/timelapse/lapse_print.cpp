#include "gui/timelapse/lapse_print.h"

#include <qcustomplot.h>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

#include "core/workspace/workspace.h"
#include "gui/display/depth_track.h"
#include "gui/timelapse/lapse_page.h"
#include "gui/widgets/chart_copy.h"
#include "gui/widgets/chart_page.h"
#include "gui/widgets/chart_print.h"

namespace {

constexpr int kWidth = 775;
constexpr int kHeight = 575;
constexpr int kLeftPanel = 250;
const QColor kGreen(0, 128, 0);

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

TLapsePrint::TLapsePrint(CommandContext context, const std::array<DepthTrack*, 3>& charts,
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
    ComboBox1_ = new QComboBox(this);
    ComboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1_->addItems({QStringLiteral("Landscape"), QStringLiteral("Portrait")});
    ComboBox1_->setCurrentIndex(1);
    ComboBox1_->setFont(boldTahoma());
    ComboBox1_->setStyleSheet(
        QStringLiteral("QComboBox { color: rgb(0, 128, 0); background: rgb(225, 251, 255); }"));
    ComboBox1_->setGeometry(16, 34, 200, 26);

    auto* listCaption = new QLabel(QStringLiteral("Tracks List"), this);
    listCaption->setFont(boldTahoma());
    listCaption->setGeometry(16, 76, 200, 20);
    CheckListBox1_ = new QListWidget(this);
    CheckListBox1_->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1_->setFrameShape(QFrame::NoFrame);
    CheckListBox1_->setFont(QFont(QStringLiteral("Tahoma")));
    CheckListBox1_->setStyleSheet(QStringLiteral("QListWidget { color: rgb(0, 128, 0); }"));
    CheckListBox1_->setGeometry(16, 98, 200, 90);

    sButton3_ = makeButton(this, "sButton3", QStringLiteral("Save"), kGreen, {16, 204, 95, 28});
    sButton1_ = makeButton(this, "sButton1", QStringLiteral("Print"), kGreen, {121, 204, 95, 28});
    sButton2_ = makeButton(this, "sButton2", QStringLiteral("Close"), QColor(255, 0, 0),
                           {16, kHeight - 65, 95, 28});

    TeePreviewPanel1_ = new ChartPage(this);
    TeePreviewPanel1_->setObjectName(QStringLiteral("TeePreviewPanel1"));

    // The copies, each through its chart file.
    const QPixmap background = lapseBackground(folder_);
    QStringList failures;
    for (std::size_t i = 0; i < charts.size(); ++i) {
        DepthTrack* chart = charts[i];
        if (!chart || chart->pointCount() == 0) continue;
        const QString file = chartFile(static_cast<int>(i) + 1);
        QString error = saveChartCopy(chart->copy(), file);
        ChartCopy copy;
        if (error.isEmpty()) error = loadChartCopy(file, copy);
        if (!error.isEmpty()) {
            failures << error;
            continue;
        }
        DepthTrack* track = DepthTrack::fromCopy(copy, background, this);
        track->hide();
        track->setChartSize(chart->size());
        fitLapseRange(*track);
        copies_[i] = track;
    }

    const QStringList entries{QStringLiteral("First Log"), QStringLiteral("Second Log"),
                              QStringLiteral("Difference Log")};
    for (int i = 0; i < entries.size(); ++i) {
        auto* item = new QListWidgetItem(entries[i], CheckListBox1_);
        if (copies_[static_cast<std::size_t>(i)]) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        } else {
            item->setFlags(Qt::ItemIsUserCheckable);  // nothing to show: cannot be ticked
        }
        item->setCheckState(Qt::Unchecked);
    }

    connect(CheckListBox1_, &QListWidget::itemChanged, this,
            [this](QListWidgetItem*) { CheckListBox1ClickCheck(); });
    connect(ComboBox1_, &QComboBox::currentIndexChanged, this, [this](int index) {
        TeePreviewPanel1_->setOrientation(index == 0 ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    });
    connect(sButton3_, &QPushButton::clicked, this, &TLapsePrint::sButton3Click);
    connect(sButton1_, &QPushButton::clicked, this, &TLapsePrint::sButton1Click);
    connect(sButton2_, &QPushButton::clicked, this, &TLapsePrint::sButton2Click);

    resize(kWidth, kHeight);
    updateButtons();
    if (!failures.isEmpty()) ctx_.message(QMessageBox::Warning, failures.join('\n'));
}

TLapsePrint::~TLapsePrint() {
    FormClose();
}

DepthTrack* TLapsePrint::copy(int n) const {
    return n >= 1 && n <= 3 ? copies_[static_cast<std::size_t>(n - 1)] : nullptr;
}

QString TLapsePrint::chartFile(int n) const {
    return QDir(folder_).filePath(QStringLiteral("tempchart%1.tee").arg(n));
}

void TLapsePrint::CheckListBox1ClickCheck() {
    // The difference first and the first log last, so the first log lies on top.
    TeePreviewPanel1_->clearCharts();
    for (int i = 2; i >= 0; --i) {
        const QListWidgetItem* item = CheckListBox1_->item(i);
        DepthTrack* copy = copies_[static_cast<std::size_t>(i)];
        if (copy && item && item->checkState() == Qt::Checked)
            TeePreviewPanel1_->addChart(copy->plot());
    }
    updateButtons();
}

void TLapsePrint::updateButtons() {
    const bool any = !TeePreviewPanel1_->charts().isEmpty();
    sButton3_->setEnabled(any);
    sButton1_->setEnabled(any);
}

void TLapsePrint::sButton3Click() {
    if (TeePreviewPanel1_->charts().isEmpty()) return;
    const QString file =
        ctx_.seam.saveFileName(this, QStringLiteral("Save as Bitmap"),
                               QStringLiteral("Bitmap files (*.bmp)"), QStringLiteral("bmp"));
    if (ctx_.restoreFolder) ctx_.restoreFolder();
    if (file.isEmpty()) return;
    const QSize logical = TeePreviewPanel1_->pageLayout().fullRectPixels(96).size();
    const QImage image = TeePreviewPanel1_->pageImage(logical.width());
    if (!image.save(file, "BMP"))
        ctx_.message(QMessageBox::Warning, QStringLiteral("Cannot write \"%1\".").arg(file));
}

void TLapsePrint::sButton1Click() {
    if (TeePreviewPanel1_->charts().isEmpty()) return;
    ChartPrintPreview printing(
        [this](QCPPainter& painter, const QRectF& page) {
            TeePreviewPanel1_->paintCharts(painter, page);
        },
        ctx_.seam, this);
    printing.setOrientation(TeePreviewPanel1_->orientation());
    printing.print();
    if (ctx_.restoreFolder) ctx_.restoreFolder();
}

void TLapsePrint::sButton2Click() {
    close();
}

void TLapsePrint::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    TeePreviewPanel1_->setGeometry(kLeftPanel, 0, std::max(0, width() - kLeftPanel), height());
    sButton2_->move(sButton2_->x(), height() - 65);
}

void TLapsePrint::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TLapsePrint::FormClose() {
    TeePreviewPanel1_->clearCharts();
    for (int n = 3; n >= 1; --n) {
        const QString file = chartFile(n);
        if (QFile::exists(file)) QFile::remove(file);
        delete copies_[static_cast<std::size_t>(n - 1)];
        copies_[static_cast<std::size_t>(n - 1)] = nullptr;
    }
}
