#include "gui/display/depth_chart.h"

#include <qcustomplot.h>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/common/error.h"
#include "core/common/number_text.h"
#include "gui/widgets/program_folders.h"

using lithora::AxisRange;

namespace {

constexpr int kTickLength = 6;
constexpr int kBottomTickLength = 7;
constexpr int kMinorTickLength = 4;
constexpr int kMinorTicks = 3;
// Room below the plotting area of a chart without a bottom scale.
constexpr int kBottomRoom = 23;
constexpr int kTitleMargin = 2;
const QColor kTopGridColour(128, 128, 128);
const QColor kDepthGridColour(192, 192, 192);
const QColor kDepthTitleColour(0, 0, 255);
const QColor kCursorColour(220, 0, 0);
// A compact title shrinks to this size before it takes a second line.
constexpr double kSmallestTitlePoints = 6;

// The plot lays itself out on request, without drawing, so a page can measure its charts.
class LayoutPlot : public QCustomPlot {
  public:
    using QCustomPlot::QCustomPlot;
    void layOutNow() {
        setViewport(rect());
        updateLayout();
    }
};

DepthChart::Setup trackSetup(int number, const QPixmap& background, const QFont* titleFont) {
    DepthChart::Setup s;
    s.number = number;
    s.background = background;
    if (titleFont) s.titleFont = *titleFont;
    return s;
}

}  // namespace

QPixmap loadTrackBackground(const QString& programFolder) {
    const QString path = QDir(patternsFolderFor(programFolder)).filePath(QStringLiteral("Unknown"));
    QPixmap pixmap;
    if (!pixmap.load(path))
        throw lithora::Error("Cannot read the track background \"" + path.toStdString() + "\".");
    return pixmap;
}

DepthChart::DepthChart(const Setup& setup, QWidget* parent) : QFrame(parent), setup_(setup) {
    setup_.axisCount = std::max(setup_.axisCount, 1);
    build();
}

DepthChart::DepthChart(int number, const QString& title, const QColor& colour,
                       const QPixmap& background, QWidget* parent, const QFont* titleFont)
    : DepthChart(trackSetup(number, background, titleFont), parent) {
    setCurveColour(0, colour);
    setAxisTitle(0, title);
}

DepthChart::~DepthChart() = default;

void DepthChart::build() {
    setFrameShape(QFrame::Panel);
    setFrameShadow(setup_.raised ? QFrame::Raised : QFrame::Sunken);
    setLineWidth(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    plot_ = new LayoutPlot(this);
    plot_->setLocale(QLocale());
    layout->addWidget(plot_);

    QFont font = setup_.titleFont ? *setup_.titleFont : plot_->font();
    font.setBold(true);
    if (font.pointSizeF() > 0) titlePoints_ = font.pointSizeF();
    plot_->plotLayout()->insertRow(0);
    // A compact title stands right above the scale labels, as an axis title would.
    if (setup_.compactTitles) plot_->plotLayout()->setRowSpacing(0);
    titleElement_ = new QCPTextElement(plot_, QString(), font);
    titleElement_->setObjectName(QStringLiteral("title"));
    titleElement_->setTextFlags(Qt::AlignHCenter | Qt::AlignTop);
    titleElement_->setMargins(QMargins(kTitleMargin, kTitleMargin, kTitleMargin, kTitleMargin));
    titleElement_->setSizeConstraintRect(QCPLayoutElement::scrOuterRect);
    plot_->plotLayout()->addElement(0, 0, titleElement_);

    setupDepthAxis();
    for (int i = 0; i < setup_.axisCount; ++i) setupValueAxis(i);
    if (setup_.axisCount < 2) plot_->xAxis->setVisible(false);
    setupMenu();

    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("Notice"));
    notice_->setWordWrap(true);
    notice_->setAlignment(Qt::AlignCenter);
    QFont noticeFont = notice_->font();
    noticeFont.setBold(true);
    notice_->setFont(noticeFont);
    notice_->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0); background: transparent;"));
    notice_->hide();

    logNote_ = new QLabel(this);
    logNote_->setObjectName(QStringLiteral("LogarithmicNote"));
    logNote_->setAlignment(Qt::AlignCenter);
    QFont noteFont = logNote_->font();
    if (noteFont.pointSizeF() > 0) noteFont.setPointSizeF(std::max(noteFont.pointSizeF() - 1, 6.0));
    logNote_->setFont(noteFont);
    logNote_->setStyleSheet(
        QStringLiteral("color: rgb(128, 0, 0); background: rgba(255, 255, 255, 200);"));
    logNote_->hide();
    fitDepthAxis();
}

