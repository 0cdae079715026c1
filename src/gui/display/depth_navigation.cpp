#include "gui/display/depth_navigation.h"

#include <qcustomplot.h>
#include <QBoxLayout>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "gui/display/depth_chart.h"

using lithora::chart::DepthSpan;

DepthNavigation::DepthNavigation(QObject* parent) : QObject(parent) {}

void DepthNavigation::add(DepthChart* chart) {
    if (!chart) return;
    charts_.emplace_back(chart);
    chart->plot()->installEventFilter(this);
    // A rectangle zoom on a chart of the Graph page opens the zoomed part in a window of its
    // own and puts the chart back to its own ranges, as the undo gesture does: a chart back
    // on its own depth range takes the range the window's other charts show.
    const auto rejoin = [this, guarded = QPointer<DepthChart>(chart)] {
        QTimer::singleShot(0, this, [this, guarded] {
            if (!guarded) return;
            const lithora::AxisRange own = guarded->ownDepthRange(), now = guarded->depthRange();
            if (now.lo != own.lo || now.hi != own.hi) return;  // zoomed in place: kept
            for (DepthChart* other : charts()) {
                if (other == guarded) continue;
                const lithora::AxisRange r = other->depthRange();
                guarded->showDepthRange(r.lo, r.hi);
                return;
            }
        });
    };
    connect(chart, &DepthChart::zoomed, this, rejoin);
    connect(chart, &DepthChart::zoomUndone, this, rejoin);
    // However the range changes (navigation, a rectangle zoom, new samples), the depth-range
    // box follows.
    connect(chart->plot()->yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] {
        const DepthSpan s = shown();
        emit shownChanged(s.top, s.bottom);
    });
}

void DepthNavigation::clear() {
    for (DepthChart* c : charts()) {
        c->plot()->removeEventFilter(this);
        disconnect(c->plot()->yAxis, nullptr, this, nullptr);
        disconnect(c, nullptr, this, nullptr);
    }
    charts_.clear();
}

std::vector<DepthChart*> DepthNavigation::charts() const {
    std::vector<DepthChart*> out;
    for (const auto& c : charts_)
        if (c) out.push_back(c.data());
    return out;
}

DepthSpan DepthNavigation::shown() const {
    const auto charts = this->charts();
    if (charts.empty()) return {};
    const lithora::AxisRange r = charts.front()->depthRange();
    return {r.lo, r.hi};
}

DepthSpan DepthNavigation::whole() const {
    const auto charts = this->charts();
    if (charts.empty()) return {};
    DepthSpan all{charts.front()->ownDepthRange().lo, charts.front()->ownDepthRange().hi};
    for (DepthChart* c : charts) {
        all.top = std::min(all.top, c->ownDepthRange().lo);
        all.bottom = std::max(all.bottom, c->ownDepthRange().hi);
    }
    return all;
}

void DepthNavigation::show(DepthSpan span) {
    const DepthSpan all = whole();
    if (span.top > span.bottom) std::swap(span.top, span.bottom);
    span.top = std::max(span.top, all.top);
    span.bottom = std::min(span.bottom, all.bottom);
    if (!(span.top < span.bottom)) return;
    for (DepthChart* c : charts()) c->showDepthRange(span.top, span.bottom);
}

void DepthNavigation::showWhole() {
    show(whole());
}

void DepthNavigation::scroll(double steps) {
    show(lithora::chart::scrolledSpan(shown(), steps, whole()));
}

void DepthNavigation::zoom(double steps, double at) {
    show(lithora::chart::zoomedSpan(shown(), steps, at, whole()));
}

bool DepthNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    auto* plot = qobject_cast<QCustomPlot*>(watched);
    auto* chart = plot ? qobject_cast<DepthChart*>(plot->parentWidget()) : nullptr;
    if (!chart || chart->plot() != plot) return QObject::eventFilter(watched, event);
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const double steps = wheel->angleDelta().y() / 120.0;
    if (steps == 0) return true;
    if (wheel->modifiers() & Qt::ControlModifier)
        zoom(steps, chart->plot()->yAxis->pixelToCoord(wheel->position().y()));
    else
        scroll(steps);
    return true;
}

DepthRangeBar::DepthRangeBar(DepthNavigation& navigation, QWidget* parent,
                             Qt::Orientation orientation)
    : QWidget(parent), navigation_(navigation) {
    setObjectName(QStringLiteral("DepthRangeBar"));
    QBoxLayout* layout = nullptr;
    if (orientation == Qt::Horizontal)
        layout = new QHBoxLayout(this);
    else
        layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(orientation == Qt::Horizontal ? 6 : 2);
    auto box = [this, layout, orientation](const QString& caption, const QString& name) {
        layout->addWidget(new QLabel(caption, this));
        auto* b = new QDoubleSpinBox(this);
        b->setObjectName(name);
        b->setDecimals(2);
        b->setKeyboardTracking(false);
        b->setButtonSymbols(QAbstractSpinBox::NoButtons);
        if (orientation == Qt::Horizontal)
            b->setMinimumWidth(
                QFontMetrics(b->font()).horizontalAdvance(QStringLiteral("-000,000.00")) + 12);
        connect(b, &QDoubleSpinBox::editingFinished, this, &DepthRangeBar::showTyped);
        layout->addWidget(b);
        if (orientation == Qt::Horizontal) layout->addSpacing(4);  // apart from the next caption
        return b;
    };
    top_ = box(tr("Top"), QStringLiteral("DepthTop"));
    bottom_ = box(tr("Bottom"), QStringLiteral("DepthBottom"));
    whole_ = new QPushButton(tr("Whole well"), this);
    whole_->setObjectName(QStringLiteral("WholeWell"));
    layout->addWidget(whole_);
    if (orientation == Qt::Vertical) layout->addStretch();
    connect(whole_, &QPushButton::clicked, &navigation_, &DepthNavigation::showWhole);
    connect(&navigation_, &DepthNavigation::shownChanged, this, &DepthRangeBar::refresh);
    refresh();
}

void DepthRangeBar::refresh() {
    const DepthSpan all = navigation_.whole(), shown = navigation_.shown();
    for (QDoubleSpinBox* b : {top_, bottom_}) {
        const QSignalBlocker quiet(b);
        b->setRange(all.top, all.bottom);
    }
    const QSignalBlocker quietTop(top_), quietBottom(bottom_);
    top_->setValue(shown.top);
    bottom_->setValue(shown.bottom);
}

void DepthRangeBar::showTyped() {
    const double top = top_->value(), bottom = bottom_->value();
    if (top == bottom) {
        QToolTip::showText(bottom_->mapToGlobal(QPoint(0, bottom_->height())),
                           tr("The top and the bottom must differ."), bottom_);
        refresh();
        return;
    }
    navigation_.show({top, bottom});
    refresh();
}
