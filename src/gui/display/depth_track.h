#pragma once
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPixmap>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "core/chart/axis_fit.h"
#include "gui/display/depth_curve.h"
#include "gui/display/value_axis.h"
#include "gui/widgets/chart_copy.h"

class QCustomPlot;
class QCPAxis;
class QCPAxisTickerText;
class QMenu;
class QAction;

class AxisEndLabels;

// The background picture of every track: the bitmap "Unknown" of the program's "Patterns"
// folder (the installed one when the program folder has none). Throws lithora::Error when
// it cannot be read, so building tracks fails as a whole.
QPixmap loadTrackBackground(const QString& programFolder);

// One depth track: a chart of one curve with its value along the top axis and depth growing
// downwards on the left axis, drawn as stairs (each value held until the next depth sample).
// Windows use the verbs below and never reach into the plot's axes.
//
// The value axis holds exactly two labels, at its two ends. Null samples (NaN) are gaps.
// Dragging a rectangle down and to the right zooms into it (signal zoomed); dragging up and
// to the left undoes a zoom; a click on the curve shows the value and depth of the nearest
// sample; a right click opens the track's own command menu, whose items report the track's
// slot number.
//
// The curve is read from a CurveSource at every drawing: a track over a column of the work
// table holds no copy of it. A copy of the track (copy(), fromCopy()) holds its own samples.
class DepthTrack : public QFrame {
    Q_OBJECT
  public:
    DepthTrack(int slot, const QString& title, const QColor& colour, const QPixmap& background,
               QWidget* parent = nullptr, const QFont* titleFont = nullptr);
    ~DepthTrack() override;

    int slot() const { return slot_; }
    QString title() const;
    QFont titleFont() const;
    QColor colour() const;
    void setColour(const QColor& colour);
    void setSeriesName(const QString& name);
    QString seriesName() const;

    // Replaces the series. depths[i] and values[i] form one sample; a NaN value is a gap.
    // The depth axis follows the data; the value axis keeps its range until rescale() or
    // setValueRange(). setData keeps a copy; setSource draws from the source itself.
    void setData(std::vector<double> depths, std::vector<double> values);
    void setSource(std::shared_ptr<const CurveSource> source);
    CurveView samples() const;
    int pointCount() const;

    // The track as a chart copy (title, colours, the ranges shown, the labels, the
    // logarithmic flag and the samples), and a new track drawn from such a copy. The new
    // track has slot 0, shows the copy's ranges and owns its samples.
    ChartCopy copy() const;
    static DepthTrack* fromCopy(const ChartCopy& copy, const QPixmap& background,
                                QWidget* parent = nullptr);
    // Resizes the track and lays its chart out at once, shown or not (for printing).
    void setChartSize(QSize size);
    // Room in pixels right of the plotting area.
    void setRightMargin(int pixels);

    // The value-axis fit: the range from rescaleLimits over the series' values, with its two
    // end labels. An empty range (no points, or all values 0) is widened by one on each side.
    // On a logarithmic axis only the positive values count, and the range stays above 0.
    void rescale();
    // A fixed value range with its two end labels (the "Set Min,Max" answer). lo < hi.
    void setValueRange(double lo, double hi);
    // The value range the axis shows between its two end labels (the plot keeps a little
    // room outside it so a curve's extremes stay visible).
    lithora::AxisRange valueRange() const;
    lithora::AxisRange depthRange() const;
    // Texts of the value-axis labels, in axis order.
    std::vector<QString> valueLabels() const;

    // A logarithmic value axis keeps the range shown, but a lower end at or below 0 is
    // replaced by the fit of the positive values. False (nothing changed) when the curve
    // has no positive value to draw on such an axis.
    bool setLogarithmic(bool on);
    bool isLogarithmic() const;
    bool hasPositiveValue() const;

    // Back to the full ranges after a rectangle zoom.
    void undoZoom();
    // Makes the ranges shown now (after a zoom) the track's own: the value labels move to
    // the two ends of the shown value range. With remember, undoZoomStep() returns to the
    // ranges before.
    void keepShownRanges(bool remember);
    // Back to the ranges before the last kept zoom; false when there is none.
    bool undoZoomStep();
    int zoomDepth() const { return static_cast<int>(history_.size()); }

    // The depth axis title (blue, bold, along the axis), shown with the depth labels.
    void setDepthTitle(const QString& title);
    QString depthTitle() const;

    // Pixel of a sample in the coordinates of this track widget.
    QPointF pixelOf(double value, double depth) const;
    // The rectangles (track coordinates) in which the two end labels were last drawn, and
    // whether they were drawn bold: what the reader of the chart sees above the curve.
    using DrawnLabel = DrawnAxisLabel;
    std::vector<DrawnLabel> drawnLabels() const;
    QRect plotArea() const;  // the area inside the axes, track coordinates

    // The text the click tip shows for the sample nearest to a click, and the last one shown.
    QString tipTextFor(int sampleIndex) const;
    QString lastTip() const { return lastTip_; }

    QMenu* popupMenu() const { return menu_; }
    QCustomPlot* plot() const { return plot_; }  // for printing, export and chart copies

  signals:
    void printRequested(int slot);
    void exportRequested(int slot);
    void minMaxRequested(int slot);
    void logarithmicRequested(int slot);
    void colourRequested(int slot);
    void zoomed(int slot);
    void zoomUndone(int slot);

  private:
    void setupAxes();
    void setupInteraction();
    void applyValueRange(double lo, double hi);
    // The label band above the plot holds one row of end labels, or two when they cannot
    // stand side by side at the smallest legible size.
    void makeRoomForLabels();
    void setAxisValueRange(const lithora::AxisRange& r);
    void showTipAt(const QPointF& pos, const QPoint& globalPos);
    void fitDepthAxis();
    void zoomToRect(const QRect& rect);
    void showPopup(const QPoint& pos);
    bool eventFilter(QObject* watched, QEvent* event) override;

    int slot_;
    QCustomPlot* plot_ = nullptr;
    DepthCurve* curve_ = nullptr;
    AxisEndLabels* decoration_ = nullptr;
    QSharedPointer<QCPAxisTickerText> ticker_;
    QMenu* menu_ = nullptr;
    QPointer<QAction> logAction_;
    QString lastTip_;
    QPointF pressPos_;
    lithora::AxisRange fixedValueRange_{0, 1};
    lithora::AxisRange fullDepthRange_{0, 1};
    // The linear range a logarithmic axis replaced, given back when it turns linear again.
    std::optional<std::pair<lithora::AxisRange, lithora::AxisRange>> linearRange_;
    struct Ranges {
        lithora::AxisRange value, depth;
    };
    std::vector<Ranges> history_;
};
