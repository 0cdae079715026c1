#pragma once
#include <QFrame>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "core/chart/axis_fit.h"
#include "gui/widgets/shared_column.h"

class PointCloud;
class QCustomPlot;
class QCPColorScale;
class QCPItemText;
class QMenu;
class QAction;

// One cross plot: a point per depth sample, one elastic parameter along the bottom (X) axis
// against another along the left (Y) axis. Windows use the verbs below and never reach
// into the plot's axes.
//
// Each axis shows either its automatic range (the points' extent with a margin, refitted
// when the points change) or a fixed range; a rectangle zoom shows part of either until it
// is undone. Dragging down and to the right zooms into the rectangle; dragging to the left
// undoes the zoom. A click on a point shows its tip: the depth of the point when the plot
// has depth labels, else its Y value. A right click opens the plot's menu: "Print",
// "Export", "Set Min, Max" and "Colour by" with one item per choice.
class CrossPlot : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kWidth = 345;
    static constexpr int kHeight = 249;

    CrossPlot(int number, const QColor& colour, QWidget* parent = nullptr);

    int number() const { return number_; }
    void setAxisTitles(const QString& x, const QString& y);
    QString xTitle() const;
    QString yTitle() const;
    QColor colour() const;

    // The points: x[i], y[i], and depth[i] for the tip (empty: no depth labels). The
    // columns are shared, not copied. A zoom is undone; automatic ranges are refitted.
    void setPoints(SharedColumn x, SharedColumn y, SharedColumn depth);
    std::size_t pointCount() const;
    // A second set of points drawn over the first in a colour of its own (the same rock after
    // a change of its pore fluid, say); its extent counts in the automatic ranges. A tip names
    // a point of the first set only. Null columns remove it.
    void setOverlayPoints(SharedColumn x, SharedColumn y, const QColor& colour);
    std::size_t overlayPointCount() const;
    // True when a point has both its values (a point with a null value is not drawn).
    bool hasDrawablePoint() const;
    bool hasDepthLabels() const { return depth_ && !depth_->empty(); }
    // A line across the plot in place of points ("Compute the elastic parameters first.");
    // empty hides it.
    void setMessage(const QString& text);
    QString message() const;

    // Fixed ranges stay through later changes of the points; lo < hi.
    void setFixedXRange(double lo, double hi);
    void setFixedYRange(double lo, double hi);
    bool xFixed() const { return fixedX_.has_value(); }
    bool yFixed() const { return fixedY_.has_value(); }
    // The ranges the axes show now (zoomed or not).
    lithora::AxisRange xRange() const;
    lithora::AxisRange yRange() const;

    void zoomTo(const lithora::AxisRange& x, const lithora::AxisRange& y);
    void undoZoom();
    bool zoomed() const { return zoomed_; }

    // "Colour by": the caption of the chosen curve and one value per point (NaN: grey);
    // an empty caption returns to the plot's own colour and hides the colour scale.
    void setColouring(const QString& caption, const std::vector<double>& values);
    QString colouring() const { return colourCaption_; }
    bool colourScaleShown() const;
    lithora::AxisRange colourScaleRange() const;
    QColor pointColour(std::size_t i) const;
    // The "Colour by" items: captions in menu order, the checked one at `checked`.
    void setColourChoices(const QStringList& captions, int checked);
    QList<QAction*> colourActions() const;

    // The point nearest a place of the plot (plot coordinates) within the click tolerance.
    std::optional<std::size_t> pointAt(const QPointF& pos) const;
    QString tipTextFor(std::size_t point) const;
    QString lastTip() const { return lastTip_; }
    // Where a value pair is drawn, in this widget's coordinates.
    QPointF pixelOf(double x, double y) const;

    QMenu* popupMenu() const { return menu_; }
    QCustomPlot* plot() const { return plot_; }  // for printing and export
    PointCloud* points() const { return cloud_; }

  signals:
    void printRequested(int number);
    void exportRequested(int number);
    void minMaxRequested(int number);
    void colourChosen(int number, int choice);

  private:
    void setupAxes();
    void setupInteraction();
    void applyBaseRanges();
    void dragged(const QRect& rect);
    void showTipAt(const QPointF& pos, const QPoint& globalPos);
    bool eventFilter(QObject* watched, QEvent* event) override;

    int number_;
    QCustomPlot* plot_ = nullptr;
    PointCloud* cloud_ = nullptr;
    PointCloud* overlay_ = nullptr;  // made when first given points
    QCPItemText* message_ = nullptr;
    QCPColorScale* scale_ = nullptr;
    QMenu* menu_ = nullptr;
    QMenu* colourMenu_ = nullptr;
    SharedColumn depth_;
    std::optional<lithora::AxisRange> fixedX_, fixedY_;
    bool zoomed_ = false;
    QString colourCaption_;
    QString lastTip_;
    QPointF pressPos_;
};
