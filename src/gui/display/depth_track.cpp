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
#include "gui/widgets/locale_text.h"
#include "gui/widgets/program_folders.h"

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

constexpr double kSmallestLabelPoints = 7.0;

// The title in lines no wider than `room` pixels, broken at spaces; a word longer than a line
// stays whole.
QString wrappedTitle(const QString& title, const QFont& font, int room) {
    const QFontMetrics fm(font);
    if (fm.horizontalAdvance(title) <= room) return title;
    QStringList lines;
    QString line;
    for (const QString& word : title.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && fm.horizontalAdvance(longer) > room) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines.join(QLatin1Char('\n'));
}

QString labelText(double v) {
    return regionalText(axisLabelText(v, '.', ','));
}

QString numberOnScreen(double v) {
    return QString::fromStdString(numberText(v, localeDecimalPoint()));
}

}  // namespace

QPixmap loadTrackBackground(const QString& programFolder) {
    const QString path = QDir(patternsFolderFor(programFolder)).filePath(QStringLiteral("Unknown"));
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
        bool stagger = false;
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
            // Never below a size that reads easily; labels that still do not fit side by
            // side stand on two rows, the right one above the left one.
            while (points > kSmallestLabelPoints && widthAt(points) > right - left) points -= 0.5;
            labelFont.setPointSizeF(points);
            stagger = widthAt(points) > right - left;
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
            const double lift =
                stagger && label.placement == EndLabelPlacement::Right ? fm.height() : 0;
            label.rect = QRectF(x0, bottom - fm.height() - lift, w, fm.height());
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
    // A title wider than the track is broken at its spaces rather than cut at both ends.
    const int room = kTrackWidth - 2 * frameWidth() - 6;
    auto* titleElement = new QCPTextElement(plot_, wrappedTitle(title, font, room), font);
    titleElement->setObjectName(QStringLiteral("title"));
    plot_->plotLayout()->addElement(0, 0, titleElement);

    setupAxes();
    plot_->axisRect()->setBackground(background, true, Qt::IgnoreAspectRatio);

    curve_ = new DepthCurve(plot_->yAxis, plot_->xAxis2);
    curve_->setPen(QPen(colour, 1));
    curve_->setProperty("slot", slot);

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
    ticker_->addTick(lo, labelText(lo));
    ticker_->addTick(hi, labelText(hi));
    // An empty range cannot be drawn: it is widened around its one value, whose label then
    // stands in the middle of the axis.
    fixedValueRange_ = lo == hi ? AxisRange{lo - 1, hi + 1} : AxisRange{lo, hi};
    setAxisValueRange(fixedValueRange_);
    makeRoomForLabels();
}

void DepthTrack::makeRoomForLabels() {
    QCPAxis* value = plot_->xAxis2;
    QFont normal = value->tickLabelFont();
    normal.setBold(true);
    QFont smallest = normal;
    if (smallest.pointSizeF() > 0) smallest.setPointSizeF(kSmallestLabelPoints);
    const QFontMetricsF fm(smallest);
    double needed = 0;
    for (const QString& text : ticker_->ticks()) needed += fm.horizontalAdvance(text) + 4;
    const int areaWidth = plot_->axisRect()->width() > 10 ? plot_->axisRect()->width()
                                                          : width() - 2 * frameWidth() - 3;
    const bool twoRows = needed > areaWidth * (1 - 2 * kValueInset);
    value->setPadding(QFontMetrics(normal).height() * (twoRows ? 2 : 1) + 2);
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
    if (!std::isfinite(value) || !std::isfinite(depth)) return {};
    return QStringLiteral("X: %1  Y: %2").arg(numberOnScreen(value), numberOnScreen(depth));
}
