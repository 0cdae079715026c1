#include "gui/widgets/chart_page.h"

#include <qcustomplot.h>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kSheetMargin = 10;     // pixels around the sheet in the widget
constexpr double kCornerGrip = 8;       // pixels of a chart's lower right corner that resize it
constexpr double kSmallestSide = 0.03;  // of the sheet: a chart never shrinks below this
constexpr int kScreenDpi = 96;

}  // namespace

ChartPage::ChartPage(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(120, 160);
    setAutoFillBackground(false);
}

QPageLayout ChartPage::pageLayout() const {
    return QPageLayout(pageSize_, orientation_, QMarginsF(0, 0, 0, 0));
}

void ChartPage::setOrientation(QPageLayout::Orientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    update();
    emit changed();
}

QSizeF ChartPage::logicalPage() const {
    const QRect r = pageLayout().fullRectPixels(kScreenDpi);
    return QSizeF(r.width(), r.height());
}

void ChartPage::prune() {
    auto gone = [](const Placed& p) { return p.plot.isNull(); };
    shown_.erase(std::remove_if(shown_.begin(), shown_.end(), gone), shown_.end());
    placed_.erase(std::remove_if(placed_.begin(), placed_.end(), gone), placed_.end());
}

void ChartPage::clearCharts() {
    shown_.clear();
    dragging_ = -1;
    update();
    emit changed();
}

void ChartPage::addChart(QCustomPlot* plot) {
    if (!plot) return;
    prune();
    for (const Placed& p : shown_)
        if (p.plot == plot) return;
    QRectF rect = defaultRect(plot);
    for (const Placed& p : placed_)
        if (p.plot == plot) rect = p.rect;
    shown_.push_back({plot, rect});
    placed_.erase(std::remove_if(placed_.begin(), placed_.end(),
                                 [plot](const Placed& p) { return p.plot == plot; }),
                  placed_.end());
    placed_.push_back({plot, rect});
    update();
    emit changed();
}

QList<QCustomPlot*> ChartPage::charts() const {
    QList<QCustomPlot*> out;
    for (const Placed& p : shown_)
        if (p.plot) out << p.plot.data();
    return out;
}

QRectF ChartPage::chartRect(const QCustomPlot* plot) const {
    for (const Placed& p : shown_)
        if (p.plot == plot) return p.rect;
    for (const Placed& p : placed_)
        if (p.plot == plot) return p.rect;
    return {};
}

void ChartPage::setChartRect(const QCustomPlot* plot, const QRectF& fraction) {
    for (QList<Placed>* list : {&shown_, &placed_})
        for (Placed& p : *list)
            if (p.plot == plot) p.rect = fraction;
    update();
    emit changed();
}

QRectF ChartPage::defaultRect(const QCustomPlot* plot) const {
    const QSizeF page = logicalPage();
    const QSize size = plot && !plot->size().isEmpty() ? plot->size() : QSize(200, 600);
    const double height = 0.8;
    double width = height * page.height() * size.width() / size.height() / page.width();
    width = std::min(width, 0.8);
    return QRectF(0.1, 0.1, width, height);
}

QRectF ChartPage::sheetRect() const {
    const QSizeF page = logicalPage();
    const double roomW = std::max(1.0, width() - 2 * kSheetMargin);
    const double roomH = std::max(1.0, height() - 2 * kSheetMargin);
    const double scale = std::min(roomW / page.width(), roomH / page.height());
    const QSizeF sheet(page.width() * scale, page.height() * scale);
    return QRectF(QPointF((width() - sheet.width()) / 2, (height() - sheet.height()) / 2), sheet);
}

QRectF ChartPage::toSheet(const QRectF& f, const QRectF& sheet) const {
    return QRectF(sheet.left() + f.left() * sheet.width(), sheet.top() + f.top() * sheet.height(),
                  f.width() * sheet.width(), f.height() * sheet.height());
}