void DepthChart::setupDepthAxis() {
    QCPAxisRect* rect = plot_->axisRect();
    rect->setAutoMargins(QCP::msAll);
    rect->setMinimumMargins(QMargins(0, 0, 3, setup_.axisCount < 2 ? kBottomRoom : 0));
    if (!setup_.background.isNull())
        rect->setBackground(setup_.background, true, Qt::IgnoreAspectRatio);
    else
        rect->setBackground(QBrush(Qt::white));
    plot_->yAxis2->setVisible(false);

    QCPAxis* depth = plot_->yAxis;
    depth->setRangeReversed(true);
    depth->setTickPen(QPen(Qt::black, 2));
    depth->setTickLength(0, kTickLength);
    depth->setSubTickLength(0, kMinorTickLength);
    if (setup_.depthMinorGrid) {
        depth->grid()->setSubGridVisible(true);
        depth->grid()->setSubGridPen(QPen(kDepthGridColour, 1, Qt::DotLine));
    }
}

void DepthChart::setupValueAxis(int index) {
    QCPAxisRect* rect = plot_->axisRect();
    const bool top = index % 2 == 0;
    QCPAxis* value = index == 0   ? plot_->xAxis2
                     : index == 1 ? plot_->xAxis
                                  : rect->addAxis(top ? QCPAxis::atTop : QCPAxis::atBottom);
    value->setVisible(true);
    ValueAxis a;
    a.axis = value;
    a.ticker.reset(new QCPAxisTickerText);
    a.ticker->setSubTickCount(kMinorTicks);
    value->setTicker(a.ticker);
    value->setTickLabels(false);  // drawn by the label rule
    value->setTickPen(QPen(Qt::black, 2));
    value->setTickLength(0, top ? kTickLength : kBottomTickLength);
    value->setSubTickLength(0, kMinorTickLength);
    value->setPadding(0);
    QFont title = value->labelFont();
    title.setBold(true);
    value->setLabelFont(title);
    value->setBasePen(top ? QPen(Qt::black, 2) : QPen(Qt::black, 3, Qt::DotLine));
    value->grid()->setVisible(index == 0);  // a top axis has no grid by default
    value->grid()->setSubGridVisible(index == 0);
    value->grid()->setSubGridPen(QPen(kTopGridColour, 1, Qt::DotLine));
    // A bottom scale stands a little below the plotting area.
    if (!top) value->setOffset(4);

    a.curve = new DepthCurve(plot_->yAxis, value);
    a.curve->setPen(QPen(Qt::black, 1, top ? Qt::SolidLine : Qt::DotLine));
    a.curve->setProperty("slot", setup_.number);
    a.labels = new AxisEndLabels(plot_, value, index == 0);
    axes_.push_back(a);
    // Until the first fit the value axis has no labels.
    setAxisRange(index, axes_.back().fixed);
    makeRoomForLabels(index);
}

void DepthChart::setupMenu() {
    ChartInteraction::Hooks hooks;
    hooks.ownRanges = [this] { return ranges(); };
    hooks.restoreRanges = [this](const ChartRanges& r) { applyRanges(r, true); };
    hooks.showOwnRanges = [this] { undoZoom(); };
    hooks.zoomTo = [this](const QRect& r) { zoomToRect(r); };
    hooks.tipAt = [this](const QPointF& pos) { return tipAt(pos); };
    interaction_ = new ChartInteraction(plot_, std::move(hooks), this);
    connect(interaction_, &ChartInteraction::zoomed, this, [this] { emit zoomed(number()); });
    connect(interaction_, &ChartInteraction::zoomUndone, this,
            [this] { emit zoomUndone(number()); });

    const int n = number();
    interaction_->addCommand(tr("Print"), n, [this] { emit printRequested(number()); });
    interaction_->addCommand(tr("Export"), n, [this] { emit exportRequested(number()); });
    interaction_->addCommand(setup_.limitsCaption, n, [this] { emit minMaxRequested(number()); });
    if (setup_.logarithmicItem)
        logAction_ = interaction_->addCommand(tr("Make Logarithmic"), n,
                                              [this] { emit logarithmicRequested(number()); });
    interaction_->addCommand(tr("Change Color"), n, [this] { emit colourRequested(number()); });
}

QFont DepthChart::titleFont() const {
    return titleElement_->font();
}

void DepthChart::setCurveName(int axis, const QString& name) {
    if (axis < 0 || axis >= axisCount()) return;
    axes_[static_cast<std::size_t>(axis)].curve->setName(name);
}

QString DepthChart::curveName(int axis) const {
    if (axis < 0 || axis >= axisCount()) return {};
    return axes_[static_cast<std::size_t>(axis)].curve->name();
}

