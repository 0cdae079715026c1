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
#include "gui/widgets/program_folders.h"

using namespace lithora;

namespace {

constexpr int kTickLength = 6;
constexpr int kMinorTickLength = 4;
constexpr int kMinorTicks = 3;
constexpr int kBottomMargin = 23;
const QColor kMinorGridColour(128, 128, 128);
const QColor kZoomColour(255, 255, 0);

}  // namespace

QPixmap loadTrackBackground(const QString& programFolder) {
    const QString path = QDir(patternsFolderFor(programFolder)).filePath(QStringLiteral("Unknown"));
    QPixmap pixmap;
    if (!pixmap.load(path))
        throw lithora::Error("Cannot read the track background \"" + path.toStdString() + "\".");
    return pixmap;
}

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
    // A title wider than the track is broken at its spaces rather than cut at both ends.
    const int room = kTrackWidth - 2 * frameWidth() - 6;
    auto* titleElement = new QCPTextElement(plot_, valueaxis::wrappedText(title, font, room), font);
    titleElement->setObjectName(QStringLiteral("title"));
    plot_->plotLayout()->addElement(0, 0, titleElement);

    setupAxes();
    plot_->axisRect()->setBackground(background, true, Qt::IgnoreAspectRatio);

    curve_ = new DepthCurve(plot_->yAxis, plot_->xAxis2);
    curve_->setPen(QPen(colour, 1));
    curve_->setProperty("slot", slot);

    decoration_ = new AxisEndLabels(plot_, plot_->xAxis2, true);
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
    // The rectangle is handled here rather than by the plot's own zoom, which zooms in
    // whatever direction the mouse went: dragging up and to the left is the undo gesture.
    plot_->setSelectionRectMode(QCP::srmCustom);
    plot_->selectionRect()->setPen(QPen(kZoomColour.darker(130)));
    plot_->selectionRect()->setBrush(QBrush(kZoomColour));
    plot_->axisRect()->setRangeDrag(Qt::Orientations());
    connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QMouseEvent*) {
                // The rectangle runs from where the mouse was pressed to where it let go.
                if (rect.right() < rect.left() && rect.bottom() < rect.top()) {
                    if (!undoZoomStep()) undoZoom();
                    emit zoomUndone(slot_);
                    return;
                }
                const QRect r = rect.normalized();
                if (r.width() < 3 || r.height() < 3) return;
                zoomToRect(r);
                emit zoomed(slot_);
            });

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