void ChartPage::paintCharts(QCPPainter& painter, const QRectF& page) const {
    const QSizeF logical = logicalPage();
    if (page.width() <= 0 || logical.width() <= 0) return;
    const double scale = page.width() / logical.width();
    for (const Placed& p : shown_) {
        if (!p.plot) continue;
        const QRectF r = toSheet(p.rect, page);
        const int w = static_cast<int>(std::lround(r.width() / scale));
        const int h = static_cast<int>(std::lround(r.height() / scale));
        if (w < 2 || h < 2) continue;
        painter.save();
        painter.translate(r.topLeft());
        painter.scale(scale, scale);
        painter.setClipRect(QRect(0, 0, w, h));
        p.plot->toPainter(&painter, w, h);
        painter.restore();
    }
}

QImage ChartPage::pageImage(int width) const {
    const QSizeF page = logicalPage();
    const int height = static_cast<int>(std::lround(width * page.height() / page.width()));
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(Qt::white);
    QCPPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintCharts(painter, QRectF(0, 0, image.width(), image.height()));
    painter.end();
    return image;
}

void ChartPage::paintEvent(QPaintEvent*) {
    const QRectF sheet = sheetRect();
    QCPPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.fillRect(sheet, Qt::white);
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(sheet.adjusted(0, 0, -1, -1));
    painter.save();
    painter.setClipRect(sheet);
    paintCharts(painter, sheet);
    painter.restore();
    // A small grip at each chart's lower right corner says that it can be resized there.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 90, 90));
    for (const Placed& p : shown_) {
        if (!p.plot) continue;
        const QRectF r = toSheet(p.rect, sheet);
        painter.drawRect(QRectF(r.right() - 5, r.bottom() - 5, 5, 5));
    }
}

int ChartPage::chartAt(const QPointF& pos) const {
    const QRectF sheet = sheetRect();
    for (int i = static_cast<int>(shown_.size()) - 1; i >= 0; --i) {
        const Placed& p = shown_[i];
        if (p.plot && toSheet(p.rect, sheet).adjusted(0, 0, 1, 1).contains(pos)) return i;
    }
    return -1;
}

bool ChartPage::onCorner(int index, const QPointF& pos) const {
    if (index < 0) return false;
    const QRectF r = toSheet(shown_[index].rect, sheetRect());
    return pos.x() >= r.right() - kCornerGrip && pos.y() >= r.bottom() - kCornerGrip;
}

void ChartPage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    prune();
    dragging_ = chartAt(event->position());
    if (dragging_ < 0) return;
    resizing_ = onCorner(dragging_, event->position());
    pressPos_ = event->position();
    pressRect_ = shown_[dragging_].rect;
}

void ChartPage::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ < 0 || dragging_ >= shown_.size() || !(event->buttons() & Qt::LeftButton)) {
        const int under = chartAt(event->position());
        setCursor(under < 0                            ? Qt::ArrowCursor
                  : onCorner(under, event->position()) ? Qt::SizeFDiagCursor
                                                       : Qt::SizeAllCursor);
        return;
    }
    const QRectF sheet = sheetRect();
    const QPointF d = event->position() - pressPos_;
    const double dx = d.x() / sheet.width();
    const double dy = d.y() / sheet.height();
    QRectF r = pressRect_;
    if (resizing_) {
        r.setWidth(std::clamp(r.width() + dx, kSmallestSide, 1.0 - r.left()));
        r.setHeight(std::clamp(r.height() + dy, kSmallestSide, 1.0 - r.top()));
    } else {
        // A chart stays on the paper.
        r.moveLeft(std::clamp(r.left() + dx, 0.0, std::max(0.0, 1.0 - r.width())));
        r.moveTop(std::clamp(r.top() + dy, 0.0, std::max(0.0, 1.0 - r.height())));
    }
    setChartRect(shown_[dragging_].plot.data(), r);
}

void ChartPage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = -1;
}
