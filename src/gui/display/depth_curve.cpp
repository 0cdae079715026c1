#include "gui/display/depth_curve.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

enum class Order { Ascending, Descending, None };

Order orderOf(std::span<const double> d, std::size_t n) {
    bool up = true, down = true;
    for (std::size_t i = 0; i + 1 < n && (up || down); ++i) {
        const double a = d[i], b = d[i + 1];
        if (!(a <= b)) up = false;  // a NaN depth breaks both orders
        if (!(a >= b)) down = false;
    }
    if (n > 0 && !std::isfinite(d[0])) return Order::None;
    return up ? Order::Ascending : down ? Order::Descending : Order::None;
}

bool inSign(double v, QCP::SignDomain domain) {
    if (domain == QCP::sdPositive) return v > 0;
    if (domain == QCP::sdNegative) return v < 0;
    return true;
}

}  // namespace

DepthCurve::DepthCurve(QCPAxis* depthAxis, QCPAxis* valueAxis)
    : QCPAbstractPlottable(depthAxis, valueAxis) {}

void DepthCurve::setSource(std::shared_ptr<const CurveSource> source) {
    source_ = std::move(source);
}

CurveView DepthCurve::view() const {
    return source_ ? source_->view() : CurveView{};
}

long DepthCurve::sampleAtDepth(double depth) const {
    const CurveView v = view();
    const std::size_t n = v.size();
    if (n == 0 || !std::isfinite(depth)) return -1;
    const Order order = orderOf(v.depths, n);
    if (order == Order::Ascending) {
        const auto it = std::upper_bound(v.depths.begin(), v.depths.begin() + long(n), depth);
        return it == v.depths.begin() ? -1 : long(it - v.depths.begin()) - 1;
    }
    if (order == Order::Descending) {
        const auto it = std::upper_bound(v.depths.begin(), v.depths.begin() + long(n), depth,
                                         std::greater<double>());
        return it == v.depths.begin() ? -1 : long(it - v.depths.begin()) - 1;
    }
    // Unordered depths: the sample nearest above.
    long best = -1;
    for (std::size_t i = 0; i < n; ++i)
        if (v.depths[i] <= depth && (best < 0 || v.depths[i] > v.depths[std::size_t(best)]))
            best = long(i);
    return best;
}

double DepthCurve::selectTest(const QPointF& pos, bool onlySelectable, QVariant*) const {
    if ((onlySelectable && mSelectable == QCP::stNone) || !mKeyAxis || !mValueAxis) return -1;
    const long i = sampleAtDepth(mKeyAxis->pixelToCoord(pos.y()));
    if (i < 0) return -1;
    const CurveView v = view();
    const double value = v.values[std::size_t(i)];
    if (!std::isfinite(value)) return -1;
    return std::fabs(mValueAxis->coordToPixel(value) - pos.x());
}

QCPRange DepthCurve::getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain) const {
    const CurveView v = view();
    QCPRange r;
    foundRange = false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const double d = v.depths[i];
        if (!std::isfinite(d) || !inSign(d, inSignDomain)) continue;
        if (!foundRange) {
            r = QCPRange(d, d);
            foundRange = true;
        } else {
            r.expand(d);
        }
    }
    return r;
}

QCPRange DepthCurve::getValueRange(bool& foundRange, QCP::SignDomain inSignDomain,
                                   const QCPRange& inKeyRange) const {
    const CurveView v = view();
    const bool restrict = inKeyRange != QCPRange();
    QCPRange r;
    foundRange = false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const double x = v.values[i];
        if (!std::isfinite(x) || !inSign(x, inSignDomain)) continue;
        if (restrict && !inKeyRange.contains(v.depths[i])) continue;
        if (!foundRange) {
            r = QCPRange(x, x);
            foundRange = true;
        } else {
            r.expand(x);
        }
    }
    return r;
}

void DepthCurve::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
    painter->setPen(mPen);
    painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}

void DepthCurve::draw(QCPPainter* painter) {
    QCPAxis* depthAxis = mKeyAxis.data();
    QCPAxis* valueAxis = mValueAxis.data();
    if (!depthAxis || !valueAxis) return;
    const CurveView v = view();
    const std::size_t n = v.size();
    if (n == 0) return;

    // The samples in the shown depth range, with one more on either side so the steps
    // reaching into the range are drawn.
    std::size_t begin = 0, end = n;
    const QCPRange shown = depthAxis->range();
    const Order order = orderOf(v.depths, n);
    const auto first = v.depths.begin();
    const auto last = v.depths.begin() + long(n);
    if (order == Order::Ascending) {
        begin = std::size_t(std::lower_bound(first, last, shown.lower) - first);
        end = std::size_t(std::upper_bound(first, last, shown.upper) - first);
    } else if (order == Order::Descending) {
        begin =
            std::size_t(std::lower_bound(first, last, shown.upper, std::greater<double>()) - first);
        end =
            std::size_t(std::upper_bound(first, last, shown.lower, std::greater<double>()) - first);
    }
    begin = begin > 0 ? begin - 1 : 0;
    end = std::min(end + 1, n);
    if (begin >= end) return;

    const bool log = valueAxis->scaleType() == QCPAxis::stLogarithmic;
    auto valueX = [&](std::size_t i, double& x) {
        const double value = v.values[i];
        if (!std::isfinite(value) || (log && value <= 0) || !std::isfinite(v.depths[i]))
            return false;
        x = valueAxis->coordToPixel(value);
        return true;
    };

    applyDefaultAntialiasingHint(painter);
    painter->setPen(mPen);
    painter->setBrush(Qt::NoBrush);
    QPolygonF line;
    auto flush = [&] {
        if (line.size() >= 2) painter->drawPolyline(line);
        line.clear();
    };

    const double rows = std::fabs(depthAxis->axisRect()->height()) + 1;
    if (double(end - begin) <= 2 * rows) {
        for (std::size_t i = begin; i < end; ++i) {
            double x;
            if (!valueX(i, x)) {
                flush();
                continue;
            }
            const double y = depthAxis->coordToPixel(v.depths[i]);
            line << QPointF(x, y);
            if (i + 1 < n && std::isfinite(v.depths[i + 1]))
                line << QPointF(x, depthAxis->coordToPixel(v.depths[i + 1]));
        }
        flush();
        return;
    }

    // More samples than pixel rows: per pixel row, one stroke from the first value through
    // the smallest and largest to the last. A null sample breaks the line.
    bool open = false;
    double row = 0, firstX = 0, minX = 0, maxX = 0, lastX = 0;
    auto closeRow = [&] {
        if (!open) return;
        line << QPointF(firstX, row) << QPointF(minX, row) << QPointF(maxX, row)
             << QPointF(lastX, row);
        open = false;
    };
    for (std::size_t i = begin; i < end; ++i) {
        double x;
        if (!valueX(i, x)) {
            closeRow();
            flush();
            continue;
        }
        const double y = std::floor(depthAxis->coordToPixel(v.depths[i])) + 0.5;
        if (open && y == row) {
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            lastX = x;
            continue;
        }
        closeRow();
        open = true;
        row = y;
        firstX = minX = maxX = lastX = x;
    }
    closeRow();
    flush();
}
