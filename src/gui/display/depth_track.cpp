#include "gui/display/depth_track.h"

#include <qcustomplot.h>
#include <QAction>
#include <QDir>
#include <QEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/common/error.h"
#include "core/common/number_text.h"

using namespace lithora;

namespace {

constexpr int kTickLength = 6;
constexpr int kMinorTickLength = 4;
constexpr int kMinorTicks = 3;
constexpr int kBottomMargin = 23;
// The value axis spans the middle of the plotting area: its ends stand this fraction of the
// width inside, so a curve's extremes are not hidden under the back wall and the end labels
// stand over them.
constexpr double kValueInset = 0.04;
const QColor kMinorGridColour(128, 128, 128);
const QColor kZoomColour(255, 255, 0);

// The regional separators as the screen shows numbers.
QString regionalText(const std::string& dotComma) {
    const QLocale locale;
    QString out;
    for (char c : dotComma) {
        if (c == '.')
            out += locale.decimalPoint();
        else if (c == ',')
            out += locale.groupSeparator();
        else
            out += QLatin1Char(c);
    }
    return out;
}

bool logScale(const QCPAxis* axis) {
    return axis->scaleType() == QCPAxis::stLogarithmic;
}

// The plot's range for a value range lo .. hi, and back. On a logarithmic axis the inset
// is taken in decades.
QCPRange outerRange(double lo, double hi, bool log) {
    const double p = kValueInset / (1 - 2 * kValueInset);
    if (log && lo > 0 && hi > 0) {
        const double a = std::log10(lo), b = std::log10(hi), d = p * (b - a);
        return QCPRange(std::pow(10.0, a - d), std::pow(10.0, b + d));
    }
    const double d = p * (hi - lo);
    return QCPRange(lo - d, hi + d);
}

AxisRange innerRange(const QCPRange& r, bool log) {
    if (log && r.lower > 0 && r.upper > 0) {
        const double a = std::log10(r.lower), b = std::log10(r.upper);
        const double d = kValueInset * (b - a);
        return {std::pow(10.0, a + d), std::pow(10.0, b - d)};
    }
    const double d = kValueInset * (r.upper - r.lower);
    return {r.lower + d, r.upper - d};
}

QString labelText(double v) {
    return regionalText(axisLabelText(v, '.', ','));
}

QString numberOnScreen(double v) {
    const QString dp = QLocale().decimalPoint();
    const char sep = dp.size() == 1 && dp[0].unicode() < 128 ? dp[0].toLatin1() : '.';
    return QString::fromStdString(numberText(v, sep));
}

}  // namespace

QPixmap loadTrackBackground(const QString& programFolder) {
    const QString path = QDir(programFolder).filePath(QStringLiteral("Patterns/Unknown"));
    QPixmap pixmap;
    if (!pixmap.load(path))
        throw lithora::Error("Cannot read the track background \"" + path.toStdString() + "\".");
    return pixmap;
}

EndLabelPlacement topAxisLabelPlacement(double labelX, double minPixel, double maxPixel) {
    if (std::fabs(labelX - minPixel) < 0.5) return EndLabelPlacement::Left;
    if (std::fabs(labelX - maxPixel) < 0.5) return EndLabelPlacement::Right;
    return EndLabelPlacement::Centred;
}

// Draws what QCustomPlot cannot: the back wall around the plotting area and the value-axis
// labels placed by the label rule (the axis' own tick labels are switched off).
class TrackDecoration : public QCPLayerable {
  public:
    TrackDecoration(QCustomPlot* plot, QCPAxis* valueAxis)
        : QCPLayerable(plot, QStringLiteral("axes")), axis_(valueAxis) {}

    const std::vector<DepthTrack::DrawnLabel>& drawn() const { return drawn_; }

  protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
        applyAntialiasingHint(painter, mAntialiased, QCP::aeAxes);
    }

    void draw(QCPPainter* painter) override {
        const QRect area = axis_->axisRect()->rect();
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(Qt::black, 2));
        painter->drawRect(QRectF(area).adjusted(1, 1, -1, -1));

        drawn_.clear();
        auto* ticker = dynamic_cast<QCPAxisTickerText*>(axis_->ticker().data());
        if (!ticker) return;
        const AxisRange ends = innerRange(axis_->range(), logScale(axis_));
        const double minPixel = axis_->coordToPixel(ends.lo);
        const double maxPixel = axis_->coordToPixel(ends.hi);
        const double left = std::min(minPixel, maxPixel);
        const double right = std::max(minPixel, maxPixel);
        const double bottom = area.top() - axis_->tickLengthOut() - 1;
        painter->setPen(axis_->tickLabelColor());

        // Long end labels in a narrow track would run into each other: the labels' font
        // shrinks until they fit side by side, down to a size that stays legible.
        QFont labelFont = axis_->tickLabelFont();
        if (labelFont.pointSizeF() > 0) {
            auto widthAt = [&](double points) {
                QFont f = labelFont;
                f.setPointSizeF(points);
                f.setBold(true);
                const QFontMetricsF fm(f);
                double total = 0;
                for (auto it = ticker->ticks().constBegin(); it != ticker->ticks().constEnd(); ++it)
                    total += fm.horizontalAdvance(it.value()) + 4;
                return total;
            };
            double points = labelFont.pointSizeF();
            while (points > 5.5 && widthAt(points) > right - left) points -= 0.5;
            labelFont.setPointSizeF(points);
        }
        for (auto it = ticker->ticks().constBegin(); it != ticker->ticks().constEnd(); ++it) {
            const double x = axis_->coordToPixel(it.key());
            if (!std::isfinite(x) || x < left - 0.5 || x > right + 0.5) continue;  // zoomed out
            DepthTrack::DrawnLabel label;
            label.text = it.value();
            label.placement = topAxisLabelPlacement(x, minPixel, maxPixel);
            label.bold = label.placement != EndLabelPlacement::Centred;
            QFont font = labelFont;
            font.setBold(label.bold);
            const QFontMetricsF fm(font);
            const double w = fm.horizontalAdvance(label.text) + 1;
            double x0 = x - w / 2;
            if (label.placement == EndLabelPlacement::Left) x0 = x;
            if (label.placement == EndLabelPlacement::Right) x0 = x - w;
            label.rect = QRectF(x0, bottom - fm.height(), w, fm.height());
            painter->setFont(font);
            painter->drawText(label.rect, Qt::AlignLeft | Qt::AlignVCenter, label.text);
            drawn_.push_back(label);
        }
    }

  private:
    QCPAxis* axis_;
    std::vector<DepthTrack::DrawnLabel> drawn_;
};

DepthTrack::DepthTrack(int slot, const QString& title, const QColor& colour,
                       const QPixmap& background, QWidget* parent, const QFont* titleFont)
    : QFrame(parent), slot_(slot) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    plot_ = new QCustomPlot(this);
    plot_->setLocale(QLocale());
    layout->addWidget(plot_);

    QFont font = titleFont ? *titleFont : plot_->font();
    font.setBold(true);
    plot_->plotLayout()->insertRow(0);
    auto* titleElement = new QCPTextElement(plot_, title, font);
    titleElement->setObjectName(QStringLiteral("title"));
    plot_->plotLayout()->addElement(0, 0, titleElement);

    setupAxes();
    plot_->axisRect()->setBackground(background, true, Qt::IgnoreAspectRatio);

    graph_ = plot_->addGraph(plot_->yAxis, plot_->xAxis2);
    graph_->setLineStyle(QCPGraph::lsStepLeft);
    graph_->setPen(QPen(colour, 1));
    graph_->setProperty("slot", slot);

    decoration_ = new TrackDecoration(plot_, plot_->xAxis2);
    setupInteraction();
    // Until the first fit the value axis has no labels.
    setAxisValueRange(fixedValueRange_);
    fitDepthAxis();
}

DepthTrack::~DepthTrack() = default;

void DepthTrack::setupAxes() {
    QCPAxisRect* rect = plot_->axisRect();
    rect->setAutoMargins(QCP::msLeft | QCP::msTop | QCP::msRight);
    rect->setMinimumMargins(QMargins(0, 0, 3, 0));
    rect->setMargins(QMargins(0, 0, 0, kBottomMargin));

    plot_->xAxis->setVisible(false);
    plot_->yAxis2->setVisible(false);

    QCPAxis* depth = plot_->yAxis;
    depth->setRangeReversed(true);
    depth->setTickPen(QPen(Qt::black, 2));
    depth->setTickLength(0, kTickLength);
    depth->setSubTickLength(0, kMinorTickLength);

    QCPAxis* value = plot_->xAxis2;
    value->setVisible(true);
    ticker_.reset(new QCPAxisTickerText);
    ticker_->setSubTickCount(kMinorTicks);
    value->setTicker(ticker_);
    value->setTickLabels(false);  // drawn by the decoration, by the label rule
    value->setTickPen(QPen(Qt::black, 2));
    value->setTickLength(0, kTickLength);
    value->setSubTickLength(0, kMinorTickLength);
    value->grid()->setVisible(true);  // a top axis has no grid by default
    value->grid()->setSubGridVisible(true);
    value->grid()->setSubGridPen(QPen(kMinorGridColour, 1, Qt::DotLine));
    QFont bold = value->tickLabelFont();
    bold.setBold(true);
    value->setPadding(QFontMetrics(bold).height() + 2);
}

