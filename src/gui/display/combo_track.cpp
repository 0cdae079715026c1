#include "gui/display/combo_track.h"

#include <qcustomplot.h>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

using lithora::AxisRange;

namespace {

constexpr int kTickLength = 6;
constexpr int kBottomTickLength = 7;
constexpr int kMinorTickLength = 4;
constexpr int kMinorTicks = 3;
const QColor kTopGridColour(128, 128, 128);
const QColor kDepthGridColour(192, 192, 192);
const QColor kZoomColour(255, 255, 0);
const QColor kDepthTitleColour(0, 0, 255);
// A scale title shrinks to this size before it takes a second line.
constexpr double kSmallestTitlePoints = 6;

}  // namespace

ComboTrack::ComboTrack(int number, const QPixmap& background, QWidget* parent)
    : QFrame(parent), number_(number) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    plot_ = new QCustomPlot(this);
    plot_->setLocale(QLocale());
    layout->addWidget(plot_);

    QCPAxisRect* rect = plot_->axisRect();
    rect->setAutoMargins(QCP::msAll);
    rect->setMinimumMargins(QMargins(0, 0, 3, 0));
    if (!background.isNull())
        rect->setBackground(background, true, Qt::IgnoreAspectRatio);
    else
        rect->setBackground(QBrush(Qt::white));
    plot_->yAxis2->setVisible(false);

    QCPAxis* depth = plot_->yAxis;
    depth->setRangeReversed(true);
    depth->setTickPen(QPen(Qt::black, 2));
    depth->setTickLength(0, kTickLength);
    depth->setSubTickLength(0, kMinorTickLength);
    depth->grid()->setSubGridVisible(true);
    depth->grid()->setSubGridPen(QPen(kDepthGridColour, 1, Qt::DotLine));
    depth->setTickLabels(false);

    for (Axis a : {Top, Bottom}) {
        QCPAxis* value = axisOf(a);
        value->setVisible(true);
        tickers_[a].reset(new QCPAxisTickerText);
        tickers_[a]->setSubTickCount(kMinorTicks);
        value->setTicker(tickers_[a]);
        value->setTickLabels(false);  // drawn by the label rule
        value->setTickPen(QPen(Qt::black, 2));
        value->setTickLength(0, a == Top ? kTickLength : kBottomTickLength);
        value->setSubTickLength(0, kMinorTickLength);
        value->setPadding(0);
        QFont title = value->labelFont();
        title.setBold(true);
        value->setLabelFont(title);
        titlePoints_ = title.pointSizeF() > 0 ? title.pointSizeF() : 8;
        value->setBasePen(a == Top ? QPen(Qt::black, 2) : QPen(Qt::black, 3, Qt::DotLine));
        value->grid()->setVisible(a == Top);
        value->grid()->setSubGridVisible(a == Top);
        value->grid()->setSubGridPen(QPen(kTopGridColour, 1, Qt::DotLine));

        curves_[a] = new DepthCurve(plot_->yAxis, value);
        curves_[a]->setPen(QPen(Qt::black, 1, a == Top ? Qt::SolidLine : Qt::DotLine));
        labels_[a] = new AxisEndLabels(plot_, value, a == Top);
        applyValueRange(a, 0, 0);
    }
    // The bottom scale stands a little below the plotting area.
    plot_->xAxis->setOffset(4);

    plot_->setSelectionRectMode(QCP::srmCustom);
    plot_->selectionRect()->setPen(QPen(Qt::red));
    plot_->selectionRect()->setBrush(QBrush(kZoomColour));
    rect->setRangeDrag(Qt::Orientations());
    connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& r, QMouseEvent*) {
                if (r.right() < r.left() && r.bottom() < r.top()) {
                    if (!undoZoomStep()) undoZoom();
                    emit zoomUndone(number_);
                    return;
                }
                const QRect n = r.normalized();
                if (n.width() < 3 || n.height() < 3) return;
                zoomToRect(n);
                emit zoomed(number_);
            });
    connect(plot_, &QCustomPlot::mousePress, this,
            [this](QMouseEvent* event) { pressPos_ = event->position(); });
    connect(plot_, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        if ((event->position() - pressPos_).manhattanLength() > 3) return;
        showTipAt(event->position(), event->globalPosition().toPoint());
    });

    menu_ = new QMenu(this);
    auto add = [this](const QString& text, const char* name, void (ComboTrack::*signal)(int)) {
        QAction* action = menu_->addAction(text);
        action->setObjectName(QString::fromLatin1(name) + QString::number(number_));
        connect(action, &QAction::triggered, this,
                [this, signal] { emit(this->*signal)(number_); });
    };
    add(tr("Print"), "Print", &ComboTrack::printRequested);
    add(tr("Export"), "Export", &ComboTrack::exportRequested);
    add(tr("Set Min, Max"), "SetMinMax", &ComboTrack::minMaxRequested);
    add(tr("Change Color"), "ChangeColor", &ComboTrack::colourRequested);
    plot_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menu_->popup(plot_->mapToGlobal(pos)); });
    plot_->installEventFilter(this);

    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("Notice"));
    notice_->setWordWrap(true);
    notice_->setAlignment(Qt::AlignCenter);
    QFont noticeFont = notice_->font();
    noticeFont.setBold(true);
    notice_->setFont(noticeFont);
    notice_->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0); background: transparent;"));
    notice_->hide();
    fitDepthAxis();
}

