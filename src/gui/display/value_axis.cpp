#include "gui/display/value_axis.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/common/number_text.h"
#include "gui/widgets/locale_text.h"

using lithora::AxisRange;

EndLabelPlacement topAxisLabelPlacement(double labelX, double minPixel, double maxPixel) {
    if (std::fabs(labelX - minPixel) < 0.5) return EndLabelPlacement::Left;
    if (std::fabs(labelX - maxPixel) < 0.5) return EndLabelPlacement::Right;
    return EndLabelPlacement::Centred;
}

namespace valueaxis {

bool isLogarithmic(const QCPAxis* axis) {
    return axis->scaleType() == QCPAxis::stLogarithmic;
}

QCPRange outerRange(double lo, double hi, bool log) {
    const double p = kInset / (1 - 2 * kInset);
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
        const double d = kInset * (b - a);
        return {std::pow(10.0, a + d), std::pow(10.0, b - d)};
    }
    const double d = kInset * (r.upper - r.lower);
    return {r.lower + d, r.upper - d};
}

QString labelText(double v) {
    const QLocale locale;
    QString out;
    for (char c : lithora::axisLabelText(v, '.', ',')) {
        if (c == '.')
            out += locale.decimalPoint();
        else if (c == ',')
            out += locale.groupSeparator();
        else
            out += QLatin1Char(c);
    }
    return out;
}

// The title in lines no wider than `room` pixels, broken at spaces; a word longer than a line
// stays whole.
QString wrappedText(const QString& title, const QFont& font, int room) {
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

QString sampleTipText(double value, double depth) {
    if (!std::isfinite(value) || !std::isfinite(depth)) return {};
    const char sep = localeDecimalPoint();
    return QStringLiteral("X: %1  Y: %2")
        .arg(QString::fromStdString(lithora::numberText(value, sep)),
             QString::fromStdString(lithora::numberText(depth, sep)));
}

void forgetMargin(QCPAxis* axis) {
    const int padding = axis->padding();
    axis->setPadding(padding + 1);
    axis->setPadding(padding);
}

int labelBandHeight(const QCPAxis* axis, QCPAxisTickerText& ticker, int areaWidth) {
    QFont normal = axis->tickLabelFont();
    normal.setBold(true);
    QFont smallest = normal;
    if (smallest.pointSizeF() > 0) smallest.setPointSizeF(kSmallestLabelPoints);
    const QFontMetricsF fm(smallest);
    double needed = 0;
    for (const QString& text : ticker.ticks()) needed += fm.horizontalAdvance(text) + 4;
    const bool twoRows = needed > areaWidth * (1 - 2 * kInset);
    return QFontMetrics(normal).height() * (twoRows ? 2 : 1) + 2;
}

}  // namespace valueaxis

AxisEndLabels::AxisEndLabels(QCustomPlot* plot, QCPAxis* valueAxis, bool drawWall)
    : QCPLayerable(plot, QStringLiteral("axes")), axis_(valueAxis), wall_(drawWall) {}

void AxisEndLabels::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    applyAntialiasingHint(painter, mAntialiased, QCP::aeAxes);
}

void AxisEndLabels::draw(QCPPainter* painter) {
    const QRect area = axis_->axisRect()->rect();
    if (wall_) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(Qt::black, 2));
        painter->drawRect(QRectF(area).adjusted(1, 1, -1, -1));
    }

    drawn_.clear();
    auto* ticker = dynamic_cast<QCPAxisTickerText*>(axis_->ticker().data());
    if (!ticker || !axis_->visible()) return;
    const AxisRange ends = valueaxis::innerRange(axis_->range(), valueaxis::isLogarithmic(axis_));
    const double minPixel = axis_->coordToPixel(ends.lo);
    const double maxPixel = axis_->coordToPixel(ends.hi);
    const double left = std::min(minPixel, maxPixel);
    const double right = std::max(minPixel, maxPixel);
    const bool below = axis_->axisType() == QCPAxis::atBottom;
    painter->setPen(axis_->tickLabelColor());

    // Long end labels in a narrow chart would run into each other: the labels' font shrinks
    // until they fit side by side, down to a size that stays legible.
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
        // Never below a size that reads easily; labels that still do not fit side by side
        // stand on two rows, the right one further from the axis than the left one.
        while (points > valueaxis::kSmallestLabelPoints && widthAt(points) > right - left)
            points -= 0.5;
        labelFont.setPointSizeF(points);
        stagger = widthAt(points) > right - left;
    }
    for (auto it = ticker->ticks().constBegin(); it != ticker->ticks().constEnd(); ++it) {
        const double x = axis_->coordToPixel(it.key());
        if (!std::isfinite(x) || x < left - 0.5 || x > right + 0.5) continue;  // zoomed out
        DrawnAxisLabel label;
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
        const double out = axis_->offset() + axis_->tickLengthOut();
        const double y0 =
            below ? area.bottom() + out + 2 + lift : area.top() - out - 1 - fm.height() - lift;
        label.rect = QRectF(x0, y0, w, fm.height());
        painter->setFont(font);
        painter->drawText(label.rect, Qt::AlignLeft | Qt::AlignVCenter, label.text);
        drawn_.push_back(label);
    }
}
