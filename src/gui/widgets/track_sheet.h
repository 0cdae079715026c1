#pragma once
#include <QColor>
#include <QImage>
#include <QPageLayout>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QWidget>
#include <optional>
#include <vector>

class QCustomPlot;
class QCPPainter;
class QPrinter;

// One sheet of paper with charts placed on it, as the track print preview shows it: the
// sheet with its shadow and dotted border, and each chart drawn at its own print rectangle
// (in millimetres of the sheet). A chart's image can be dragged to another place, and made
// larger or smaller by dragging its lower right corner; the rectangle it is left at is where
// it is printed and saved.
//
// Charts are drawn in list order, so the first chart of the list lies on top of the others
// where they overlap, and a press picks the topmost chart under it.
class TrackSheet : public QWidget {
    Q_OBJECT
  public:
    explicit TrackSheet(QWidget* parent = nullptr);

    // The paper as listed (portrait) and the orientation shown.
    void setPaper(QSizeF portraitMm, QPageLayout::Orientation orientation);
    QPageLayout::Orientation orientation() const { return orientation_; }
    QSizeF sheetMm() const;  // width and height as shown

    // The charts on the sheet, topmost first. A chart stands at its default place until it is
    // moved or resized (by the mouse or setPrintRect): as large as fits the default print
    // margins, proportions kept, centred.
    void setCharts(std::vector<QCustomPlot*> charts);
    const std::vector<QCustomPlot*>& charts() const { return charts_; }
    // Charts whose default places stand side by side: the printable area is cut into as many
    // columns as listed, and each chart starts in its own, as large as fits it, proportions
    // kept, so none covers another. Charts not listed start centred on the whole area.
    // Takes effect at the next setCharts.
    void placeSideBySide(std::vector<const QCustomPlot*> charts);
    QRectF printRect(const QCustomPlot* chart) const;  // millimetres; empty when not shown
    void setPrintRect(const QCustomPlot* chart, const QRectF& mm);

    // The header line above the charts: the program's page header unless set here.
    void setHeader(const QString& header);
    QString header() const;

    // Draws the sheet's header and charts onto a painter whose units are device pixels of a page
    // that starts at the paper's corner, at the given pixels per millimetre.
    void drawCharts(QCPPainter& painter, double pxPerMm) const;
    // Prints the sheet on one page of the printer (the paper and orientation of the sheet),
    // or returns the message to show.
    QString printSheet(QPrinter& printer, const QString& docName) const;
    // The sheet as a white picture with its charts, at the given pixels per millimetre.
    QImage sheetImage(double pxPerMm) const;
    // Where the sheet lies in the widget, and its scale.
    QRectF sheetRect() const;
    double pxPerMm() const;
    // The colour of the handle drawn in the lower right corner of every chart on screen (the
    // corner that resizes it); never printed or saved.
    static QColor handleColour();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    struct Placed {
        QPointer<QCustomPlot> chart;
        QRectF mm;
        bool arrangedByUser = false;  // moved or resized: it keeps its place from then on
    };
    QRectF defaultRect(const QCustomPlot* chart) const;
    Placed* placed(const QCustomPlot* chart);
    const Placed* placed(const QCustomPlot* chart) const;

    QSizeF portraitMm_{210, 297};
    QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
    std::vector<QCustomPlot*> charts_;
    std::vector<Placed> places_;  // every chart ever shown keeps its place
    std::vector<const QCustomPlot*> sideBySide_;
    std::optional<QString> header_;
    QCustomPlot* dragged_ = nullptr;
    bool resizing_ = false;
    QPointF dragStartMm_;
    QRectF dragStartRect_;
};
