#include "gui/timelapse/lapse_print.h"

#include <qcustomplot.h>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QSaveFile>
#include <algorithm>

#include "core/workspace/workspace.h"
#include "gui/display/depth_track.h"
#include "gui/print/print_support.h"
#include "gui/print/track_sheet.h"
#include "gui/timelapse/lapse_page.h"
#include "gui/widgets/chart_copy.h"

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

    TeePreviewPanel1_ = new TrackSheet(this);
    TeePreviewPanel1_->setObjectName(QStringLiteral("TeePreviewPanel1"));
    TeePreviewPanel1_->setPaper(kA4, QPageLayout::Portrait);

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
        TeePreviewPanel1_->setPaper(kA4,
                                    index == 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
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

std::vector<QCustomPlot*> TLapsePrint::previewList() const {
    std::vector<QCustomPlot*> list = TeePreviewPanel1_->charts();  // topmost first
    std::reverse(list.begin(), list.end());
    return list;
}

void TLapsePrint::CheckListBox1ClickCheck() {
    // Difference, second log, first log: the first log lies on top.
    std::vector<QCustomPlot*> list;
    for (int i = 2; i >= 0; --i) {
        const QListWidgetItem* item = CheckListBox1_->item(i);
        DepthTrack* copy = copies_[static_cast<std::size_t>(i)];
        if (copy && item && item->checkState() == Qt::Checked) list.push_back(copy->plot());
    }
    std::reverse(list.begin(), list.end());  // the sheet lists the topmost chart first
    TeePreviewPanel1_->setCharts(std::move(list));
    updateButtons();
}

void TLapsePrint::updateButtons() {
    const bool any = !TeePreviewPanel1_->charts().empty();
    sButton3_->setEnabled(any);
    sButton1_->setEnabled(any);
}

void TLapsePrint::sButton3Click() {
    if (TeePreviewPanel1_->charts().empty()) return;
    QString path =
        ctx_.seam.saveFileName(this, QStringLiteral("Save as Bitmap"),
                               QStringLiteral("Bitmap files (*.bmp)"), QStringLiteral("bmp"));
    if (ctx_.restoreFolder) ctx_.restoreFolder();
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".bmp");
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         TeePreviewPanel1_->sheetImage(96 / 25.4).save(&file, "BMP") &&
                         file.commit();
    if (!written)
        ctx_.message(QMessageBox::Warning,
                     QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
}

void TLapsePrint::sButton1Click() {
    if (TeePreviewPanel1_->charts().empty()) return;
    // At screen resolution the charts' fonts keep their size on the page.
    QPrinter printer(QPrinter::ScreenResolution);
    if (choosePrinter(printer, TeePreviewPanel1_->orientation(), ctx_.seam, this)) {
        BusyCursor busy;
        const QString error =
            TeePreviewPanel1_->printSheet(printer, QStringLiteral("Lithora time lapse"));
        if (!error.isEmpty()) ctx_.message(QMessageBox::Warning, error);
    }
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
    TeePreviewPanel1_->setCharts({});
    for (int n = 3; n >= 1; --n) {
        const QString file = chartFile(n);
        if (QFile::exists(file)) QFile::remove(file);
        delete copies_[static_cast<std::size_t>(n - 1)];
        copies_[static_cast<std::size_t>(n - 1)] = nullptr;
    }
}
