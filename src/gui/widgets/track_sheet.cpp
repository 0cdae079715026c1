#include "gui/widgets/track_sheet.h"

#include <qcustomplot.h>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "gui/widgets/page_header.h"

namespace {

// The default print margins of a chart on the sheet, in percent of the sheet's sides.
constexpr double kDefaultMarginPercent = 10;
constexpr int kShadow = 2;
constexpr int kGap = 10;           // pixels of background around the sheet
constexpr double kCornerGrip = 8;  // pixels of a chart's lower right corner that resize it
constexpr double kSmallestMm = 10;
constexpr double kHeaderTopMm = 6;       // where the header starts on the sheet
constexpr double kHeaderFontMm = 3;      // its font
constexpr double kColumnGapPercent = 2;  // between side-by-side charts, of the area's width

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
    // A chart the user placed keeps its place relative to the sheet and its size fits the new
    // sheet; the others take their default places on it.
    const QSizeF after = sheetMm();
    for (Placed& p : places_) {
        if (!p.chart) continue;
        QRectF r = defaultRect(p.chart);
        if (!p.arrangedByUser) {
            p.mm = r;
            continue;
        }
        const QPointF centre(p.mm.center().x() / before.width() * after.width(),
                             p.mm.center().y() / before.height() * after.height());
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
    QRectF room = area;
    const auto column = std::find(sideBySide_.begin(), sideBySide_.end(), chart);
    if (column != sideBySide_.end()) {
        const double n = static_cast<double>(sideBySide_.size());
        const double gap = area.width() * kColumnGapPercent / 100;
        const double width = (area.width() - gap * (n - 1)) / n;
        room =
            QRectF(area.left() + static_cast<double>(column - sideBySide_.begin()) * (width + gap),
                   area.top(), width, area.height());
    }
    const QSize px = chartSize(chart);
    const double scale = std::min(room.width() / px.width(), room.height() / px.height());
    QRectF r(0, 0, px.width() * scale, px.height() * scale);
    r.moveCenter(room.center());
    return r;
}

void TrackSheet::placeSideBySide(std::vector<const QCustomPlot*> charts) {
    sideBySide_ = std::move(charts);
}

QColor TrackSheet::handleColour() {
    return QColor(0, 90, 200);
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
    for (QCustomPlot* c : charts_) {
        Placed* p = placed(c);
        if (!p)
            places_.push_back({c, defaultRect(c)});
        else if (!p->arrangedByUser)
            p->mm = defaultRect(c);
    }
    dragged_ = nullptr;
    update();
}

QRectF TrackSheet::printRect(const QCustomPlot* chart) const {
    if (std::find(charts_.begin(), charts_.end(), chart) == charts_.end()) return {};
    const Placed* p = placed(chart);
    return p ? p->mm : QRectF();
}

void TrackSheet::setPrintRect(const QCustomPlot* chart, const QRectF& mm) {
    if (Placed* p = placed(chart)) {
        p->mm = mm;
        p->arrangedByUser = true;
    }
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

void TrackSheet::setHeader(const QString& header) {
    header_ = header;
    update();
}

QString TrackSheet::header() const {
    return header_ ? *header_ : pageHeaderText();
}

void TrackSheet::drawCharts(QCPPainter& painter, double pxPerMm) const {
    // The header in the top margin, over the width the charts start in.
    const QSizeF sheet = sheetMm();
    const double side = sheet.width() * kDefaultMarginPercent / 100;
    drawPageHeader(painter, QPointF(side, kHeaderTopMm) * pxPerMm,
                   (sheet.width() - 2 * side) * pxPerMm, kHeaderFontMm * pxPerMm, header());

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

QString TrackSheet::printSheet(QPrinter& printer, const QString& docName) const {
    printer.setFullPage(true);
    printer.setPageOrientation(orientation_);
    printer.setPageSize(QPageSize(portraitMm_, QPageSize::Millimeter));
    printer.setDocName(docName);
    QCPPainter painter;
    if (!painter.begin(&printer)) return QStringLiteral("The printer cannot print.");
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    const QRectF paper = printer.pageLayout().fullRectPixels(printer.resolution());
    drawCharts(painter, paper.width() / sheetMm().width());
    if (!painter.end()) return QStringLiteral("The printer cannot print.");
    if (printer.outputFormat() == QPrinter::PdfFormat &&
        !QFileInfo::exists(printer.outputFileName()))
        return QStringLiteral("Cannot write \"%1\".").arg(printer.outputFileName());
    return {};
}

QImage TrackSheet::sheetImage(double pxPerMm) const {
    const QSizeF mm = sheetMm();
    QImage image(qRound(mm.width() * pxPerMm), qRound(mm.height() * pxPerMm), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(pxPerMm * 1000));
    image.setDotsPerMeterY(qRound(pxPerMm * 1000));
    image.fill(Qt::white);
    QCPPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawCharts(painter, pxPerMm);
    painter.end();
    return image;
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
    const double scale = pxPerMm();
    drawCharts(painter, scale);
    // The corner that resizes each chart, marked on screen only.
    painter.setPen(Qt::NoPen);
    painter.setBrush(handleColour());
    for (const QCustomPlot* chart : charts_)
        if (const Placed* p = placed(chart)) {
            const QPointF corner = p->mm.bottomRight() * scale;
            const QPointF handle[] = {corner, corner - QPointF(kCornerGrip, 0),
                                      corner - QPointF(0, kCornerGrip)};
            painter.drawPolygon(handle, 3);
        }
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
            const double grip = kCornerGrip / pxPerMm();
            resizing_ = mm.x() >= p->mm.right() - grip && mm.y() >= p->mm.bottom() - grip;
            return;
        }
    }
}

void TrackSheet::mouseMoveEvent(QMouseEvent* event) {
    if (!dragged_) return;
    const QPointF mm = (event->position() - sheetRect().topLeft()) / pxPerMm();
    if (Placed* p = placed(dragged_)) {
        const QPointF d = mm - dragStartMm_;
        if (resizing_) {
            p->mm = dragStartRect_;
            p->mm.setWidth(std::max(kSmallestMm, dragStartRect_.width() + d.x()));
            p->mm.setHeight(std::max(kSmallestMm, dragStartRect_.height() + d.y()));
        } else {
            p->mm = dragStartRect_.translated(d);
        }
        p->arrangedByUser = true;
    }
    update();
}

void TrackSheet::mouseReleaseEvent(QMouseEvent*) {
    dragged_ = nullptr;
    resizing_ = false;
}
