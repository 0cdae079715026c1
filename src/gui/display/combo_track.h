#pragma once
#include <QColor>
#include <QFrame>
#include <QSharedPointer>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "core/chart/axis_fit.h"
#include "gui/display/depth_curve.h"
#include "gui/display/value_axis.h"
#include "gui/widgets/chart_copy.h"

class QCustomPlot;
class QCPAxis;
class QCPAxisTickerText;
class QLabel;
class QMenu;

// A combination track: two curves against one depth axis growing downwards, the first on a
// value axis along the top edge (solid line), the second on a value axis along the bottom
// edge (dotted line), so that two related quantities can be compared depth by depth. Each
// value axis has a title and exactly two labels, at the two ends of its range, placed by the
// label rule of depth charts. Null samples (NaN) are gaps.
//
// Dragging a rectangle down and to the right zooms into it (signal zoomed); dragging up and
// to the left undoes a zoom; a click on a curve shows the value and depth of the nearest
// sample; a right click opens the track's menu ("Print", "Export", "Set Min, Max",
// "Change Color"), whose items report the track's number.
//
// Curves are read from CurveSources at every drawing. The depth axis follows the samples
// (fitDepthAxis); the value axes keep their ranges until rescale() or setValueRange().
class ComboTrack : public QFrame {
    Q_OBJECT
  public:
    enum Axis { Top = 0, Bottom = 1 };

    ComboTrack(int number, const QPixmap& background, QWidget* parent = nullptr);
    ~ComboTrack() override;

    int number() const { return number_; }

    // The curve drawn against the axis: its name, colour and samples.
    void setCurveName(Axis axis, const QString& name);
    QString curveName(Axis axis) const;
    void setCurveColour(Axis axis, const QColor& colour);
    QColor curveColour(Axis axis) const;
    void setSource(Axis axis, std::shared_ptr<const CurveSource> source);
    void setData(Axis axis, std::vector<double> depths, std::vector<double> values);
    CurveView samples(Axis axis) const;
    // True when the curve has at least one value to draw.
    bool hasValues(Axis axis) const;

    // The axis title (bold, in titleColour) and the colour of the axis line. A title wider
    // than the track is broken at its spaces.
    void setAxisTitle(Axis axis, const QString& title);
    QString axisTitle(Axis axis) const;
    void setAxisTitleColour(Axis axis, const QColor& colour);
    QColor axisTitleColour(Axis axis) const;
    void setAxisLineColour(Axis axis, const QColor& colour);
    QColor axisLineColour(Axis axis) const;

    // The value-axis fit over the axis' curve (see rescaleLimits); an empty range is
    // widened by one on each side.
    void rescale(Axis axis);
    // A fixed value range with its two end labels. lo < hi, else nothing changes.
    void setValueRange(Axis axis, double lo, double hi);
    lithora::AxisRange valueRange(Axis axis) const;
    std::vector<QString> valueLabels(Axis axis) const;

    // The depth axis over the samples of both curves, which fill 1 % to 99 % of the height.
    void fitDepthAxis();
    // A depth range of the track's own (tracks side by side share one).
    void setDepthRange(double top, double bottom);
    lithora::AxisRange depthRange() const;
    // Depth labels and the depth title (blue, bold, along the axis); hidden when empty.
    void setDepthTitle(const QString& title);
    QString depthTitle() const;
    void setDepthLabelsShown(bool shown);
    bool depthLabelsShown() const;

    // Tracks side by side line their plotting areas up: the room above and below the
    // plotting area that this track's scales and titles need, and room given to it.
    QMargins neededMargins();
    void setVerticalMargins(int top, int bottom);

    // A line of text in place of the curves and their scale labels (the track has nothing
    // to show yet); empty removes it, and the scales are fitted again by rescale().
    void setNotice(const QString& text);
    QString notice() const;

    // Back to the full ranges after a rectangle zoom.
    void undoZoom();
    // Makes the ranges shown now the track's own, with labels at their ends; with remember,
    // undoZoomStep() returns to the ranges before.
    void keepShownRanges(bool remember);
    bool undoZoomStep();
    int zoomDepth() const { return static_cast<int>(history_.size()); }

    // The track as a chart copy (axis titles, colours, ranges, labels and both curves), and
    // a new track drawn from such a copy: number 0, the copy's ranges, its own samples.
    ChartCopy copy() const;
    static ComboTrack* fromCopy(const ChartCopy& copy, const QPixmap& background,
                                QWidget* parent = nullptr);
    void setChartSize(QSize size);
    void setRightMargin(int pixels);

    // Pixel of a sample (track coordinates), the labels as last drawn, the plotting area.
    QPointF pixelOf(Axis axis, double value, double depth) const;
    std::vector<DrawnAxisLabel> drawnLabels(Axis axis) const;
    QRect plotArea() const;
    QString tipTextFor(Axis axis, int sampleIndex) const;
    QString lastTip() const { return lastTip_; }

    QMenu* popupMenu() const { return menu_; }
    QCustomPlot* plot() const { return plot_; }

  signals:
    void printRequested(int number);
    void exportRequested(int number);
    void minMaxRequested(int number);
    void colourRequested(int number);
    void zoomed(int number);
    void zoomUndone(int number);

  private:
    QCPAxis* axisOf(Axis axis) const;
    void applyValueRange(Axis axis, double lo, double hi);
    void makeRoomForLabels(Axis axis);
    void fitTitle(Axis axis);
    void zoomToRect(const QRect& rect);
    void showTipAt(const QPointF& pos, const QPoint& globalPos);
    void placeNotice();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    int number_;
    QCustomPlot* plot_ = nullptr;
    std::array<DepthCurve*, 2> curves_{};
    std::array<AxisEndLabels*, 2> labels_{};
    std::array<QSharedPointer<QCPAxisTickerText>, 2> tickers_;
    std::array<lithora::AxisRange, 2> fixed_{};
    std::array<QString, 2> titles_;
    double titlePoints_ = 8;  // the titles' size when they fit
    lithora::AxisRange fullDepth_{0, 1};
    QLabel* notice_ = nullptr;
    QMenu* menu_ = nullptr;
    QString lastTip_;
    QPointF pressPos_;
    struct Ranges {
        std::array<lithora::AxisRange, 2> value;
        lithora::AxisRange depth;
    };
    std::vector<Ranges> history_;
};
