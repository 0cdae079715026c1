#include "gui/widgets/point_cloud.h"

#include <QPainter>
#include <cmath>

namespace {

QColor toQColor(lithora::Rgb c) {
    return QColor(c.r, c.g, c.b);
}

constexpr int kStampSize = 7;  // a five-pixel circle with room for its antialiased edge

}  // namespace

PointCloud::PointCloud(QCPAxis* xAxis, QCPAxis* yAxis) : QCPAbstractPlottable(xAxis, yAxis) {
    setAntialiased(true);
}

void PointCloud::setPoints(SharedColumn x, SharedColumn y) {
    x_ = std::move(x);
    y_ = std::move(y);
}

std::span<const double> PointCloud::xs() const {
    return x_ ? std::span<const double>(*x_) : std::span<const double>();
}

std::span<const double> PointCloud::ys() const {
    return y_ ? std::span<const double>(*y_) : std::span<const double>();
}

std::size_t PointCloud::pointCount() const {
    return std::min(xs().size(), ys().size());
}

void PointCloud::setColour(const QColor& colour) {
    colour_ = colour;
    stamps_.clear();
}

void PointCloud::setColourSteps(std::vector<std::int8_t> steps) {
    steps_ = std::move(steps);
}

QColor PointCloud::pointColour(std::size_t i) const {
    if (steps_.empty()) return colour_;
    const int step = i < steps_.size() ? steps_[i] : -1;
    return toQColor(lithora::ColourScale::stepColour(step));
}

lithora::PlotFrame PointCloud::frame() const {
    lithora::PlotFrame f;
    QCPAxis* kx = keyAxis();
    QCPAxis* vy = valueAxis();
    if (!kx || !vy) return f;
    f.x = {kx->range().lower, kx->range().upper};
    f.y = {vy->range().lower, vy->range().upper};
    f.xLoPixel = kx->coordToPixel(f.x.lo);
    f.xHiPixel = kx->coordToPixel(f.x.hi);
    f.yLoPixel = vy->coordToPixel(f.y.lo);
    f.yHiPixel = vy->coordToPixel(f.y.hi);
    return f;
}

double PointCloud::selectTest(const QPointF& pos, bool onlySelectable, QVariant*) const {
    if (onlySelectable && !selectable()) return -1;
    const auto hit = lithora::nearestPoint(xs(), ys(), frame(), pos.x(), pos.y(),
                                           mParentPlot ? mParentPlot->selectionTolerance() : 8);
    if (!hit) return -1;
    const auto f = frame();
    return std::hypot(f.pixelX(xs()[*hit]) - pos.x(), f.pixelY(ys()[*hit]) - pos.y());
}

QCPRange PointCloud::getKeyRange(bool& foundRange, QCP::SignDomain) const {
    const auto e = lithora::columnExtent(xs().data(), xs().size());
    foundRange = e.hasValue;
    return {e.min, e.max};
}

QCPRange PointCloud::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
    const auto e = lithora::columnExtent(ys().data(), ys().size());
    foundRange = e.hasValue;
    return {e.min, e.max};
}

const QPixmap& PointCloud::stamp(int step, qreal ratio) {
    if (ratio != stampRatio_) {
        stamps_.clear();
        stampRatio_ = ratio;
    }
    if (stamps_.empty()) stamps_.resize(lithora::ColourScale::kSteps + 2);
    // Index 0 is the plot's own colour, 1 the grey of a null colour value, 2.. the steps.
    const std::size_t slot = steps_.empty() ? 0 : static_cast<std::size_t>(step + 2);
    QPixmap& p = stamps_[slot];
    if (p.isNull()) {
        const QColor c =
            steps_.empty() ? colour_ : toQColor(lithora::ColourScale::stepColour(step));
        p = QPixmap(QSize(kStampSize, kStampSize) * ratio);
        p.setDevicePixelRatio(ratio);
        p.fill(Qt::transparent);
        QPainter painter(&p);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(c, 1));
        painter.setBrush(c);
        painter.drawEllipse(QPointF(kStampSize / 2.0, kStampSize / 2.0), kRadius - 0.5,
                            kRadius - 0.5);
    }
    return p;
}

void PointCloud::draw(QCPPainter* painter) {
    const auto cells = lithora::rasterisePoints(xs(), ys(), frame());
    if (cells.empty()) return;
    // Pictures drawn as lines (PDF, SVG) get real circles; the screen and pixel pictures
    // get the same circle pasted at each pixel.
    if (painter->modes().testFlag(QCPPainter::pmVectorized) ||
        painter->modes().testFlag(QCPPainter::pmNoCaching)) {
        applyDefaultAntialiasingHint(painter);
        for (const auto& c : cells) {
            const QColor colour = pointColour(c.point);
            painter->setPen(QPen(colour, 1));
            painter->setBrush(colour);
            painter->drawEllipse(QPointF(c.px + 0.5, c.py + 0.5), kRadius - 0.5, kRadius - 0.5);
        }
        return;
    }
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const double half = kStampSize / 2.0;
    for (const auto& c : cells) {
        const int step = steps_.empty() || c.point >= steps_.size() ? -1 : steps_[c.point];
        painter->drawPixmap(QPointF(c.px + 0.5 - half, c.py + 0.5 - half), stamp(step, ratio));
    }
}

void PointCloud::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
    painter->setPen(QPen(colour_, 1));
    painter->setBrush(colour_);
    painter->drawEllipse(rect.center(), kRadius, kRadius);
}
