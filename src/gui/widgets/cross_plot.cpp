#include "gui/widgets/cross_plot.h"

#include <QActionGroup>
#include <QMenu>
#include <QToolTip>
#include <algorithm>

#include "core/common/number_text.h"
#include "gui/widgets/locale_text.h"
#include "gui/widgets/mouse_buttons.h"
#include "gui/widgets/point_cloud.h"

namespace {

const QColor kTitleColour(0, 0, 255);  // blue 16711680
const QColor kZoomFill(255, 255, 0);
const QColor kZoomOutline(255, 0, 0);

QFont pixelFont(int pixels, bool bold) {
    QFont f;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QCPColorGradient scaleGradient() {
    QCPColorGradient g;
    g.clearColorStops();
    const auto& stops = lithora::ColourScale::stops();
    for (std::size_t i = 0; i < stops.size(); ++i)
        g.setColorStopAt(lithora::ColourScale::stopPosition(i),
                         QColor(stops[i].r, stops[i].g, stops[i].b));
    g.setLevelCount(lithora::ColourScale::kSteps);
    return g;
}

QString shownNumber(double v) {
    return QString::fromStdString(lithora::numberText(v, localeDecimalPoint()));
}

}  // namespace

CrossPlot::CrossPlot(int number, const QColor& colour, QWidget* parent)
    : QFrame(parent), number_(number) {
    setObjectName(QStringLiteral("crossPlot%1").arg(number));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFixedSize(kWidth, kHeight);

    plot_ = new QCustomPlot(this);
    plot_->setGeometry(contentsRect());
    // The regional decimal separator, without thousands separators: a plot 345 pixels wide
    // has no room for "150,000".
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    plot_->setLocale(locale);
    plot_->setBackground(Qt::white);
    plot_->setNoAntialiasingOnDrag(true);

    cloud_ = new PointCloud(plot_->xAxis, plot_->yAxis);
    cloud_->setColour(colour);

    message_ = new QCPItemText(plot_);
    message_->position->setType(QCPItemPosition::ptAxisRectRatio);
    message_->position->setCoords(0.5, 0.5);
    message_->setPositionAlignment(Qt::AlignCenter);
    message_->setFont(pixelFont(11, true));
    message_->setColor(QColor(64, 64, 64));
    message_->setVisible(false);

    setupAxes();
    setupInteraction();
    applyBaseRanges();
}

void CrossPlot::setupAxes() {
    const QFont titleFont = pixelFont(13, true);
    for (QCPAxis* a : {plot_->xAxis, plot_->yAxis}) {
        a->setLabelFont(titleFont);
        a->setLabelColor(kTitleColour);
        a->setSelectedLabelFont(titleFont);
        a->setNumberFormat(QStringLiteral("gb"));
        a->setTickLabelFont(pixelFont(11, false));
        a->setLabelPadding(2);
        a->ticker()->setTickCount(5);
    }
    // Numbers stand side by side along the bottom axis: fewer of them, so six digits fit.
    plot_->xAxis->ticker()->setTickCount(4);
    // The top and right axes close the frame around the points.
    for (QCPAxis* a : {plot_->xAxis2, plot_->yAxis2}) {
        a->setVisible(true);
        a->setTicks(false);
        a->setTickLabels(false);
    }
    plot_->axisRect()->setMinimumMargins(QMargins(4, 6, 8, 4));
}

void CrossPlot::setupInteraction() {
    plot_->setSelectionRectMode(QCP::srmCustom);
    plot_->selectionRect()->setPen(QPen(kZoomOutline));
    plot_->selectionRect()->setBrush(QBrush(kZoomFill));
    plot_->axisRect()->setRangeDrag(Qt::Orientations());
    connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QMouseEvent*) { dragged(rect); });
    connect(plot_, &QCustomPlot::mousePress, this,
            [this](QMouseEvent* event) { pressPos_ = event->position(); });
    // The menu opens on a right click. Only the left button reaches the plot: it starts its
    // rectangle on any button, and a rectangle begun by a right click would never end.
    plot_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menu_->popup(plot_->mapToGlobal(pos)); });
    plot_->installEventFilter(this);
    connect(plot_, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        if ((event->position() - pressPos_).manhattanLength() > 3) return;
        showTipAt(event->position(), event->globalPosition().toPoint());
    });

    menu_ = new QMenu(this);
    auto add = [this](const QString& text, void (CrossPlot::*signal)(int)) {
        QAction* action = menu_->addAction(text);
        connect(action, &QAction::triggered, this,
                [this, signal] { emit(this->*signal)(number_); });
    };
    add(QStringLiteral("Print"), &CrossPlot::printRequested);
    add(QStringLiteral("Export"), &CrossPlot::exportRequested);
    add(QStringLiteral("Set Min, Max"), &CrossPlot::minMaxRequested);
    menu_->addSeparator();
    colourMenu_ = menu_->addMenu(QStringLiteral("Colour by"));
    setColourChoices({QStringLiteral("None")}, 0);
}

