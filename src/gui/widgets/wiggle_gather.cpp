#include "gui/widgets/wiggle_gather.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

#include "gui/widgets/pixel_font.h"

namespace {

const QColor kTitleColour(0, 0, 255);

// The share of the room between two traces that the largest amplitude swings.
constexpr double kSwing = 0.9;

}  // namespace

WiggleGather::WiggleGather(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    plot_ = new QCustomPlot(this);
    plot_->setGeometry(contentsRect());
    plot_->setBackground(Qt::white);
    plot_->plotLayout()->insertRow(0);
    plot_->plotLayout()->addElement(
        0, 0, new QCPTextElement(plot_, QString(), pixelFont("Sans", 13, true)));
    const QFont titleFont = pixelFont("Sans", 12, true);
    for (QCPAxis* a : {plot_->xAxis2, plot_->yAxis, plot_->yAxis2}) {
        a->setVisible(true);
        a->setLabelFont(titleFont);
        a->setLabelColor(kTitleColour);
        a->setTickLabelFont(pixelFont("Sans", 11, false));
        a->setLabelPadding(2);
    }
    plot_->xAxis->setTicks(false);
    plot_->xAxis->setTickLabels(false);
    plot_->xAxis2->setLabel(QStringLiteral("Angle (°)"));
    plot_->xAxis2->setSubTicks(false);
    plot_->yAxis->setLabel(QStringLiteral("TWT (ms)"));
    plot_->yAxis->setRangeReversed(true);
    plot_->yAxis->setNumberFormat(QStringLiteral("gb"));
    plot_->yAxis2->setRangeReversed(true);
    plot_->yAxis2->setSubTicks(false);
    // The side scale stands on the time axis's range.
    connect(plot_->yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), plot_->yAxis2,
            qOverload<const QCPRange&>(&QCPAxis::setRange));
    plot_->axisRect()->setMinimumMargins(QMargins(4, 4, 4, 4));
}

void WiggleGather::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    plot_->setGeometry(contentsRect());
}

void WiggleGather::setTitle(const QString& title) {
    if (auto* t = qobject_cast<QCPTextElement*>(plot_->plotLayout()->element(0, 0))) {
        t->setText(title);
        plot_->replot(QCustomPlot::rpQueuedReplot);
    }
}

QString WiggleGather::title() const {
    const auto* t = qobject_cast<QCPTextElement*>(plot_->plotLayout()->element(0, 0));
    return t ? t->text() : QString();
}

void WiggleGather::setTraces(const std::vector<std::vector<double>>& traces, double stepMs,
                             const std::vector<QString>& labels) {
    plot_->clearGraphs();
    traceCount_ = static_cast<int>(traces.size());
    sampleCount_ = traces.empty() ? 0 : static_cast<int>(traces.front().size());
    double largest = 0;
    for (const auto& trace : traces)
        for (double a : trace)
            if (std::isfinite(a)) largest = std::max(largest, std::abs(a));
    const double scale = largest > 0 ? kSwing / largest : 0;

    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (int k = 0; k < traceCount_; ++k) {
        const auto& trace = traces[static_cast<std::size_t>(k)];
        QVector<double> times(static_cast<qsizetype>(trace.size()));
        QVector<double> base(times.size(), k), wiggle(times.size()), positive(times.size());
        for (std::size_t i = 0; i < trace.size(); ++i) {
            const double a = std::isfinite(trace[i]) ? trace[i] * scale : 0;
            const auto q = static_cast<qsizetype>(i);
            times[q] = static_cast<double>(i) * stepMs;
            wiggle[q] = k + a;
            positive[q] = k + std::max(a, 0.0);
        }
        // The graphs run along the time axis: their keys are times on the vertical axis.
        QCPGraph* baseline = plot_->addGraph(plot_->yAxis, plot_->xAxis);
        baseline->setPen(Qt::NoPen);
        baseline->setData(times, base, true);
        QCPGraph* fill = plot_->addGraph(plot_->yAxis, plot_->xAxis);
        fill->setPen(Qt::NoPen);
        fill->setBrush(Qt::black);
        fill->setChannelFillGraph(baseline);
        fill->setData(times, positive, true);
        QCPGraph* line = plot_->addGraph(plot_->yAxis, plot_->xAxis);
        line->setPen(QPen(Qt::black, 1));
        line->setData(times, wiggle, true);
        ticker->addTick(k, k < static_cast<int>(labels.size()) ? labels[static_cast<std::size_t>(k)]
                                                               : QString::number(k + 1));
    }
    plot_->xAxis2->setTicker(ticker);
    plot_->xAxis->setRange(-1, std::max(traceCount_, 1));
    plot_->xAxis2->setRange(plot_->xAxis->range());
    const double last = sampleCount_ > 1 ? (sampleCount_ - 1) * stepMs : 1;
    plot_->yAxis->setRange(0, last);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void WiggleGather::setSideScale(const QString& title,
                                const std::vector<std::pair<double, QString>>& marks) {
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (const auto& [time, text] : marks) ticker->addTick(time, text);
    plot_->yAxis2->setTicker(ticker);
    plot_->yAxis2->setLabel(title);
    plot_->yAxis2->setRange(plot_->yAxis->range());
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

std::pair<double, double> WiggleGather::timeRange() const {
    return {plot_->yAxis->range().lower, plot_->yAxis->range().upper};
}
