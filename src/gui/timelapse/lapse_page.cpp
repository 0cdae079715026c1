#include "gui/timelapse/lapse_page.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "core/common/error.h"
#include "core/workspace/workspace.h"
#include "gui/display/chart_row.h"
#include "gui/display/depth_chart.h"
#include "gui/display/depth_navigation.h"
#include "gui/timelapse/lapse_print.h"
#include "gui/timelapse/track_selection.h"

using namespace lithora;

namespace {

constexpr int kWidth = 719;
constexpr int kHeight = 705;
constexpr int kChartLeft = 88;
constexpr int kChartTop = 40;
constexpr int kChartWidth = 201;
constexpr int kChartHeight = 625;
constexpr int kChartGap = 7;
constexpr int kButtonTop = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kRangeBarHeight = 120;  // the depth-range box, captions above the boxes

const QColor kLogColour(0, 128, 0);         // 32768
const QColor kDifferenceColour(255, 0, 0);  // 255

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text,
                        const QColor& colour, const char* family = "Tahoma") {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    QFont font{QString::fromLatin1(family)};
    font.setBold(true);
    b->setFont(font);
    b->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; } QPushButton:disabled { color: gray; }")
            .arg(colour.name()));
    b->resize(kButtonWidth, kButtonHeight);
    return b;
}

QString depthTitle(const std::string& unit) {
    return QStringLiteral("Depth(%1)").arg(QString::fromStdString(unit));
}

}  // namespace

void fitLapseRange(DepthChart& track) {
    const CurveView v = track.samples();
    const auto range = timelapse::lapseRange(v.values.first(v.size()));
    if (!range) return;
    if (range->lo < range->hi)
        track.setValueRange(range->lo, range->hi);
    else
        track.setValueRange(range->lo - 1, range->hi + 1);
}

QPixmap lapseBackground(const QString& programFolder) {
    try {
        return loadTrackBackground(programFolder);
    } catch (const std::exception&) {
        QPixmap white(8, 8);
        white.fill(Qt::white);
        return white;
    }
}

TTLapse::TTLapse(CommandContext context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)) {
    setWindowTitle(QStringLiteral("Time Laps"));
    setObjectName(QStringLiteral("TLapse"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    try {
        background_ =
            loadTrackBackground(QString::fromStdString(ctx_.workspace.programFolder().string()));
    } catch (const std::exception&) {
        // Without the picture the charts are drawn on white.
        background_ = QPixmap(8, 8);
        background_.fill(Qt::white);
    }

    row_ = new DepthChartRow(this);
    row_->setSharedDepth(true);
    for (int n = 1; n <= 3; ++n) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("Chart%1").arg(n));
        auto* layout = new QVBoxLayout(frame);
        layout->setContentsMargins(0, 0, 0, 0);
        frames_[static_cast<std::size_t>(n - 1)] = frame;
        makeTrack(n, n == 3 ? QStringLiteral("Difference") : QString(),
                  n == 3 ? kDifferenceColour : kLogColour);
    }

    const QColor blue(0, 0, 160), red(255, 0, 0), green(0, 128, 64);
    openFirstButton_ = makeButton(this, "openFirstButton", QStringLiteral("Open"), blue, "Arial");
    clearFirstButton_ = makeButton(this, "clearFirstButton", QStringLiteral("Clear"), red);
    openSecondButton_ = makeButton(this, "openSecondButton", QStringLiteral("Open"), blue, "Arial");
    clearSecondButton_ = makeButton(this, "clearSecondButton", QStringLiteral("Clear"), red);
    calculateButton_ = makeButton(this, "calculateButton", QStringLiteral("Calculate"), green);
    clearAllButton_ = makeButton(this, "clearAllButton", QStringLiteral("Clear All"), red);
    printButton_ = makeButton(this, "printButton", QStringLiteral("Print"), QColor(0, 128, 0));
    connect(openFirstButton_, &QPushButton::clicked, this, &TTLapse::openFirstLog);
    connect(openSecondButton_, &QPushButton::clicked, this, &TTLapse::openSecondLog);
    connect(calculateButton_, &QPushButton::clicked, this, &TTLapse::calculateDifference);
    connect(clearFirstButton_, &QPushButton::clicked, this, &TTLapse::clearFirstLog);
    connect(clearSecondButton_, &QPushButton::clicked, this, &TTLapse::clearSecondLog);
    connect(clearAllButton_, &QPushButton::clicked, this, &TTLapse::clearAllLogs);
    connect(printButton_, &QPushButton::clicked, this, &TTLapse::printComparison);
    rangeBar_ = new DepthRangeBar(*row_->navigation(), this, Qt::Vertical);
    connect(row_, &DepthChartRow::aligned, rangeBar_, &DepthRangeBar::refresh);

    setMinimumSize(kWidth - 3 * 120, kHeight - 400);
    resize(kWidth, kHeight);
    layoutControls();
    updateButtons();
}

