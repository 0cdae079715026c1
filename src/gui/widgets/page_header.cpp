#include "gui/widgets/page_header.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace {

std::function<QString()>& headerSource() {
    static std::function<QString()> source;
    return source;
}

const QString kItemGap = QStringLiteral("   ");

QFont headerFont(double pixels) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, qRound(pixels)));
    return font;
}

// The header's lines at that width: whole items, as many to a line as fit.
QStringList headerLines(const QString& text, double width, const QFontMetricsF& metrics) {
    QStringList lines;
    QString line;
    for (const QString& part : text.split(kItemGap, Qt::SkipEmptyParts)) {
        const QString item = metrics.elidedText(part.trimmed(), Qt::ElideRight, width);
        const QString joined = line.isEmpty() ? item : line + kItemGap + item;
        if (!line.isEmpty() && metrics.horizontalAdvance(joined) > width) {
            lines << line;
            line = item;
        } else {
            line = joined;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

}  // namespace

void setPageHeaderSource(std::function<QString()> source) {
    headerSource() = std::move(source);
}

QString pageHeaderText() {
    return headerSource() ? headerSource()() : QString();
}

QString pageHeaderDate() {
    return QDate::currentDate().toString(Qt::ISODate);
}

double pageHeaderHeight(const QString& text, double width, double pixels, QPaintDevice* device) {
    if (text.isEmpty() || width <= 0) return 0;
    const QFontMetricsF metrics(headerFont(pixels), device);
    return headerLines(text, width, metrics).size() * metrics.lineSpacing();
}

double drawPageHeader(QPainter& painter, QPointF topLeft, double width, double pixels,
                      const QString& text) {
    if (text.isEmpty() || width <= 0) return 0;
    const QFont font = headerFont(pixels);
    const QFontMetricsF metrics(font, painter.device());
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    double y = topLeft.y();
    for (const QString& line : headerLines(text, width, metrics)) {
        painter.drawText(QPointF(topLeft.x(), y + metrics.ascent()), line);
        y += metrics.lineSpacing();
    }
    painter.restore();
    return y - topLeft.y();
}
