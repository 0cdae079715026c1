#pragma once
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QRectF>
#include <QWidget>

class QCustomPlot;
class QCPPainter;

// A sheet of paper on screen with charts on it, each in a rectangle that the user can drag
// with the mouse, and resize by dragging its lower right corner. What the sheet shows is what
// prints: paintCharts() draws the same charts into the same rectangles of a printer's page.
//
// Rectangles are kept as fractions of the sheet (0 .. 1 across and down), so they keep their
// place on the paper whatever the size of the window. Charts are laid out on a page of the
// paper's size at screen resolution and scaled to the sheet, so fonts keep their size
// relative to the paper on screen and in print.
//
// The page does not own the charts; a chart that goes away leaves the page by itself.
class ChartPage : public QWidget {
    Q_OBJECT
  public:
    explicit ChartPage(QWidget* parent = nullptr);

    void setOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation orientation() const { return orientation_; }
    QPageLayout pageLayout() const;

    // The charts on the page, drawn in list order: a later chart lies over an earlier one
    // where they overlap. A chart put on the page for the first time starts in the default
    // rectangle; one that was on the page before comes back where the user left it.
    void clearCharts();
    void addChart(QCustomPlot* plot);
    QList<QCustomPlot*> charts() const;
    QRectF chartRect(const QCustomPlot* plot) const;  // fractions of the sheet
    void setChartRect(const QCustomPlot* plot, const QRectF& fraction);
    // Where a chart starts: left and top a tenth of the sheet in, four fifths of the sheet
    // high, as wide as the chart's own proportions give.
    QRectF defaultRect(const QCustomPlot* plot) const;

    // The sheet inside this widget, in widget coordinates.
    QRectF sheetRect() const;
    // Draws every chart into its rectangle of `page` (device coordinates of a printer's
    // painter, or of any painter the page is drawn on).
    void paintCharts(QCPPainter& painter, const QRectF& page) const;
    // The page as a picture the given number of pixels wide: white paper and the charts.
    QImage pageImage(int width) const;

  signals:
    // A chart was moved or resized, or the list or the orientation changed.
    void changed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    struct Placed {
        QPointer<QCustomPlot> plot;
        QRectF rect;  // fractions of the sheet
    };
    QSizeF logicalPage() const;  // the paper at screen resolution, in pixels
    QRectF toSheet(const QRectF& fraction, const QRectF& sheet) const;
    // The chart under a point of the widget, topmost first; -1 when none.
    int chartAt(const QPointF& pos) const;
    bool onCorner(int index, const QPointF& pos) const;
    void prune();

    QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
    QPageSize pageSize_{QPageSize::A4};
    QList<Placed> shown_;   // in drawing order
    QList<Placed> placed_;  // every chart ever put on the page, with its last rectangle
    int dragging_ = -1;
    bool resizing_ = false;
    QPointF pressPos_;
    QRectF pressRect_;
};