void DepthTrack::setupInteraction() {
    plot_->setSelectionRectMode(QCP::srmZoom);
    plot_->selectionRect()->setPen(QPen(kZoomColour.darker(130)));
    plot_->selectionRect()->setBrush(QBrush(kZoomColour));
    plot_->axisRect()->setRangeZoomAxes(plot_->xAxis2, plot_->yAxis);
    plot_->axisRect()->setRangeDrag(Qt::Orientations());
    // Connected after the plot's own zoom, so listeners see the zoomed axes.
    connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect&, QMouseEvent*) { emit zoomed(slot_); });

    // A click (press and release without a drag) on the curve shows the sample under the
    // mouse. The plot reports no plottable clicks while rectangle zoom is on, so the click is
    // recognised here.
    connect(plot_, &QCustomPlot::mousePress, this,
            [this](QMouseEvent* event) { pressPos_ = event->position(); });
    connect(plot_, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        if ((event->position() - pressPos_).manhattanLength() > 3) return;
        showTipAt(event->position(), event->globalPosition().toPoint());
    });

    menu_ = new QMenu(this);
    auto add = [this](const QString& text, void (DepthTrack::*signal)(int)) {
        QAction* action = menu_->addAction(text);
        action->setData(slot_);
        connect(action, &QAction::triggered, this, [this, signal] { emit(this->*signal)(slot_); });
        return action;
    };
    add(tr("Print"), &DepthTrack::printRequested);
    add(tr("Export"), &DepthTrack::exportRequested);
    add(tr("Set Min,Max"), &DepthTrack::minMaxRequested);
    logAction_ = add(tr("Make Logarithmic"), &DepthTrack::logarithmicRequested);
    add(tr("Change Color"), &DepthTrack::colourRequested);

    plot_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot_, &QWidget::customContextMenuRequested, this, &DepthTrack::showPopup);
    // The right button opens the menu only; it must not start a zoom rectangle.
    plot_->installEventFilter(this);
}