ComboTrack::~ComboTrack() = default;

QCPAxis* ComboTrack::axisOf(Axis axis) const {
    return axis == Top ? plot_->xAxis2 : plot_->xAxis;
}

bool ComboTrack::eventFilter(QObject* watched, QEvent* event) {
    // The right button opens the menu only; it must not start a zoom rectangle.
    if (watched == plot_) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return true;
                break;
            case QEvent::MouseMove: {
                const auto buttons = static_cast<QMouseEvent*>(event)->buttons();
                if (buttons != Qt::NoButton && !(buttons & Qt::LeftButton)) return true;
                break;
            }
            default:
                break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void ComboTrack::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    for (Axis a : {Top, Bottom}) {
        fitTitle(a);
        makeRoomForLabels(a);
    }
    placeNotice();
}

void ComboTrack::setCurveName(Axis axis, const QString& name) {
    curves_[axis]->setName(name);
}

QString ComboTrack::curveName(Axis axis) const {
    return curves_[axis]->name();
}

void ComboTrack::setCurveColour(Axis axis, const QColor& colour) {
    QPen pen = curves_[axis]->pen();
    pen.setColor(colour);
    curves_[axis]->setPen(pen);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QColor ComboTrack::curveColour(Axis axis) const {
    return curves_[axis]->pen().color();
}

void ComboTrack::setSource(Axis axis, std::shared_ptr<const CurveSource> source) {
    curves_[axis]->setSource(std::move(source));
    history_.clear();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void ComboTrack::setData(Axis axis, std::vector<double> depths, std::vector<double> values) {
    setSource(axis, std::make_shared<OwnedCurve>(std::move(depths), std::move(values)));
}

CurveView ComboTrack::samples(Axis axis) const {
    return curves_[axis]->view();
}

bool ComboTrack::hasValues(Axis axis) const {
    bool found = false;
    curves_[axis]->getValueRange(found);
    return found;
}

void ComboTrack::setAxisTitle(Axis axis, const QString& title) {
    titles_[axis] = title;
    fitTitle(axis);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void ComboTrack::fitTitle(Axis axis) {
    // The title stands over the plotting area: a long one takes a smaller font, down to a
    // size that stays legible, and is then broken at its spaces.
    QCPAxis* a = axisOf(axis);
    const int areaWidth = plot_->axisRect()->width();
    const int room = std::max(areaWidth > 20 ? areaWidth : width() - 2 * frameWidth() - 6, 20);
    const QString text = titles_[axis].trimmed();
    QFont font = a->labelFont();
    font.setPointSizeF(titlePoints_);
    while (font.pointSizeF() > kSmallestTitlePoints &&
           QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    a->setLabelFont(font);
    a->setLabel(valueaxis::wrappedText(text, font, room));
}

QString ComboTrack::axisTitle(Axis axis) const {
    return titles_[axis];
}

void ComboTrack::setAxisTitleColour(Axis axis, const QColor& colour) {
    axisOf(axis)->setLabelColor(colour);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QColor ComboTrack::axisTitleColour(Axis axis) const {
    return axisOf(axis)->labelColor();
}

void ComboTrack::setAxisLineColour(Axis axis, const QColor& colour) {
    QCPAxis* a = axisOf(axis);
    QPen pen = a->basePen();
    pen.setColor(colour);
    a->setBasePen(pen);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QColor ComboTrack::axisLineColour(Axis axis) const {
    return axisOf(axis)->basePen().color();
}

void ComboTrack::rescale(Axis axis) {
    bool found = false;
    const QCPRange extent = curves_[axis]->getValueRange(found);
    const AxisRange r =
        found ? lithora::rescaleLimits(extent.lower, extent.upper) : lithora::rescaleLimits(0, 0);
    applyValueRange(axis, r.lo, r.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void ComboTrack::setValueRange(Axis axis, double lo, double hi) {
    if (!(lo < hi)) return;
    applyValueRange(axis, lo, hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void ComboTrack::applyValueRange(Axis axis, double lo, double hi) {
    QCPAxisTickerText& ticker = *tickers_[axis];
    ticker.clear();
    ticker.addTick(lo, valueaxis::labelText(lo));
    ticker.addTick(hi, valueaxis::labelText(hi));
    // An empty range cannot be drawn: it is widened around its one value.
    fixed_[axis] = lo == hi ? AxisRange{lo - 1, hi + 1} : AxisRange{lo, hi};
    axisOf(axis)->setRange(valueaxis::outerRange(fixed_[axis].lo, fixed_[axis].hi, false));
    makeRoomForLabels(axis);
}

void ComboTrack::makeRoomForLabels(Axis axis) {
    const int areaWidth = plot_->axisRect()->width() > 10 ? plot_->axisRect()->width()
                                                          : width() - 2 * frameWidth() - 3;
    axisOf(axis)->setLabelPadding(
        valueaxis::labelBandHeight(axisOf(axis), *tickers_[axis], areaWidth));
}

AxisRange ComboTrack::valueRange(Axis axis) const {
    const QCPRange shown = axisOf(axis)->range();
    const QCPRange fixed = valueaxis::outerRange(fixed_[axis].lo, fixed_[axis].hi, false);
    if (shown.lower == fixed.lower && shown.upper == fixed.upper) return fixed_[axis];
    return valueaxis::innerRange(shown, false);
}

std::vector<QString> ComboTrack::valueLabels(Axis axis) const {
    std::vector<QString> out;
    for (const QString& s : tickers_[axis]->ticks()) out.push_back(s);
    return out;
}

void ComboTrack::fitDepthAxis() {
    bool foundTop = false, foundBottom = false;
    const QCPRange top = curves_[Top]->getKeyRange(foundTop);
    const QCPRange bottom = curves_[Bottom]->getKeyRange(foundBottom);
    if (!foundTop && !foundBottom) {
        fullDepth_ = {0, 1};
    } else {
        const double lo = foundTop && foundBottom ? std::min(top.lower, bottom.lower)
                          : foundTop              ? top.lower
                                                  : bottom.lower;
        const double hi = foundTop && foundBottom ? std::max(top.upper, bottom.upper)
                          : foundTop              ? top.upper
                                                  : bottom.upper;
        // The samples fill 1 % to 99 % of the height.
        const double span = hi - lo;
        fullDepth_ =
            span > 0 ? AxisRange{lo - span / 98, hi + span / 98} : AxisRange{lo - 1, lo + 1};
    }
    history_.clear();
    plot_->yAxis->setRange(fullDepth_.lo, fullDepth_.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void ComboTrack::setDepthRange(double top, double bottom) {
    if (!(top < bottom)) return;
    fullDepth_ = {top, bottom};
    history_.clear();
    plot_->yAxis->setRange(top, bottom);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QMargins ComboTrack::neededMargins() {
    if (layout()) layout()->activate();  // the plot takes the track's size, shown or not
    plot_->axisRect()->setAutoMargins(QCP::msAll);
    plot_->replot();
    // The titles fit the plotting area as now laid out.
    for (Axis a : {Top, Bottom}) fitTitle(a);
    plot_->replot();
    return plot_->axisRect()->margins();
}

void ComboTrack::setVerticalMargins(int top, int bottom) {
    QCPAxisRect* rect = plot_->axisRect();
    rect->setAutoMargins(QCP::msLeft | QCP::msRight);
    const QMargins m = rect->margins();
    rect->setMargins(QMargins(m.left(), top, m.right(), bottom));
    plot_->replot();
    placeNotice();
}

AxisRange ComboTrack::depthRange() const {
    const QCPRange r = plot_->yAxis->range();
    return {r.lower, r.upper};
}

void ComboTrack::setDepthTitle(const QString& title) {
    QCPAxis* depth = plot_->yAxis;
    QFont font = depth->labelFont();
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    depth->setLabelFont(font);
    depth->setLabelColor(kDepthTitleColour);
    depth->setLabel(title);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QString ComboTrack::depthTitle() const {
    return plot_->yAxis->label();
}

void ComboTrack::setDepthLabelsShown(bool shown) {
    plot_->yAxis->setTickLabels(shown);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

bool ComboTrack::depthLabelsShown() const {
    return plot_->yAxis->tickLabels();
}

void ComboTrack::setNotice(const QString& text) {
    if (!text.isEmpty())
        for (const auto& ticker : tickers_) ticker->clear();
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
    placeNotice();
}

QString ComboTrack::notice() const {
    return notice_->isVisible() ? notice_->text() : QString();
}

void ComboTrack::placeNotice() {
    if (!notice_) return;
    // In the middle of the plotting area once it is laid out, else of the track.
    const QRect area = plotArea();
    const QRect room = area.width() > 20 ? area : rect();
    const int w = std::max(room.width() - 8, 40);
    notice_->setFixedSize(w, notice_->heightForWidth(w));
    notice_->move(room.center().x() - w / 2, room.center().y() - notice_->height() / 2);
    notice_->raise();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void ComboTrack::zoomToRect(const QRect& r) {
    for (Axis a : {Top, Bottom}) {
        QCPAxis* value = axisOf(a);
        value->setRange(value->pixelToCoord(r.left()), value->pixelToCoord(r.right()));
    }
    QCPAxis* depth = plot_->yAxis;
    depth->setRange(depth->pixelToCoord(r.top()), depth->pixelToCoord(r.bottom()));
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void ComboTrack::undoZoom() {
    for (Axis a : {Top, Bottom})
        axisOf(a)->setRange(valueaxis::outerRange(fixed_[a].lo, fixed_[a].hi, false));
    plot_->yAxis->setRange(fullDepth_.lo, fullDepth_.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void ComboTrack::keepShownRanges(bool remember) {
    if (remember) history_.push_back({fixed_, fullDepth_});
    for (Axis a : {Top, Bottom}) {
        const QCPRange shown = axisOf(a)->range();
        applyValueRange(a, shown.lower, shown.upper);
    }
    const QCPRange depth = plot_->yAxis->range();
    fullDepth_ = {depth.lower, depth.upper};
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

bool ComboTrack::undoZoomStep() {
    if (history_.empty()) return false;
    const Ranges back = history_.back();
    history_.pop_back();
    for (Axis a : {Top, Bottom}) applyValueRange(a, back.value[a].lo, back.value[a].hi);
    fullDepth_ = back.depth;
    plot_->yAxis->setRange(back.depth.lo, back.depth.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
    return true;
}

ChartCopy ComboTrack::copy() const {
    ChartCopy c = copyOfPlot(*plot_);
    // The titles as the program names them, not as broken to fit.
    c.axes[ChartCopy::Top].label = titles_[Top];
    c.axes[ChartCopy::Bottom].label = titles_[Bottom];
    c.series.clear();
    for (Axis a : {Top, Bottom}) {
        ChartSeriesCopy s;
        s.name = curves_[a]->name();
        s.colour = curves_[a]->pen().color();
        s.penWidth = curves_[a]->pen().widthF();
        s.keyAxis = ChartCopy::Left;
        s.valueAxis = a == Top ? ChartCopy::Top : ChartCopy::Bottom;
        s.steps = true;
        const CurveView v = curves_[a]->view();
        const auto n = static_cast<qsizetype>(v.size());
        s.keys = QVector<double>(v.depths.begin(), v.depths.begin() + n);
        s.values = QVector<double>(v.values.begin(), v.values.begin() + n);
        c.series << s;
    }
    return c;
}

ComboTrack* ComboTrack::fromCopy(const ChartCopy& copy, const QPixmap& background,
                                 QWidget* parent) {
    auto* t = new ComboTrack(0, background, parent);
    for (const ChartSeriesCopy& s : copy.series) {
        const Axis a = s.valueAxis == ChartCopy::Bottom ? Bottom : Top;
        t->setCurveName(a, s.name);
        QPen pen = t->curves_[a]->pen();
        pen.setColor(s.colour);
        pen.setWidthF(s.penWidth);
        t->curves_[a]->setPen(pen);
        t->setData(a, std::vector<double>(s.keys.begin(), s.keys.end()),
                   std::vector<double>(s.values.begin(), s.values.end()));
    }
    for (Axis a : {Top, Bottom}) {
        const ChartAxisCopy& value = copy.axes[a == Top ? ChartCopy::Top : ChartCopy::Bottom];
        // The track's own range is that of its two labels; the axis shows the copy's range.
        if (value.labelPositions.size() == 2)
            t->applyValueRange(a, value.labelPositions[0], value.labelPositions[1]);
        else
            t->applyValueRange(a, value.lower, value.upper);
        if (value.upper > value.lower) t->axisOf(a)->setRange(value.lower, value.upper);
        t->setAxisTitle(a, value.label);
    }
    const ChartAxisCopy& depth = copy.axes[ChartCopy::Left];
    if (!depth.label.isEmpty()) t->setDepthTitle(depth.label);
    if (depth.upper > depth.lower) {
        t->fullDepth_ = {depth.lower, depth.upper};
        t->plot_->yAxis->setRange(depth.lower, depth.upper);
    }
    return t;
}

void ComboTrack::setChartSize(QSize size) {
    resize(size);
    const int f = frameWidth();
    plot_->setGeometry(f, f, size.width() - 2 * f, size.height() - 2 * f);
    for (Axis a : {Top, Bottom}) fitTitle(a);
    plot_->replot();
}

void ComboTrack::setRightMargin(int pixels) {
    plot_->axisRect()->setMinimumMargins(QMargins(0, 0, pixels, 0));
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QPointF ComboTrack::pixelOf(Axis axis, double value, double depth) const {
    const QPointF p(axisOf(axis)->coordToPixel(value), plot_->yAxis->coordToPixel(depth));
    return p + QPointF(plot_->pos());
}

std::vector<DrawnAxisLabel> ComboTrack::drawnLabels(Axis axis) const {
    std::vector<DrawnAxisLabel> out = labels_[axis]->drawn();
    for (DrawnAxisLabel& l : out) l.rect.translate(QPointF(plot_->pos()));
    return out;
}

QRect ComboTrack::plotArea() const {
    return plot_->axisRect()->rect().translated(plot_->pos());
}

QString ComboTrack::tipTextFor(Axis axis, int sampleIndex) const {
    const CurveView v = curves_[axis]->view();
    if (sampleIndex < 0 || static_cast<std::size_t>(sampleIndex) >= v.size()) return {};
    const auto i = static_cast<std::size_t>(sampleIndex);
    return valueaxis::sampleTipText(v.values[i], v.depths[i]);
}

void ComboTrack::showTipAt(const QPointF& pos, const QPoint& globalPos) {
    // The nearer of the two curves under the mouse.
    double best = -1;
    Axis chosen = Top;
    for (Axis a : {Top, Bottom}) {
        const double d = curves_[a]->selectTest(pos, false);
        if (d >= 0 && (best < 0 || d < best)) {
            best = d;
            chosen = a;
        }
    }
    if (best < 0 || best > plot_->selectionTolerance()) return;
    const long sample = curves_[chosen]->sampleAtDepth(plot_->yAxis->pixelToCoord(pos.y()));
    if (sample < 0) return;
    const QString tip = tipTextFor(chosen, static_cast<int>(sample));
    if (tip.isEmpty()) return;
    lastTip_ = tip;
    QToolTip::showText(globalPos, tip, plot_);
}