TTLapse::~TTLapse() = default;

DepthChart* TTLapse::chart(int n) const {
    return n >= 1 && n <= 3 ? tracks_[static_cast<std::size_t>(n - 1)] : nullptr;
}

QFrame* TTLapse::chartFrame(int n) const {
    return n >= 1 && n <= 3 ? frames_[static_cast<std::size_t>(n - 1)] : nullptr;
}

bool TTLapse::hasCurve(int n) const {
    switch (n) {
        case 1:
            return first_.has_value();
        case 2:
            return second_.has_value();
        case 3:
            return diff_.has_value();
        default:
            return false;
    }
}

DepthChart* TTLapse::makeTrack(int n, const QString& title, const QColor& colour) {
    auto& slot = tracks_[static_cast<std::size_t>(n - 1)];
    QFrame* frame = frames_[static_cast<std::size_t>(n - 1)];
    // The chart's curve goes with the track that holds it.
    delete slot;
    slot = new DepthChart(0, title, colour, background_, frame);
    slot->setObjectName(QStringLiteral("Track%1").arg(n));
    // The track commands of the Graph page have no meaning here.
    slot->plot()->setContextMenuPolicy(Qt::NoContextMenu);
    slot->setDepthTitle(QStringLiteral("Depth"));
    frame->layout()->addWidget(slot);
    slot->show();
    row_->clear();
    for (DepthChart* t : tracks_) row_->add(t);
    return slot;
}

void TTLapse::layoutControls() {
    // Each chart takes a third of the change of the window's width (the whole part of it)
    // and all of the change of its height; the gaps between the charts stay.
    const int w = kChartWidth + (width() - kWidth) / 3;
    const int h = kChartHeight + (height() - kHeight);
    int left = kChartLeft;
    for (QFrame* frame : frames_) {
        frame->setGeometry(left, kChartTop, w, h);
        left += w + kChartGap;
    }
    const auto place = [](QPushButton* b, const QFrame* chart, int offset) {
        b->move(chart->x() + offset, kButtonTop);
    };
    place(openFirstButton_, frames_[0], 8);
    place(clearFirstButton_, frames_[0], 88);
    place(openSecondButton_, frames_[1], 8);
    place(clearSecondButton_, frames_[1], 88);
    place(calculateButton_, frames_[2], 8);
    place(clearAllButton_, frames_[2], 88);
    printButton_->move(6, height() - 65);
    // In the column left of the charts, above "Print".
    rangeBar_->setGeometry(6, printButton_->y() - kRangeBarHeight - 12, kChartLeft - 10,
                           kRangeBarHeight);
}

void TTLapse::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
    row_->align();
}

void TTLapse::updateButtons() {
    openFirstButton_->setEnabled(true);
    openSecondButton_->setEnabled(secondOpenAllowed_);
    clearFirstButton_->setEnabled(first_.has_value());
    clearSecondButton_->setEnabled(second_.has_value());
    calculateButton_->setEnabled(first_ && second_ && !diff_);
    clearAllButton_->setEnabled(first_ || second_ || diff_);
    printButton_->setEnabled(diff_.has_value());
}

void TTLapse::openFirstLog() {
    readLog(1);
}

void TTLapse::openSecondLog() {
    readLog(2);
}