void DepthTrack::zoomToRect(const QRect& r) {
    QCPAxis* value = plot_->xAxis2;
    QCPAxis* depth = plot_->yAxis;
    value->setRange(value->pixelToCoord(r.left()), value->pixelToCoord(r.right()));
    depth->setRange(depth->pixelToCoord(r.top()), depth->pixelToCoord(r.bottom()));
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthTrack::showTipAt(const QPointF& pos, const QPoint& globalPos) {
    const double distance = curve_->selectTest(pos, false);
    if (distance < 0 || distance > plot_->selectionTolerance()) return;
    // The sample whose step lies under the mouse: the last one at or above the clicked depth.
    const long sample = curve_->sampleAtDepth(plot_->yAxis->pixelToCoord(pos.y()));
    if (sample < 0) return;
    const QString tip = tipTextFor(static_cast<int>(sample));
    if (tip.isEmpty()) return;
    lastTip_ = tip;
    QToolTip::showText(globalPos, tip, plot_);
}

void DepthTrack::showPopup(const QPoint& pos) {
    menu_->popup(plot_->mapToGlobal(pos));
}

QString DepthTrack::title() const {
    auto* t = qobject_cast<QCPTextElement*>(plot_->plotLayout()->element(0, 0));
    return t ? t->text().replace(QLatin1Char('\n'), QLatin1Char(' ')) : QString();
}

QFont DepthTrack::titleFont() const {
    auto* t = qobject_cast<QCPTextElement*>(plot_->plotLayout()->element(0, 0));
    return t ? t->font() : QFont();
}

QColor DepthTrack::colour() const {
    return curve_->pen().color();
}

void DepthTrack::setColour(const QColor& colour) {
    QPen pen = curve_->pen();
    pen.setColor(colour);
    curve_->setPen(pen);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthTrack::setSeriesName(const QString& name) {
    curve_->setName(name);
}
QString DepthTrack::seriesName() const {
    return curve_->name();
}

void DepthTrack::setData(std::vector<double> depths, std::vector<double> values) {
    setSource(std::make_shared<OwnedCurve>(std::move(depths), std::move(values)));
}

void DepthTrack::setSource(std::shared_ptr<const CurveSource> source) {
    curve_->setSource(std::move(source));
    history_.clear();
    fitDepthAxis();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

CurveView DepthTrack::samples() const {
    return curve_->view();
}

int DepthTrack::pointCount() const {
    return static_cast<int>(curve_->view().size());
}

void DepthTrack::fitDepthAxis() {
    bool found = false;
    const QCPRange extent = curve_->getKeyRange(found);
    if (!found) {
        fullDepthRange_ = {0, 1};
    } else {
        // The data fill 1 % to 99 % of the height.
        const double top = extent.lower;
        const double bottom = extent.upper;
        const double span = bottom - top;
        if (span > 0)
            fullDepthRange_ = {top - span / 98, bottom + span / 98};
        else
            fullDepthRange_ = {top - 1, top + 1};
    }
    plot_->yAxis->setRange(fullDepthRange_.lo, fullDepthRange_.hi);
}

void DepthTrack::rescale() {
    const bool log = isLogarithmic();
    bool found = false;
    const QCPRange extent = curve_->getValueRange(found, log ? QCP::sdPositive : QCP::sdBoth);
    AxisRange r = found ? rescaleLimits(extent.lower, extent.upper) : rescaleLimits(0, 0);
    // A logarithmic axis cannot reach 0: rounding a small positive minimum down to a tenth
    // would give 0, so the lower end is then the margin without rounding.
    if (log && found && r.lo <= 0) r.lo = extent.lower - extent.lower / 100;
    if (log && !found) r = {1, 10};
    applyValueRange(r.lo, r.hi);
    linearRange_.reset();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

bool DepthTrack::hasPositiveValue() const {
    bool found = false;
    curve_->getValueRange(found, QCP::sdPositive);
    return found;
}

void DepthTrack::setValueRange(double lo, double hi) {
    if (!(lo < hi)) return;
    applyValueRange(lo, hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthTrack::applyValueRange(double lo, double hi) {
    ticker_->clear();
    ticker_->addTick(lo, valueaxis::labelText(lo));
    ticker_->addTick(hi, valueaxis::labelText(hi));
    // An empty range cannot be drawn: it is widened around its one value, whose label then
    // stands in the middle of the axis.
    fixedValueRange_ = lo == hi ? AxisRange{lo - 1, hi + 1} : AxisRange{lo, hi};
    setAxisValueRange(fixedValueRange_);
    makeRoomForLabels();
}

void DepthTrack::makeRoomForLabels() {
    const int areaWidth = plot_->axisRect()->width() > 10 ? plot_->axisRect()->width()
                                                          : width() - 2 * frameWidth() - 3;
    plot_->xAxis2->setPadding(valueaxis::labelBandHeight(plot_->xAxis2, *ticker_, areaWidth));
}

void DepthTrack::setAxisValueRange(const AxisRange& r) {
    plot_->xAxis2->setRange(
        valueaxis::outerRange(r.lo, r.hi, valueaxis::isLogarithmic(plot_->xAxis2)));
}

AxisRange DepthTrack::valueRange() const {
    const bool log = valueaxis::isLogarithmic(plot_->xAxis2);
    const QCPRange shown = plot_->xAxis2->range();
    const QCPRange fixed = valueaxis::outerRange(fixedValueRange_.lo, fixedValueRange_.hi, log);
    if (shown.lower == fixed.lower && shown.upper == fixed.upper) return fixedValueRange_;
    return valueaxis::innerRange(shown, log);
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

bool DepthTrack::setLogarithmic(bool on) {
    if (on == isLogarithmic()) return true;
    if (on && !hasPositiveValue()) return false;
    const AxisRange fixed = fixedValueRange_;
    plot_->xAxis2->setScaleType(on ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (on && fixed.lo <= 0) {
        // The positive values decide the lower end; the upper end stays where it was unless
        // it is no longer above the new lower end.
        bool found = false;
        const QCPRange positive = curve_->getValueRange(found, QCP::sdPositive);
        double lo = rescaleLimits(positive.lower, positive.upper).lo;
        if (lo <= 0) lo = positive.lower - positive.lower / 100;
        double hi = fixed.hi > lo ? fixed.hi : rescaleLimits(positive.lower, positive.upper).hi;
        if (!(hi > lo)) hi = lo * 10;
        applyValueRange(lo, hi);
        linearRange_ = std::make_pair(fixed, fixedValueRange_);
    } else if (!on && linearRange_ && linearRange_->second.lo == fixed.lo &&
               linearRange_->second.hi == fixed.hi) {
        applyValueRange(linearRange_->first.lo, linearRange_->first.hi);
        linearRange_.reset();
    } else {
        setAxisValueRange(fixedValueRange_);
    }
    if (logAction_) logAction_->setText(on ? tr("Make Ordinal") : tr("Make Logarithmic"));
    plot_->replot(QCustomPlot::rpQueuedReplot);
    return true;
}

bool DepthTrack::isLogarithmic() const {
    return plot_->xAxis2->scaleType() == QCPAxis::stLogarithmic;
}

void DepthTrack::undoZoom() {
    setAxisValueRange(fixedValueRange_);
    plot_->yAxis->setRange(fullDepthRange_.lo, fullDepthRange_.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthTrack::keepShownRanges(bool remember) {
    if (remember) history_.push_back({fixedValueRange_, fullDepthRange_});
    const QCPRange value = plot_->xAxis2->range();
    const QCPRange depth = plot_->yAxis->range();
    applyValueRange(value.lower, value.upper);
    fullDepthRange_ = {depth.lower, depth.upper};
    plot_->yAxis->setRange(depth);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

bool DepthTrack::undoZoomStep() {
    if (history_.empty()) return false;
    const Ranges back = history_.back();
    history_.pop_back();
    applyValueRange(back.value.lo, back.value.hi);
    fullDepthRange_ = back.depth;
    plot_->yAxis->setRange(back.depth.lo, back.depth.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
    return true;
}

void DepthTrack::setDepthTitle(const QString& title) {
    QCPAxis* depth = plot_->yAxis;
    QFont font = depth->labelFont();
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    depth->setLabelFont(font);
    depth->setLabelColor(QColor(0, 0, 255));
    depth->setLabel(title);
    depth->setVisible(true);
    depth->setTickLabels(true);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QString DepthTrack::depthTitle() const {
    return plot_->yAxis->label();
}

void DepthTrack::setChartSize(QSize size) {
    resize(size);
    const int f = frameWidth();
    plot_->setGeometry(f, f, size.width() - 2 * f, size.height() - 2 * f);
    plot_->replot();
}

void DepthTrack::setRightMargin(int pixels) {
    plot_->axisRect()->setMinimumMargins(QMargins(0, 0, pixels, 0));
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

ChartCopy DepthTrack::copy() const {
    ChartCopy c = copyOfPlot(*plot_);
    c.title = title();  // as the user named it, not as broken to fit
    ChartSeriesCopy s;
    s.name = curve_->name();
    s.colour = curve_->pen().color();
    s.penWidth = curve_->pen().widthF();
    s.keyAxis = ChartCopy::Left;
    s.valueAxis = ChartCopy::Top;
    s.steps = true;
    const CurveView v = curve_->view();
    const auto n = static_cast<qsizetype>(v.size());
    s.keys = QVector<double>(v.depths.begin(), v.depths.begin() + n);
    s.values = QVector<double>(v.values.begin(), v.values.begin() + n);
    c.series = {s};
    // The labels stand at the ends of the track's own value range; the axis range is the
    // range shown (a little wider than the labelled one, or a zoomed part).
    return c;
}

DepthTrack* DepthTrack::fromCopy(const ChartCopy& copy, const QPixmap& background,
                                 QWidget* parent) {
    const ChartSeriesCopy* series = copy.series.isEmpty() ? nullptr : &copy.series.front();
    const QColor colour = series ? series->colour : QColor(Qt::black);
    auto* t = new DepthTrack(0, copy.title, colour, background, parent, &copy.titleFont);
    if (series) {
        t->setSeriesName(series->name);
        QPen pen = t->curve_->pen();
        pen.setWidthF(series->penWidth);
        t->curve_->setPen(pen);
        t->setData(std::vector<double>(series->keys.begin(), series->keys.end()),
                   std::vector<double>(series->values.begin(), series->values.end()));
    }
    const ChartAxisCopy& value = copy.axes[ChartCopy::Top];
    const ChartAxisCopy& depth = copy.axes[ChartCopy::Left];
    t->plot_->xAxis2->setScaleType(value.logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (t->logAction_)
        t->logAction_->setText(value.logarithmic ? tr("Make Ordinal") : tr("Make Logarithmic"));
    // The track's own range is that of its two labels; the axis shows the copy's range.
    if (value.labelPositions.size() == 2)
        t->applyValueRange(value.labelPositions[0], value.labelPositions[1]);
    else
        t->applyValueRange(value.lower, value.upper);
    if (value.upper > value.lower) t->plot_->xAxis2->setRange(value.lower, value.upper);
    if (!depth.label.isEmpty()) t->setDepthTitle(depth.label);
    if (depth.upper > depth.lower) {
        t->fullDepthRange_ = {depth.lower, depth.upper};
        t->plot_->yAxis->setRange(depth.lower, depth.upper);
    }
    return t;
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
    const CurveView v = curve_->view();
    if (sampleIndex < 0 || static_cast<std::size_t>(sampleIndex) >= v.size()) return {};
    const double value = v.values[static_cast<std::size_t>(sampleIndex)];
    const double depth = v.depths[static_cast<std::size_t>(sampleIndex)];
    return valueaxis::sampleTipText(value, depth);
}