void CrossPlot::setAxisTitles(const QString& x, const QString& y) {
    plot_->xAxis->setLabel(x);
    plot_->yAxis->setLabel(y);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QString CrossPlot::xTitle() const {
    return plot_->xAxis->label();
}

QString CrossPlot::yTitle() const {
    return plot_->yAxis->label();
}

QColor CrossPlot::colour() const {
    return cloud_->colour();
}

void CrossPlot::setPoints(SharedColumn x, SharedColumn y, SharedColumn depth) {
    cloud_->setPoints(std::move(x), std::move(y));
    depth_ = std::move(depth);
    if (!colourCaption_.isEmpty() && cloud_->pointCount() == 0) setColouring({}, {});
    applyBaseRanges();
}

std::size_t CrossPlot::pointCount() const {
    return cloud_->pointCount();
}

void CrossPlot::setOverlayPoints(SharedColumn x, SharedColumn y, const QColor& colour) {
    if (!overlay_) overlay_ = new PointCloud(plot_->xAxis, plot_->yAxis);
    overlay_->setColour(colour);
    overlay_->setPoints(std::move(x), std::move(y));
    applyBaseRanges();
}

std::size_t CrossPlot::overlayPointCount() const {
    return overlay_ ? overlay_->pointCount() : 0;
}

void CrossPlot::setMessage(const QString& text) {
    message_->setText(text);
    message_->setVisible(!text.isEmpty());
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

QString CrossPlot::message() const {
    return message_->visible() ? message_->text() : QString();
}

void CrossPlot::applyBaseRanges() {
    // The extent of a coordinate over both point sets.
    auto extent = [this](auto coordinate) {
        const auto values = coordinate(*cloud_);
        auto e = lithora::columnExtent(values.data(), values.size());
        if (overlay_) {
            const auto more = coordinate(*overlay_);
            const auto o = lithora::columnExtent(more.data(), more.size());
            if (o.hasValue && !e.hasValue) e = o;
            if (o.hasValue && e.hasValue)
                e = {std::min(e.min, o.min), std::max(e.max, o.max), true};
        }
        return e;
    };
    const lithora::AxisRange x =
        fixedX_ ? *fixedX_
                : lithora::crossPlotAxisRange(extent([](const PointCloud& c) { return c.xs(); }));
    const lithora::AxisRange y =
        fixedY_ ? *fixedY_
                : lithora::crossPlotAxisRange(extent([](const PointCloud& c) { return c.ys(); }));
    plot_->xAxis->setRange(x.lo, x.hi);
    plot_->yAxis->setRange(y.lo, y.hi);
    zoomed_ = false;
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void CrossPlot::setFixedXRange(double lo, double hi) {
    fixedX_ = lithora::AxisRange{lo, hi};
    plot_->xAxis->setRange(lo, hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void CrossPlot::setFixedYRange(double lo, double hi) {
    fixedY_ = lithora::AxisRange{lo, hi};
    plot_->yAxis->setRange(lo, hi);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

lithora::AxisRange CrossPlot::xRange() const {
    return {plot_->xAxis->range().lower, plot_->xAxis->range().upper};
}

lithora::AxisRange CrossPlot::yRange() const {
    return {plot_->yAxis->range().lower, plot_->yAxis->range().upper};
}

void CrossPlot::zoomTo(const lithora::AxisRange& x, const lithora::AxisRange& y) {
    if (!(x.hi > x.lo) || !(y.hi > y.lo)) return;
    plot_->xAxis->setRange(x.lo, x.hi);
    plot_->yAxis->setRange(y.lo, y.hi);
    zoomed_ = true;
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void CrossPlot::undoZoom() {
    applyBaseRanges();
}

void CrossPlot::dragged(const QRect& rect) {
    // The rectangle runs from where the mouse was pressed to where it was let go.
    const auto outcome =
        lithora::dragOutcome(cloud_->frame(), rect.left(), rect.top(), rect.right(), rect.bottom());
    if (outcome.kind == lithora::DragOutcome::Zoom)
        zoomTo(outcome.x, outcome.y);
    else if (outcome.kind == lithora::DragOutcome::Undo)
        undoZoom();
}

void CrossPlot::setColouring(const QString& caption, const std::vector<double>& values) {
    if (caption.isEmpty() || values.empty()) {
        colourCaption_.clear();
        cloud_->setColourSteps({});
        if (scale_) {
            plot_->plotLayout()->remove(scale_);
            plot_->plotLayout()->simplify();
            scale_ = nullptr;
        }
        plot_->replot(QCustomPlot::rpQueuedReplot);
        return;
    }
    colourCaption_ = caption;
    const auto scale = lithora::ColourScale::over(values);
    std::vector<std::int8_t> steps(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        steps[i] = static_cast<std::int8_t>(scale.step(values[i]));
    cloud_->setColourSteps(std::move(steps));
    if (!scale_) {
        scale_ = new QCPColorScale(plot_);
        plot_->plotLayout()->addElement(0, 1, scale_);
        scale_->setType(QCPAxis::atRight);
        scale_->setBarWidth(8);
        scale_->setGradient(scaleGradient());
        QCPAxis* axis = scale_->axis();
        axis->setTickLabelFont(pixelFont(10, false));
        axis->setLabelFont(pixelFont(10, true));
        axis->setNumberFormat(QStringLiteral("gb"));
        axis->setLabelPadding(1);
        axis->ticker()->setTickCount(4);
        scale_->setMinimumMargins(QMargins(0, 6, 2, 4));
    }
    scale_->axis()->setLabel(caption);
    scale_->setDataRange(
        QCPRange(scale.lo(), scale.hi() > scale.lo() ? scale.hi() : scale.lo() + 1));
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

bool CrossPlot::colourScaleShown() const {
    return scale_ != nullptr;
}

lithora::AxisRange CrossPlot::colourScaleRange() const {
    if (!scale_) return {};
    return {scale_->dataRange().lower, scale_->dataRange().upper};
}

QColor CrossPlot::pointColour(std::size_t i) const {
    return cloud_->pointColour(i);
}

void CrossPlot::setColourChoices(const QStringList& captions, int checked) {
    colourMenu_->clear();
    auto* group = new QActionGroup(colourMenu_);
    for (int i = 0; i < captions.size(); ++i) {
        QAction* a = colourMenu_->addAction(captions[i]);
        a->setCheckable(true);
        a->setChecked(i == checked);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { emit colourChosen(number_, i); });
        // "None", the gamma ray and the depth stand apart from the list of curves.
        if (captions[i] == QLatin1String("Depth") && i + 1 < captions.size())
            colourMenu_->addSeparator();
    }
}

QList<QAction*> CrossPlot::colourActions() const {
    QList<QAction*> out;
    for (QAction* a : colourMenu_->actions())
        if (!a->isSeparator()) out.push_back(a);
    return out;
}

std::optional<std::size_t> CrossPlot::pointAt(const QPointF& pos) const {
    return lithora::nearestPoint(cloud_->xs(), cloud_->ys(), cloud_->frame(), pos.x(), pos.y(),
                                 plot_->selectionTolerance());
}

QString CrossPlot::tipTextFor(std::size_t point) const {
    if (hasDepthLabels()) return point < depth_->size() ? shownNumber((*depth_)[point]) : QString();
    const auto ys = cloud_->ys();
    return point < ys.size() ? shownNumber(ys[point]) : QString();
}

void CrossPlot::showTipAt(const QPointF& pos, const QPoint& globalPos) {
    const auto hit = pointAt(pos);
    if (!hit) return;
    const QString tip = tipTextFor(*hit);
    if (tip.isEmpty()) return;
    lastTip_ = tip;
    QToolTip::showText(globalPos, tip, plot_);
}

QPointF CrossPlot::pixelOf(double x, double y) const {
    return QPointF(plot_->pos()) +
           QPointF(plot_->xAxis->coordToPixel(x), plot_->yAxis->coordToPixel(y));
}

bool CrossPlot::eventFilter(QObject* watched, QEvent* event) {
    // The right button opens the menu only; it must not start a zoom rectangle.
    if (watched == plot_ && isOtherThanLeftButton(event)) return true;
    return QFrame::eventFilter(watched, event);
}

bool CrossPlot::hasDrawablePoint() const {
    const auto xs = cloud_->xs();
    const auto ys = cloud_->ys();
    for (std::size_t i = 0; i < pointCount(); ++i)
        if (!std::isnan(xs[i]) && !std::isnan(ys[i])) return true;
    return false;
}