void TTLapse::readLog(int n) {
    const QString file = ctx_.seam.openFileName(
        this,
        n == 1 ? QStringLiteral("Open first LAS file") : QStringLiteral("Open second LAS file"),
        QStringLiteral("LAS files (*.las)"), QStringLiteral("las"));
    if (ctx_.restoreFolder) ctx_.restoreFolder();
    if (file.isEmpty()) return;

    timelapse::LapseFile read;
    try {
        BusyCursor busy;
        read = timelapse::readLapseFile(file.toStdString());
    } catch (const lithora::ReadError& e) {
        // The second line names the file and why, as the main import does.
        QString text = QStringLiteral("Error reading file.");
        if (!e.reason().empty())
            text += QStringLiteral("\n%1: %2")
                        .arg(QDir::toNativeSeparators(file), QString::fromStdString(e.reason()));
        ctx_.message(QMessageBox::Critical, text);
        return;
    } catch (const std::exception&) {
        ctx_.message(QMessageBox::Critical, QStringLiteral("Error reading file."));
        return;
    }
    QStringList curves;
    for (const std::string& c : read.curves) curves << QString::fromStdString(c);
    TTrackSelection choice(curves, this);
    if (ctx_.seam.exec(choice) != QDialog::Accepted || choice.chosen() < 1) return;

    timelapse::LapseLog log;
    try {
        log = timelapse::lapseLog(read, choice.chosen());
    } catch (const std::exception& e) {
        ctx_.message(QMessageBox::Critical, QString::fromUtf8(e.what()));
        return;
    }
    fileNames_[n] = QFileInfo(file).fileName();
    showLog(n, std::move(log));
}

void TTLapse::showLog(int n, timelapse::LapseLog log) {
    QString title = QString::fromStdString(log.curve);
    if (!fileNames_[n].isEmpty()) title += QLatin1Char('\n') + fileNames_[n];
    DepthChart* track = makeTrack(n, title, kLogColour);
    track->setSeriesName(QString::fromStdString(log.curve));
    track->setData(log.depth, log.value);
    fitLapseRange(*track);
    track->setDepthTitle(depthTitle(log.depthUnit));
    row_->align();
    if (n == 1) {
        first_ = std::move(log);
        secondOpenAllowed_ = true;
    } else {
        second_ = std::move(log);
    }
    dropDifference();
    updateButtons();
}

void TTLapse::calculateDifference() {
    if (!first_ || !second_ || diff_) return;
    timelapse::LapseDifference d;
    try {
        d = timelapse::lapseDifference(*first_, *second_);
    } catch (const std::exception& e) {
        ctx_.message(QMessageBox::Critical, QString::fromUtf8(e.what()));
        return;
    }
    DepthChart* track = makeTrack(3, QStringLiteral("Difference"), kDifferenceColour);
    track->setSeriesName(QStringLiteral("T_Lapse_Trace%1").arg(++traceNumber_));
    track->setData(d.depth, d.difference);
    fitLapseRange(*track);
    track->setDepthTitle(tracks_[1]->depthTitle());
    row_->align();
    diff_ = std::move(d);
    updateButtons();
}

void TTLapse::clearChart(int n) {
    makeTrack(n, n == 3 ? QStringLiteral("Difference") : QString(),
              n == 3 ? kDifferenceColour : kLogColour);
    row_->align();
}

void TTLapse::dropDifference() {
    if (!diff_) return;
    diff_.reset();
    clearChart(3);
}

void TTLapse::clearFirstLog() {
    if (!first_) return;
    first_.reset();
    clearChart(1);
    dropDifference();
    updateButtons();
}

void TTLapse::clearSecondLog() {
    if (!second_) return;
    second_.reset();
    clearChart(2);
    dropDifference();
    updateButtons();
}

void TTLapse::clearAllLogs() {
    first_.reset();
    second_.reset();
    diff_.reset();
    for (int n = 1; n <= 3; ++n) clearChart(n);
    secondOpenAllowed_ = false;
    updateButtons();
}

void TTLapse::printComparison() {
    if (!diff_) return;
    TLapsePrint preview(ctx_, {tracks_[0], tracks_[1], tracks_[2]}, this);
    ctx_.seam.exec(preview);
    if (ctx_.restoreFolder) ctx_.restoreFolder();
}
