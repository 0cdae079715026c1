#include "gui/print/page_preview.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kGap = 10;    // grey around the page, pixels
constexpr int kShadow = 2;  // the page's shadow, pixels
constexpr double kMinZoom = 0.05;
constexpr double kMaxZoom = 8;

double screenPxPerMm(const QWidget& w) {
    return (w.logicalDpiX() > 0 ? w.logicalDpiX() : 96) / 25.4;
}

// Draws the sheet at a scale: white page, dotted margins, dashed printer margins, content.
void drawSheet(QPainter& p, const PagedDocument& doc, int page, double pxPerMm, QPointF origin) {
    const QRectF sheet(origin, doc.paperMm * pxPerMm);
    p.fillRect(sheet.translated(kShadow, kShadow), QColor(64, 64, 64));
    p.fillRect(sheet, Qt::white);
    auto marginRect = [&](const QMarginsF& m) {
        return QRectF(sheet.left() + m.left() * pxPerMm, sheet.top() + m.top() * pxPerMm,
                      sheet.width() - (m.left() + m.right()) * pxPerMm,
                      sheet.height() - (m.top() + m.bottom()) * pxPerMm);
    };
    QPen pen(QColor(192, 192, 192));
    pen.setCosmetic(true);
    if (!doc.printerMarginsMm.isNull()) {
        pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.drawRect(marginRect(doc.printerMarginsMm));
    }
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawRect(marginRect(doc.marginsMm));
    if (doc.paint && page >= 1 && page <= doc.pageCount) {
        p.save();
        p.translate(sheet.topLeft());
        p.setClipRect(QRectF(QPointF(0, 0), sheet.size()));
        doc.paint(p, page, pxPerMm);
        p.restore();
    }
}

}  // namespace

class PagePreview::Canvas : public QWidget {
  public:
    explicit Canvas(PagePreview& owner) : QWidget(nullptr), owner_(owner) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        const PagedDocument& doc = owner_.doc_;
        if (doc.pageCount <= 0) return;
        const double pxPerMm = owner_.screenPxPerMm() * owner_.zoom_;
        const QSizeF sheet = doc.paperMm * pxPerMm;
        const QPointF origin(std::max<double>(kGap, (width() - sheet.width()) / 2), kGap);
        drawSheet(p, doc, owner_.page_, pxPerMm, origin);
    }

  private:
    PagePreview& owner_;
};

PagePreview::PagePreview(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("PagePreview"));
    canvas_ = new Canvas(*this);
    setWidget(canvas_);
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignCenter);
    relayout();
}

double PagePreview::screenPxPerMm() const {
    return ::screenPxPerMm(*this);
}

void PagePreview::setDocument(PagedDocument document) {
    doc_ = std::move(document);
    page_ = doc_.pageCount > 0 ? 1 : 0;
    relayout();
    emit currentPageChanged(page_);
}

void PagePreview::setCurrentPage(int page) {
    if (doc_.pageCount <= 0) return;
    page = std::clamp(page, 1, doc_.pageCount);
    if (page == page_) return;
    page_ = page;
    canvas_->update();
    emit currentPageChanged(page_);
}

void PagePreview::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    relayout();
}

void PagePreview::relayout() {
    const QSizeF sheet = doc_.paperMm * screenPxPerMm() * zoom_;
    const QSize view = viewport()->size();
    canvas_->resize(std::max(view.width(), int(sheet.width()) + 2 * kGap + kShadow),
                    std::max(view.height(), int(sheet.height()) + 2 * kGap + kShadow));
    canvas_->update();
}

void PagePreview::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    relayout();
}

void PagePreview::fitWidth() {
    if (doc_.paperMm.isEmpty()) return;
    const double room = viewport()->width() - 2 * kGap - kShadow - verticalScrollBar()->width();
    setZoom(room / (doc_.paperMm.width() * screenPxPerMm()));
}

void PagePreview::fitHeight() {
    if (doc_.paperMm.isEmpty()) return;
    const double room = viewport()->height() - 2 * kGap - kShadow;
    setZoom(room / (doc_.paperMm.height() * screenPxPerMm()));
}

void PagePreview::fitPage() {
    if (doc_.paperMm.isEmpty()) return;
    const double w =
        (viewport()->width() - 2 * kGap - kShadow) / (doc_.paperMm.width() * screenPxPerMm());
    const double h =
        (viewport()->height() - 2 * kGap - kShadow) / (doc_.paperMm.height() * screenPxPerMm());
    setZoom(std::min(w, h));
}

QImage PagePreview::pageImage(int page, double zoom) const {
    const double pxPerMm = screenPxPerMm() * zoom;
    const QSizeF sheet = doc_.paperMm * pxPerMm;
    QImage image(std::max(1, int(std::ceil(sheet.width())) + kShadow),
                 std::max(1, int(std::ceil(sheet.height())) + kShadow), QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawSheet(p, doc_, page, pxPerMm, QPointF(0, 0));
    p.end();
    return image;
}

PageThumbnails::PageThumbnails(const PagePreview& preview, QObject* parent)
    : QAbstractListModel(parent), preview_(preview) {}

void PageThumbnails::reset(int width) {
    beginResetModel();
    cache_.clear();
    const double paperPx = preview_.document().paperMm.width() * screenPxPerMm(preview_);
    zoom_ = paperPx > 0 ? std::max(1, width - kShadow) / paperPx : 0.08;
    endResetModel();
}

QSize PageThumbnails::thumbnailSize() const {
    const QSizeF s = preview_.document().paperMm * screenPxPerMm(preview_) * zoom_;
    return {int(std::ceil(s.width())) + kShadow, int(std::ceil(s.height())) + kShadow};
}

int PageThumbnails::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : preview_.pageCount();
}

QVariant PageThumbnails::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= preview_.pageCount()) return {};
    const int page = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return QString::number(page);
        case Qt::DecorationRole: {
            if (QPixmap* cached = cache_.object(page)) return *cached;
            auto* pixmap = new QPixmap(QPixmap::fromImage(preview_.pageImage(page, zoom_)));
            const QPixmap copy = *pixmap;
            cache_.insert(page, pixmap);
            return copy;
        }
        case Qt::SizeHintRole:
            return thumbnailSize() + QSize(8, 20);
        case Qt::TextAlignmentRole:
            return int(Qt::AlignHCenter | Qt::AlignBottom);
        default:
            return {};
    }
}