bool DepthTrack::eventFilter(QObject* watched, QEvent* event) {
    if (watched == plot_) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick: {
                auto* me = static_cast<QMouseEvent*>(event);
                if (me->button() != Qt::LeftButton) return true;
                break;
            }
            case QEvent::MouseMove: {
                auto* me = static_cast<QMouseEvent*>(event);
                if (me->buttons() != Qt::NoButton && !(me->buttons() & Qt::LeftButton)) return true;
                break;
            }
            default:
                break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void DepthTrack::showTipAt(const QPointF& pos, const QPoint& globalPos) {
    const double distance = graph_->selectTest(pos, false);
    if (distance < 0 || distance > plot_->selectionTolerance()) return;
    // The sample whose step lies under the mouse: the last one at or above the clicked depth.
    const double depth = plot_->yAxis->pixelToCoord(pos.y());
    auto data = graph_->data();
    auto it = std::upper_bound(data->constBegin(), data->constEnd(), depth,
                               [](double d, const QCPGraphData& s) { return d < s.key; });
    if (it != data->constBegin()) --it;
    if (it == data->constEnd()) return;
    const QString tip = tipTextFor(static_cast<int>(it - data->constBegin()));
    if (tip.isEmpty()) return;
    lastTip_ = tip;
    QToolTip::showText(globalPos, tip, plot_);
}

void DepthTrack::showPopup(const QPoint& pos) {
    menu_->popup(plot_->mapToGlobal(pos));
}

QString DepthTrack::title() const {
    auto* t = qobject_cast<QCPTextElement*>(plot_->plotLayout()->element(0, 0));
    return t ? t->text() : QString();
}

QFont DepthTrack::titleFont() const {
    auto* t = qobject_cast<QCPTextElement*>(plot_->plotLayout()->element(0, 0));
    return t ? t->font() : QFont();
}

QColor DepthTrack::colour() const {
    return graph_->pen().color();
}

void DepthTrack::setColour(const QColor& colour) {
    QPen pen = graph_->pen();
    pen.setColor(colour);
    graph_->setPen(pen);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthTrack::setSeriesName(const QString& name) {
    graph_->setName(name);
}
QString DepthTrack::seriesName() const {
    return graph_->name();
}

void DepthTrack::setData(const std::vector<double>& depths, const std::vector<double>& values) {
    const std::size_t n = std::min(depths.size(), values.size());
    QVector<QCPGraphData> points;
    points.reserve(static_cast<qsizetype>(n));
    bool sorted = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(depths[i])) continue;
        const double v = std::isfinite(values[i]) ? values[i] : qQNaN();
        if (!points.isEmpty() && depths[i] < points.back().key) sorted = false;
        points.push_back(QCPGraphData(depths[i], v));
    }
    graph_->data()->set(points, sorted);
    fitDepthAxis();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

int DepthTrack::pointCount() const {
    return graph_->data()->size();
}

void DepthTrack::fitDepthAxis() {
    auto data = graph_->data();
    if (data->isEmpty()) {
        fullDepthRange_ = {0, 1};
    } else {
        // Keys are sorted: the ends are the extremes. The data fill 1 % to 99 % of the height.
        const double top = data->constBegin()->key;
        const double bottom = (data->constEnd() - 1)->key;
        const double span = bottom - top;
        if (span > 0)
            fullDepthRange_ = {top - span / 98, bottom + span / 98};
        else
            fullDepthRange_ = {top - 1, top + 1};
    }
    plot_->yAxis->setRange(fullDepthRange_.lo, fullDepthRange_.hi);
}

void DepthTrack::rescale() {
    auto data = graph_->data();
    ColumnExtent extent;
    for (auto it = data->constBegin(); it != data->constEnd(); ++it) {
        const double v = it->value;
        if (!std::isfinite(v)) continue;
        if (!extent.hasValue) {
            extent = {v, v, true};
        } else {
            extent.min = std::min(extent.min, v);
            extent.max = std::max(extent.max, v);
        }
    }
    const AxisRange r = rescaleLimits(extent.min, extent.max);
    applyValueRange(r.lo, r.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthTrack::setValueRange(double lo, double hi) {
    if (!(lo < hi)) return;
    applyValueRange(lo, hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthTrack::applyValueRange(double lo, double hi) {
    ticker_->clear();
    ticker_->addTick(lo, labelText(lo));
    ticker_->addTick(hi, labelText(hi));
    // An empty range cannot be drawn: it is widened around its one value, whose label then
    // stands in the middle of the axis.
    fixedValueRange_ = lo == hi ? AxisRange{lo - 1, hi + 1} : AxisRange{lo, hi};
    setAxisValueRange(fixedValueRange_);
}

void DepthTrack::setAxisValueRange(const AxisRange& r) {
    plot_->xAxis2->setRange(outerRange(r.lo, r.hi, logScale(plot_->xAxis2)));
}

AxisRange DepthTrack::valueRange() const {
    const bool log = logScale(plot_->xAxis2);
    const QCPRange shown = plot_->xAxis2->range();
    const QCPRange fixed = outerRange(fixedValueRange_.lo, fixedValueRange_.hi, log);
    if (shown.lower == fixed.lower && shown.upper == fixed.upper) return fixedValueRange_;
    return innerRange(shown, log);
}

AxisRange DepthTrack::depthRange() const {
    const QCPRange r = plot_->yAxis->range();
    return {r.lower, r.upper};
}

std::vector<QString> DepthTrack::valueLabels() const {
    std::vector<QString> out;
    for (const QString& s : ticker_->ticks()) out.push_back(s);
    return out;
}

void DepthTrack::setLogarithmic(bool on) {
    const AxisRange shown = valueRange();
    plot_->xAxis2->setScaleType(on ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    setAxisValueRange(shown);
    logAction_->setText(on ? tr("Make Ordinal") : tr("Make Logarithmic"));
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

bool DepthTrack::isLogarithmic() const {
    return plot_->xAxis2->scaleType() == QCPAxis::stLogarithmic;
}

void DepthTrack::undoZoom() {
    setAxisValueRange(fixedValueRange_);
    plot_->yAxis->setRange(fullDepthRange_.lo, fullDepthRange_.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QPointF DepthTrack::pixelOf(double value, double depth) const {
    const QPointF p(plot_->xAxis2->coordToPixel(value), plot_->yAxis->coordToPixel(depth));
    return p + QPointF(plot_->pos());
}

std::vector<DepthTrack::DrawnLabel> DepthTrack::drawnLabels() const {
    std::vector<DrawnLabel> out = decoration_->drawn();
    for (DrawnLabel& l : out) l.rect.translate(QPointF(plot_->pos()));
    return out;
}

QRect DepthTrack::plotArea() const {
    return plot_->axisRect()->rect().translated(plot_->pos());
}

QString DepthTrack::tipTextFor(int sampleIndex) const {
    auto data = graph_->data();
    if (sampleIndex < 0 || sampleIndex >= data->size()) return {};
    const QCPGraphData& s = *(data->constBegin() + sampleIndex);
    if (!std::isfinite(s.value)) return {};
    return QStringLiteral("X: %1  Y: %2").arg(numberOnScreen(s.value), numberOnScreen(s.key));
}
