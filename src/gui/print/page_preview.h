#pragma once
#include <QAbstractListModel>
#include <QCache>
#include <QMarginsF>
#include <QPixmap>
#include <QScrollArea>
#include <QSizeF>
#include <functional>

// Paints one page (1-based) onto a painter whose origin is the paper's corner, at the given
// device pixels per millimetre.
using PagePainter = std::function<void(QPainter& painter, int page, double pxPerMm)>;

// A document of pages of one paper size, drawn page by page when they are looked at.
struct PagedDocument {
    QSizeF paperMm;     // as the pages lie (landscape: wider than high)
    int pageCount = 0;  // 0: no document
    PagePainter paint;
    QMarginsF marginsMm;         // the page's own margins, drawn dotted
    QMarginsF printerMarginsMm;  // what the printer cannot print on, drawn dashed
};

// The page preview of the table print: one page at a time on a grey background, with the
// page's shadow, its margins dotted and the printer's margins dashed. The zoom is a fraction
// of the page's actual size on the screen (1 = 100 %); only the page shown is painted.
class PagePreview : public QScrollArea {
    Q_OBJECT
  public:
    explicit PagePreview(QWidget* parent = nullptr);

    void setDocument(PagedDocument document);
    void clear() { setDocument({}); }
    const PagedDocument& document() const { return doc_; }
    int pageCount() const { return doc_.pageCount; }
    int currentPage() const { return page_; }
    double zoom() const { return zoom_; }

    // The page as the preview draws it, at a zoom, as an image (for thumbnails and tests).
    QImage pageImage(int page, double zoom) const;

  public slots:
    void setCurrentPage(int page);
    void firstPage() { setCurrentPage(1); }
    void previousPage() { setCurrentPage(page_ - 1); }
    void nextPage() { setCurrentPage(page_ + 1); }
    void lastPage() { setCurrentPage(doc_.pageCount); }
    void setZoom(double zoom);
    void zoomIn() { setZoom(zoom_ * 1.25); }
    void zoomOut() { setZoom(zoom_ / 1.25); }
    void actualSize() { setZoom(1); }
    void fitWidth();
    void fitHeight();
    void fitPage();

  signals:
    void currentPageChanged(int page);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    class Canvas;
    friend class Canvas;
    double screenPxPerMm() const;
    void relayout();

    PagedDocument doc_;
    int page_ = 0;
    double zoom_ = 0.36;
    Canvas* canvas_ = nullptr;
};

// Thumbnails of a preview's pages: one item per page, captioned with its number, whose
// picture is drawn when the view first shows it and kept in a small cache.
class PageThumbnails : public QAbstractListModel {
    Q_OBJECT
  public:
    PageThumbnails(const PagePreview& preview, QObject* parent = nullptr);

    // The preview's document changed; thumbnails are drawn `width` pixels wide.
    void reset(int width = 60);
    QSize thumbnailSize() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    const PagePreview& preview_;
    double zoom_ = 0.08;
    mutable QCache<int, QPixmap> cache_{200};
};
