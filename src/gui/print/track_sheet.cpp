#include "gui/print/track_sheet.h"

#include <qcustomplot.h>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// The default print margins of a chart on the sheet, in percent of the sheet's sides.
constexpr double kDefaultMarginPercent = 10;
constexpr int kShadow = 2;
constexpr int kGap = 10;  // pixels of background around the sheet

QSize chartSize(const QCustomPlot* chart) {
    const QSize s = chart->size();
    return s.isEmpty() ? QSize(170, 565) : s;
}

}  // namespace

TrackSheet::TrackSheet(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TrackSheet"));
    setMinimumSize(200, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrackSheet::setPaper(QSizeF portraitMm, QPageLayout::Orientation orientation) {
    const QSizeF before = sheetMm();
    portraitMm_ = portraitMm;
    orientation_ = orientation;
    // A chart keeps its place relative to the sheet and its size fits the new sheet.
    const QSizeF after = sheetMm();
    for (Placed& p : places_) {
        if (!p.chart) continue;
        const QPointF centre(p.mm.center().x() / before.width() * after.width(),
                             p.mm.center().y() / before.height() * after.height());
        QRectF r = defaultRect(p.chart);
        r.moveCenter(centre);
        p.mm = r;
    }
    update();
}

QSizeF TrackSheet::sheetMm() const {
    const double w = std::min(portraitMm_.width(), portraitMm_.height());
    const double h = std::max(portraitMm_.width(), portraitMm_.height());
    return orientation_ == QPageLayout::Landscape ? QSizeF(h, w) : QSizeF(w, h);
}

QRectF TrackSheet::defaultRect(const QCustomPlot* chart) const {
    const QSizeF sheet = sheetMm();
    const QRectF area(sheet.width() * kDefaultMarginPercent / 100,
                      sheet.height() * kDefaultMarginPercent / 100,
                      sheet.width() * (1 - 2 * kDefaultMarginPercent / 100),
                      sheet.height() * (1 - 2 * kDefaultMarginPercent / 100));
    const QSize px = chartSize(chart);
    const double scale = std::min(area.width() / px.width(), area.height() / px.height());
    QRectF r(0, 0, px.width() * scale, px.height() * scale);
    r.moveCenter(area.center());
    return r;
}

TrackSheet::Placed* TrackSheet::placed(const QCustomPlot* chart) {
    for (Placed& p : places_)
        if (p.chart == chart) return &p;
    return nullptr;
}

const TrackSheet::Placed* TrackSheet::placed(const QCustomPlot* chart) const {
    for (const Placed& p : places_)
        if (p.chart == chart) return &p;
    return nullptr;
}

void TrackSheet::setCharts(std::vector<QCustomPlot*> charts) {
    charts_ = std::move(charts);
    std::erase_if(places_, [](const Placed& p) { return p.chart.isNull(); });
    for (QCustomPlot* c : charts_)
        if (!placed(c)) places_.push_back({c, defaultRect(c)});
    dragged_ = nullptr;
    update();
}

QRectF TrackSheet::printRect(const QCustomPlot* chart) const {
    if (std::find(charts_.begin(), charts_.end(), chart) == charts_.end()) return {};
    const Placed* p = placed(chart);
    return p ? p->mm : QRectF();
}

void TrackSheet::setPrintRect(const QCustomPlot* chart, const QRectF& mm) {
    if (Placed* p = placed(chart)) p->mm = mm;
    update();
}

QRectF TrackSheet::sheetRect() const {
    const QSizeF sheet = sheetMm();
    const double room = std::max(1.0, double(width() - 2 * kGap));
    const double roomH = std::max(1.0, double(height() - 2 * kGap));
    const double scale = std::min(room / sheet.width(), roomH / sheet.height());
    QRectF r(0, 0, sheet.width() * scale, sheet.height() * scale);
    r.moveCenter(QRectF(rect()).center());
    return r;
}

double TrackSheet::pxPerMm() const {
    return sheetRect().width() / sheetMm().width();
}

void TrackSheet::drawCharts(QCPPainter& painter, double pxPerMm) const {
    // Bottom first, so the first chart of the list ends on top.
    for (auto it = charts_.rbegin(); it != charts_.rend(); ++it) {
        QCustomPlot* chart = *it;
        const Placed* p = placed(chart);
        if (!chart || !p) continue;
        const QSize px = chartSize(chart);
        const QRectF target(p->mm.topLeft() * pxPerMm, p->mm.size() * pxPerMm);
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(target.width() / px.width(), target.height() / px.height());
        chart->toPainter(&painter, px.width(), px.height());
        painter.restore();
    }
}

void TrackSheet::paintEvent(QPaintEvent*) {
    QCPPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    const QRectF sheet = sheetRect();
    painter.fillRect(sheet.translated(kShadow, kShadow), Qt::black);
    painter.fillRect(sheet, Qt::white);
    QPen border(Qt::black);
    border.setStyle(Qt::DotLine);
    painter.setPen(border);
    painter.drawRect(sheet.adjusted(0, 0, -1, -1));
    painter.save();
    painter.translate(sheet.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), sheet.size()));
    drawCharts(painter, pxPerMm());
    painter.restore();
}

void TrackSheet::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QRectF sheet = sheetRect();
    const QPointF mm = (event->position() - sheet.topLeft()) / pxPerMm();
    for (QCustomPlot* c : charts_) {
        const Placed* p = placed(c);
        if (p && p->mm.contains(mm)) {
            dragged_ = c;
            dragStartMm_ = mm;
            dragStartRect_ = p->mm;
            return;
        }
    }
}

void TrackSheet::mouseMoveEvent(QMouseEvent* event) {
    if (!dragged_) return;
    const QPointF mm = (event->position() - sheetRect().topLeft()) / pxPerMm();
    if (Placed* p = placed(dragged_)) p->mm = dragStartRect_.translated(mm - dragStartMm_);
    update();
}

void TrackSheet::mouseReleaseEvent(QMouseEvent*) {
    dragged_ = nullptr;
}