void DepthChart::setCurveColour(int axis, const QColor& colour) {
    if (axis < 0 || axis >= axisCount()) return;
    DepthCurve* curve = axes_[static_cast<std::size_t>(axis)].curve;
    QPen pen = curve->pen();
    pen.setColor(colour);
    curve->setPen(pen);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QColor DepthChart::curveColour(int axis) const {
    if (axis < 0 || axis >= axisCount()) return {};
    return axes_[static_cast<std::size_t>(axis)].curve->pen().color();
}

void DepthChart::setSource(std::shared_ptr<const CurveSource> source, int axis) {
    if (axis < 0 || axis >= axisCount()) return;
    axes_[static_cast<std::size_t>(axis)].curve->setSource(std::move(source));
    interaction_->forget();
    fitDepthAxis();
    updateLogNote();
}

void DepthChart::setData(std::vector<double> depths, std::vector<double> values, int axis) {
    setSource(std::make_shared<OwnedCurve>(std::move(depths), std::move(values)), axis);
}

CurveView DepthChart::samples(int axis) const {
    if (axis < 0 || axis >= axisCount()) return {};
    return axes_[static_cast<std::size_t>(axis)].curve->view();
}

int DepthChart::pointCount(int axis) const {
    return static_cast<int>(samples(axis).size());
}

bool DepthChart::hasValues(int axis) const {
    if (axis < 0 || axis >= axisCount()) return false;
    bool found = false;
    axes_[static_cast<std::size_t>(axis)].curve->getValueRange(found);
    return found;
}

bool DepthChart::hasPositiveValue(int axis) const {
    if (axis < 0 || axis >= axisCount()) return false;
    bool found = false;
    axes_[static_cast<std::size_t>(axis)].curve->getValueRange(found, QCP::sdPositive);
    return found;
}

void DepthChart::setAxisTitle(int axis, const QString& title) {
    if (axis < 0 || axis >= axisCount()) return;
    axes_[static_cast<std::size_t>(axis)].title = title;
    fitTitle(axis);
    plot_->replot(QCustomPlot::rpQueuedReplot);
    emit bandsChanged();
}

QString DepthChart::axisTitle(int axis) const {
    if (axis < 0 || axis >= axisCount()) return {};
    return axes_[static_cast<std::size_t>(axis)].title;
}

void DepthChart::setAxisTitleColour(int axis, const QColor& colour) {
    if (axis < 0 || axis >= axisCount()) return;
    if (axis == 0)
        titleElement_->setTextColor(colour);
    else
        axes_[static_cast<std::size_t>(axis)].axis->setLabelColor(colour);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QColor DepthChart::axisTitleColour(int axis) const {
    if (axis < 0 || axis >= axisCount()) return {};
    if (axis == 0) return titleElement_->textColor();
    return axes_[static_cast<std::size_t>(axis)].axis->labelColor();
}

void DepthChart::setAxisLineColour(int axis, const QColor& colour) {
    if (axis < 0 || axis >= axisCount()) return;
    QCPAxis* a = axes_[static_cast<std::size_t>(axis)].axis;
    QPen pen = a->basePen();
    pen.setColor(colour);
    a->setBasePen(pen);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QColor DepthChart::axisLineColour(int axis) const {
    if (axis < 0 || axis >= axisCount()) return {};
    return axes_[static_cast<std::size_t>(axis)].axis->basePen().color();
}

void DepthChart::fitTitles() {
    for (int i = 0; i < axisCount(); ++i) fitTitle(i);
}

void DepthChart::fitTitle(int axis) {
    const ValueAxis& a = axes_[static_cast<std::size_t>(axis)];
    const QString text = a.title.trimmed();
    QFont font = axis == 0 ? titleElement_->font() : a.axis->labelFont();
    int room = 0;
    if (setup_.compactTitles) {
        // The title stands over the plotting area: a long one takes a smaller font, down to a
        // size that stays legible, and is then broken at its spaces.
        const int areaWidth = plot_->axisRect()->width();
        room = std::max(areaWidth > 20 ? areaWidth : width() - 2 * frameWidth() - 6, 20);
        font.setPointSizeF(titlePoints_);
        while (font.pointSizeF() > kSmallestTitlePoints &&
               QFontMetrics(font).horizontalAdvance(text) > room)
            font.setPointSizeF(font.pointSizeF() - 0.5);
    } else {
        // A title wider than the track is broken at its spaces rather than cut at both ends.
        room = lithora::kTrackWidth - 2 * frameWidth() - 6;
    }
    const QString wrapped = valueaxis::wrappedText(axis == 0 ? a.title : text, font, room);
    if (axis != 0) {
        a.axis->setLabelFont(font);
        a.axis->setLabel(wrapped);
        return;
    }
    titleElement_->setFont(font);
    titleElement_->setText(wrapped);
    if (setup_.compactTitles) {
        // Centred over the plotting area, like the scale it names.
        const QMargins m = plot_->axisRect()->margins();
        titleElement_->setMargins(QMargins(m.left(), kTitleMargin, m.right(), kTitleMargin));
    }
}

void DepthChart::rescale(int axis) {
    if (axis < 0 || axis >= axisCount()) return;
    const bool log = isLogarithmic(axis);
    bool found = false;
    const QCPRange extent = axes_[static_cast<std::size_t>(axis)].curve->getValueRange(
        found, log ? QCP::sdPositive : QCP::sdBoth);
    AxisRange r =
        found ? lithora::rescaleLimits(extent.lower, extent.upper) : lithora::rescaleLimits(0, 0);
    // A logarithmic axis cannot reach 0: rounding a small positive minimum down to a tenth
    // would give 0, so the lower end is then the margin without rounding.
    if (log && found && r.lo <= 0) r.lo = extent.lower - extent.lower / 100;
    if (log && !found) r = {1, 10};
    applyValueRange(axis, r.lo, r.hi);
    axes_[static_cast<std::size_t>(axis)].linearRange.reset();
    updateLogNote();
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthChart::rescaleAll() {
    for (int i = 0; i < axisCount(); ++i) rescale(i);
}

void DepthChart::setValueRange(double lo, double hi, int axis) {
    if (!(lo < hi) || axis < 0 || axis >= axisCount()) return;
    applyValueRange(axis, lo, hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthChart::applyValueRange(int axis, double lo, double hi) {
    ValueAxis& a = axes_[static_cast<std::size_t>(axis)];
    a.ticker->clear();
    a.ticker->addTick(lo, valueaxis::labelText(lo));
    a.ticker->addTick(hi, valueaxis::labelText(hi));
    // An empty range cannot be drawn: it is widened around its one value, whose label then
    // stands in the middle of the axis.
    a.fixed = lo == hi ? AxisRange{lo - 1, hi + 1} : AxisRange{lo, hi};
    setAxisRange(axis, a.fixed);
    makeRoomForLabels(axis);
}

void DepthChart::setAxisRange(int axis, const AxisRange& r) {
    QCPAxis* a = axes_[static_cast<std::size_t>(axis)].axis;
    a->setRange(valueaxis::outerRange(r.lo, r.hi, valueaxis::isLogarithmic(a)));
    valueaxis::forgetMargin(a);
}

void DepthChart::makeRoomForLabels(int axis) {
    ValueAxis& a = axes_[static_cast<std::size_t>(axis)];
    const int areaWidth = plot_->axisRect()->width() > 10 ? plot_->axisRect()->width()
                                                          : width() - 2 * frameWidth() - 3;
    const int band = valueaxis::labelBandHeight(a.axis, *a.ticker, areaWidth);
    // Axis 0 has its title in the title area; the other axes' titles stand beyond the band.
    const int before = axis == 0 ? a.axis->padding() : a.axis->labelPadding();
    if (band == before) return;
    if (axis == 0)
        a.axis->setPadding(band);
    else
        a.axis->setLabelPadding(band);
    emit bandsChanged();
}

AxisRange DepthChart::valueRange(int axis) const {
    if (axis < 0 || axis >= axisCount()) return {0, 1};
    const ValueAxis& a = axes_[static_cast<std::size_t>(axis)];
    const bool log = valueaxis::isLogarithmic(a.axis);
    const QCPRange shown = a.axis->range();
    const QCPRange fixed = valueaxis::outerRange(a.fixed.lo, a.fixed.hi, log);
    if (shown.lower == fixed.lower && shown.upper == fixed.upper) return a.fixed;
    return valueaxis::innerRange(shown, log);
}

std::vector<QString> DepthChart::valueLabels(int axis) const {
    std::vector<QString> out;
    if (axis < 0 || axis >= axisCount()) return out;
    for (const QString& s : axes_[static_cast<std::size_t>(axis)].ticker->ticks()) out.push_back(s);
    return out;
}

bool DepthChart::setLogarithmic(bool on, int axis) {
    if (axis < 0 || axis >= axisCount()) return false;
    if (on == isLogarithmic(axis)) return true;
    if (on && !hasPositiveValue(axis)) return false;
    ValueAxis& a = axes_[static_cast<std::size_t>(axis)];
    const AxisRange fixed = a.fixed;
    a.axis->setScaleType(on ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (on && fixed.lo <= 0) {
        // The positive values decide the lower end; the upper end stays where it was unless
        // it is no longer above the new lower end.
        bool found = false;
        const QCPRange positive = a.curve->getValueRange(found, QCP::sdPositive);
        double lo = lithora::rescaleLimits(positive.lower, positive.upper).lo;
        if (lo <= 0) lo = positive.lower - positive.lower / 100;
        double hi =
            fixed.hi > lo ? fixed.hi : lithora::rescaleLimits(positive.lower, positive.upper).hi;
        if (!(hi > lo)) hi = lo * 10;
        applyValueRange(axis, lo, hi);
        a.linearRange = std::make_pair(fixed, a.fixed);
    } else if (!on && a.linearRange && a.linearRange->second.lo == fixed.lo &&
               a.linearRange->second.hi == fixed.hi) {
        applyValueRange(axis, a.linearRange->first.lo, a.linearRange->first.hi);
        a.linearRange.reset();
    } else {
        setAxisRange(axis, a.fixed);
    }
    if (logAction_ && axis == 0)
        logAction_->setText(on ? tr("Make Ordinal") : tr("Make Logarithmic"));
    updateLogNote();
    plot_->replot(QCustomPlot::rpQueuedReplot);
    emit bandsChanged();
    return true;
}

bool DepthChart::isLogarithmic(int axis) const {
    if (axis < 0 || axis >= axisCount()) return false;
    return valueaxis::isLogarithmic(axes_[static_cast<std::size_t>(axis)].axis);
}

QString DepthChart::logarithmicNote() const {
    return logNote_->isHidden() ? QString() : logNote_->text();
}

void DepthChart::updateLogNote() {
    // A logarithmic axis cannot show zero or negative values: the note says how many samples
    // are left out, so a curve with gaps is not taken for a curve without samples there.
    std::size_t hidden = 0;
    bool anyLog = false;
    for (const ValueAxis& a : axes_) {
        if (!valueaxis::isLogarithmic(a.axis)) continue;
        anyLog = true;
        const CurveView v = a.curve->view();
        for (std::size_t i = 0; i < v.size(); ++i)
            if (v.values[i] <= 0) ++hidden;  // a NaN is a null sample, not a hidden one
    }
    if (!anyLog || hidden == 0) {
        logNote_->hide();
        return;
    }
    const QString count =
        QString::fromStdString(lithora::numberText(static_cast<double>(hidden), '.'));
    logNote_->setText(hidden == 1 ? QStringLiteral("1 sample ≤ 0 not drawn")
                                  : QStringLiteral("%1 samples ≤ 0 not drawn").arg(count));
    logNote_->show();
    placeNotes();
}

std::optional<AxisRange> DepthChart::samplesDepthRange() const {
    bool any = false;
    double lo = 0, hi = 0;
    for (const ValueAxis& a : axes_) {
        bool found = false;
        const QCPRange r = a.curve->getKeyRange(found);
        if (!found) continue;
        lo = any ? std::min(lo, r.lower) : r.lower;
        hi = any ? std::max(hi, r.upper) : r.upper;
        any = true;
    }
    if (!any) return std::nullopt;
    // The samples fill 1 % to 99 % of the height.
    const double span = hi - lo;
    return span > 0 ? AxisRange{lo - span / 98, hi + span / 98} : AxisRange{lo - 1, lo + 1};
}

void DepthChart::fitDepthAxis() {
    fullDepth_ = samplesDepthRange().value_or(AxisRange{0, 1});
    plot_->yAxis->setRange(fullDepth_.lo, fullDepth_.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthChart::setDepthRange(double top, double bottom) {
    if (!(top < bottom)) return;
    fullDepth_ = {top, bottom};
    interaction_->forget();
    plot_->yAxis->setRange(top, bottom);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

AxisRange DepthChart::depthRange() const {
    const QCPRange r = plot_->yAxis->range();
    return {r.lower, r.upper};
}

void DepthChart::showDepthRange(double top, double bottom) {
    if (!(top < bottom)) return;
    plot_->yAxis->setRange(top, bottom);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthChart::setCursorDepth(std::optional<double> depth) {
    if (depth == cursorDepth_) return;
    cursorDepth_ = depth;
    if (!cursorLine_) {
        if (!depth) return;
        // The line stands on the overlay layer, which has a drawing buffer of its own: a move
        // of the line draws that layer again and leaves the curves' buffer as it is.
        cursorLine_ = new QCPItemStraightLine(plot_);
        cursorLine_->setLayer(QStringLiteral("overlay"));
        cursorLine_->setPen(QPen(kCursorColour, 1));
        cursorLine_->setSelectable(false);
        for (QCPItemPosition* end : {cursorLine_->point1, cursorLine_->point2}) {
            end->setAxes(plot_->xAxis, plot_->yAxis);
            end->setAxisRect(plot_->axisRect());
            end->setTypeX(QCPItemPosition::ptAxisRectRatio);
            end->setTypeY(QCPItemPosition::ptPlotCoords);
        }
    }
    cursorLine_->setVisible(depth.has_value());
    if (depth) {
        cursorLine_->point1->setCoords(0, *depth);
        cursorLine_->point2->setCoords(1, *depth);
    }
    plot_->layer(QStringLiteral("overlay"))->replot();
}

void DepthChart::setDepthTitle(const QString& title) {
    QCPAxis* depth = plot_->yAxis;
    QFont font = depth->labelFont();
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    depth->setLabelFont(font);
    depth->setLabelColor(kDepthTitleColour);
    depth->setLabel(title);
    depth->setTickLabels(true);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QString DepthChart::depthTitle() const {
    return plot_->yAxis->label();
}

void DepthChart::setDepthLabelsShown(bool shown) {
    plot_->yAxis->setTickLabels(shown);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

bool DepthChart::depthLabelsShown() const {
    return plot_->yAxis->tickLabels();
}

void DepthChart::setNotice(const QString& text) {
    if (!text.isEmpty())
        for (ValueAxis& a : axes_) a.ticker->clear();
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
    placeNotes();
}

QString DepthChart::notice() const {
    return notice_->isVisible() ? notice_->text() : QString();
}

void DepthChart::placeNotes() {
    // In the middle of the plotting area once it is laid out, else of the chart; the note of
    // a logarithmic axis along the bottom of the plotting area.
    const QRect area = plotArea();
    const QRect room = area.width() > 20 ? area : rect();
    const int w = std::max(room.width() - 8, 40);
    if (!notice_->isHidden()) {
        notice_->setFixedSize(w, notice_->heightForWidth(w));
        notice_->move(room.center().x() - w / 2, room.center().y() - notice_->height() / 2);
        notice_->raise();
    }
    if (!logNote_->isHidden()) {
        logNote_->setWordWrap(true);
        logNote_->setFixedSize(w, logNote_->heightForWidth(w));
        logNote_->move(room.center().x() - w / 2, room.bottom() - logNote_->height() - 3);
        logNote_->raise();
    }
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthChart::layOut() {
    if (layout()) layout()->activate();  // the plot takes the chart's size, shown or not
    static_cast<LayoutPlot*>(plot_)->layOutNow();
}

ChartBands DepthChart::neededBands() {
    QCPAxisRect* rect = plot_->axisRect();
    rect->setAutoMargins(QCP::msAll);
    titleElement_->setMinimumSize(0, 0);
    titleElement_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layOut();
    // Titles and label rows fit the plotting area as now laid out.
    fitTitles();
    {
        const QSignalBlocker quiet(this);
        for (int i = 0; i < axisCount(); ++i) makeRoomForLabels(i);
    }
    layOut();
    ChartBands b;
    b.title = titleElement_->outerRect().height();
    b.top = rect->margins().top();
    b.bottom = rect->margins().bottom();
    return b;
}

void DepthChart::setBands(const ChartBands& bands) {
    bands_ = bands;
    titleElement_->setMinimumSize(0, bands.title);
    titleElement_->setMaximumSize(QWIDGETSIZE_MAX, bands.title);
    QCPAxisRect* rect = plot_->axisRect();
    rect->setAutoMargins(QCP::msLeft | QCP::msRight);
    const QMargins m = rect->margins();
    rect->setMargins(QMargins(m.left(), bands.top, m.right(), bands.bottom));
    layOut();
    placeNotes();
}

void DepthChart::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitTitles();
    for (int i = 0; i < axisCount(); ++i) makeRoomForLabels(i);
    placeNotes();
}

ChartRanges DepthChart::ranges() const {
    ChartRanges r;
    for (const ValueAxis& a : axes_) r.value.push_back(a.fixed);
    r.depth = fullDepth_;
    return r;
}

void DepthChart::applyRanges(const ChartRanges& r, bool asOwn) {
    for (int i = 0; i < axisCount() && i < static_cast<int>(r.value.size()); ++i) {
        const AxisRange& v = r.value[static_cast<std::size_t>(i)];
        if (asOwn)
            applyValueRange(i, v.lo, v.hi);
        else
            setAxisRange(i, v);
    }
    if (asOwn) fullDepth_ = r.depth;
    plot_->yAxis->setRange(r.depth.lo, r.depth.hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void DepthChart::undoZoom() {
    applyRanges(ranges(), false);
}

void DepthChart::keepShownRanges(bool remember) {
    if (remember) interaction_->remember(ranges());
    ChartRanges shown;
    for (const ValueAxis& a : axes_)
        shown.value.push_back({a.axis->range().lower, a.axis->range().upper});
    shown.depth = {plot_->yAxis->range().lower, plot_->yAxis->range().upper};
    applyRanges(shown, true);
}

bool DepthChart::undoZoomStep() {
    return interaction_->undoStep();
}

int DepthChart::zoomDepth() const {
    return interaction_->depth();
}

void DepthChart::zoomToRect(const QRect& r) {
    for (ValueAxis& a : axes_) {
        a.axis->setRange(a.axis->pixelToCoord(r.left()), a.axis->pixelToCoord(r.right()));
        valueaxis::forgetMargin(a.axis);
    }
    QCPAxis* depth = plot_->yAxis;
    depth->setRange(depth->pixelToCoord(r.top()), depth->pixelToCoord(r.bottom()));
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QString DepthChart::tipAt(const QPointF& pos) const {
    // The nearest curve under the mouse, and on it the sample whose step lies under the
    // mouse: the last one at or above the clicked depth.
    double best = -1;
    int chosen = 0;
    for (int i = 0; i < axisCount(); ++i) {
        const double d = axes_[static_cast<std::size_t>(i)].curve->selectTest(pos, false);
        if (d >= 0 && (best < 0 || d < best)) {
            best = d;
            chosen = i;
        }
    }
    if (best < 0 || best > plot_->selectionTolerance()) return {};
    const long sample = axes_[static_cast<std::size_t>(chosen)].curve->sampleAtDepth(
        plot_->yAxis->pixelToCoord(pos.y()));
    if (sample < 0) return {};
    return tipTextFor(static_cast<int>(sample), chosen);
}

QString DepthChart::tipTextFor(int sampleIndex, int axis) const {
    const CurveView v = samples(axis);
    if (sampleIndex < 0 || static_cast<std::size_t>(sampleIndex) >= v.size()) return {};
    const auto i = static_cast<std::size_t>(sampleIndex);
    return valueaxis::sampleTipText(v.values[i], v.depths[i]);
}

ChartCopy DepthChart::copy() const {
    ChartCopy c = copyOfPlot(*plot_);
    // The titles as the program names them, not as broken to fit.
    c.title = title();
    c.titleFont = titleElement_->font();
    if (axisCount() > 1) c.axes[ChartCopy::Bottom].label = axisTitle(1);
    c.series.clear();
    for (int i = 0; i < axisCount() && i < 2; ++i) {
        const DepthCurve* curve = axes_[static_cast<std::size_t>(i)].curve;
        ChartSeriesCopy s;
        s.name = curve->name();
        s.colour = curve->pen().color();
        s.penWidth = curve->pen().widthF();
        s.keyAxis = ChartCopy::Left;
        s.valueAxis = i == 0 ? ChartCopy::Top : ChartCopy::Bottom;
        s.steps = true;
        const CurveView v = curve->view();
        const auto n = static_cast<qsizetype>(v.size());
        s.keys = QVector<double>(v.depths.begin(), v.depths.begin() + n);
        s.values = QVector<double>(v.values.begin(), v.values.begin() + n);
        c.series << s;
    }
    return c;
}

DepthChart* DepthChart::fromCopy(const ChartCopy& copy, const QPixmap& background,
                                 QWidget* parent) {
    Setup s;
    s.axisCount = std::max<int>(1, std::min<int>(2, static_cast<int>(copy.series.size())));
    s.background = background;
    // A copy of two curves is a combination track.
    if (s.axisCount > 1) {
        s.raised = false;
        s.compactTitles = true;
        s.depthMinorGrid = true;
        s.logarithmicItem = false;
        s.limitsCaption = QStringLiteral("Set Min, Max");
    } else {
        s.titleFont = copy.titleFont;
    }
    auto* t = new DepthChart(s, parent);
    for (const ChartSeriesCopy& series : copy.series) {
        const int a = series.valueAxis == ChartCopy::Bottom ? 1 : 0;
        if (a >= t->axisCount()) continue;
        t->setCurveName(a, series.name);
        QPen pen = t->axes_[static_cast<std::size_t>(a)].curve->pen();
        pen.setColor(series.colour);
        pen.setWidthF(series.penWidth);
        t->axes_[static_cast<std::size_t>(a)].curve->setPen(pen);
        t->setData(std::vector<double>(series.keys.begin(), series.keys.end()),
                   std::vector<double>(series.values.begin(), series.values.end()), a);
    }
    const QString topTitle = copy.title.isEmpty() ? copy.axes[ChartCopy::Top].label : copy.title;
    for (int a = 0; a < t->axisCount(); ++a) {
        const ChartAxisCopy& value = copy.axes[a == 0 ? ChartCopy::Top : ChartCopy::Bottom];
        t->axes_[static_cast<std::size_t>(a)].axis->setScaleType(
            value.logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
        // The chart's own range is that of its two labels; the axis shows the copy's range.
        if (value.labelPositions.size() == 2)
            t->applyValueRange(a, value.labelPositions[0], value.labelPositions[1]);
        else
            t->applyValueRange(a, value.lower, value.upper);
        if (value.upper > value.lower)
            t->axes_[static_cast<std::size_t>(a)].axis->setRange(value.lower, value.upper);
        t->setAxisTitle(a, a == 0 ? topTitle : value.label);
    }
    if (t->logAction_ && t->isLogarithmic(0)) t->logAction_->setText(tr("Make Ordinal"));
    const ChartAxisCopy& depth = copy.axes[ChartCopy::Left];
    if (!depth.label.isEmpty()) t->setDepthTitle(depth.label);
    if (depth.upper > depth.lower) {
        t->fullDepth_ = {depth.lower, depth.upper};
        t->plot_->yAxis->setRange(depth.lower, depth.upper);
    }
    t->updateLogNote();
    return t;
}

DepthChart* DepthChart::clone(QWidget* parent) const {
    Setup s = setup_;
    s.number = 0;
    QFont font = titleElement_->font();
    if (setup_.compactTitles && font.pointSizeF() > 0) font.setPointSizeF(titlePoints_);
    s.titleFont = font;
    auto* c = new DepthChart(s, parent);
    c->setObjectName(objectName());
    for (int i = 0; i < axisCount(); ++i) {
        const ValueAxis& from = axes_[static_cast<std::size_t>(i)];
        ValueAxis& to = c->axes_[static_cast<std::size_t>(i)];
        to.curve->setName(from.curve->name());
        to.curve->setPen(from.curve->pen());
        const CurveView v = from.curve->view();
        c->setData(std::vector<double>(v.depths.begin(), v.depths.begin() + v.size()),
                   std::vector<double>(v.values.begin(), v.values.begin() + v.size()), i);
        to.axis->setScaleType(from.axis->scaleType());
        to.axis->setBasePen(from.axis->basePen());
        to.axis->setLabelColor(from.axis->labelColor());
        to.linearRange = from.linearRange;
        to.ticker->setTicks(from.ticker->ticks());
        to.fixed = from.fixed;
        to.axis->setRange(from.axis->range());
        valueaxis::forgetMargin(to.axis);
        c->makeRoomForLabels(i);
        c->setAxisTitle(i, from.title);
    }
    c->titleElement_->setTextColor(titleElement_->textColor());
    if (c->logAction_ && logAction_) c->logAction_->setText(logAction_->text());
    QCPAxis* depth = c->plot_->yAxis;
    depth->setLabelFont(plot_->yAxis->labelFont());
    depth->setLabelColor(plot_->yAxis->labelColor());
    depth->setLabel(plot_->yAxis->label());
    depth->setTickLabels(plot_->yAxis->tickLabels());
    c->fullDepth_ = fullDepth_;
    depth->setRange(plot_->yAxis->range());
    c->plot_->axisRect()->setMinimumMargins(plot_->axisRect()->minimumMargins());
    if (!notice_->isHidden()) c->setNotice(notice_->text());
    c->updateLogNote();
    return c;
}

void DepthChart::setChartSize(QSize size) {
    resize(size);
    const int f = frameWidth();
    plot_->setGeometry(f, f, size.width() - 2 * f, size.height() - 2 * f);
    // A chart printed or copied alone lays itself out for its new size.
    setBands(neededBands());
    plot_->replot();
}

void DepthChart::setRightMargin(int pixels) {
    QCPAxisRect* rect = plot_->axisRect();
    const QMargins m = rect->minimumMargins();
    rect->setMinimumMargins(QMargins(m.left(), m.top(), pixels, m.bottom()));
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QPointF DepthChart::pixelOf(double value, double depth, int axis) const {
    if (axis < 0 || axis >= axisCount()) return {};
    const QCPAxis* a = axes_[static_cast<std::size_t>(axis)].axis;
    const QPointF p(a->coordToPixel(value), plot_->yAxis->coordToPixel(depth));
    return p + QPointF(plot_->pos());
}

std::vector<DepthChart::DrawnLabel> DepthChart::drawnLabels(int axis) const {
    if (axis < 0 || axis >= axisCount()) return {};
    std::vector<DrawnLabel> out = axes_[static_cast<std::size_t>(axis)].labels->drawn();
    for (DrawnLabel& l : out) l.rect.translate(QPointF(plot_->pos()));
    return out;
}

std::vector<QRect> DepthChart::titleRects() const {
    std::vector<QRect> out;
    if (!titleElement_->text().isEmpty()) {
        const QRect r = QFontMetrics(titleElement_->font())
                            .boundingRect(titleElement_->rect(), titleElement_->textFlags(),
                                          titleElement_->text());
        out.push_back(r.translated(plot_->pos()));
    }
    const QRect area = plot_->axisRect()->rect();
    for (int i = 1; i < axisCount(); ++i) {
        const QCPAxis* a = axes_[static_cast<std::size_t>(i)].axis;
        if (a->label().isEmpty()) continue;
        // Where the plot draws an axis title: beyond the axis' offset, ticks and padding.
        const QRect text = QFontMetrics(a->labelFont())
                               .boundingRect(0, 0, area.width(), 0, Qt::AlignCenter, a->label());
        const int out0 =
            a->offset() + std::max(a->tickLengthOut(), a->subTickLengthOut()) + a->labelPadding();
        const int y = a->axisType() == QCPAxis::atBottom ? area.bottom() + out0
                                                         : area.top() - out0 - text.height();
        out.push_back(
            QRect(area.left() + (area.width() - text.width()) / 2, y, text.width(), text.height())
                .translated(plot_->pos()));
    }
    return out;
}

QRect DepthChart::plotArea() const {
    return plot_->axisRect()->rect().translated(plot_->pos());
}
