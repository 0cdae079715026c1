#pragma once
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QMargins>
#include <QPixmap>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/chart/axis_fit.h"
#include "gui/display/chart_interaction.h"
#include "gui/display/depth_curve.h"
#include "gui/display/value_axis.h"
#include "gui/widgets/chart_copy.h"

class QCustomPlot;
class QCPAxis;
class QCPAxisTickerText;
class QCPTextElement;
class QCPItemStraightLine;
class QAction;
class QLabel;
class QMenu;

class AxisEndLabels;

// The background picture of every track: the bitmap "Unknown" of the program's "Patterns"
// folder (the installed one when the program folder has none). Throws lithora::Error when
// it cannot be read, so building tracks fails as a whole.
QPixmap loadTrackBackground(const QString& programFolder);

// The rows a chart's parts take above and below its plotting area, in pixels. Charts of one
// page share them (see DepthChartRow), so a given depth stands on the same pixel row of each.
struct ChartBands {
    int title = 0;   // the title area at the top
    int top = 0;     // between the title area and the plotting area: top scales and labels
    int bottom = 0;  // below the plotting area: bottom scales, their labels and titles
};

// One depth chart: one to N curves against one depth axis growing downwards on the left,
// each curve on a value axis of its own, drawn as stairs (each value held until the next
// depth sample). Value axis 0 runs along the top edge under the title area, axis 1 along the
// bottom edge (its curve dotted), further axes stand outside those. Every value axis holds
// exactly two labels, at its two ends, placed by the label rule of depth charts; null
// samples (NaN) are gaps. The title of axis 0 is the chart's title, in the title area; the
// titles of the other axes stand beside their scales.
//
// From the top the chart is: title area, label band, plotting area, bottom scales. A chart
// alone sizes these bands itself; charts of one page take the page's (DepthChartRow), so the
// title area has one height for every chart of the page and end labels never reach a title.
//
// The curves are read from CurveSources at every drawing: a chart over a column of the work
// table holds no copy of it. A copy of the chart (copy(), fromCopy(), clone()) holds its own
// samples. The mouse (zoom rectangle, click tip, popup menu) is handled by ChartInteraction.
class DepthChart : public QFrame {
    Q_OBJECT
  public:
    // The first two value axes: along the top and along the bottom edge.
    enum Axis { Top = 0, Bottom = 1 };

    // How a chart looks and which commands its menu offers.
    struct Setup {
        int number = 0;      // reported by every command of the menu
        int axisCount = 1;   // value axes (and curves), at least 1
        QPixmap background;  // drawn behind the curves; white when null
        bool raised = true;  // the frame: raised (tracks) or sunken (combination tracks)
        // Titles shrink down to a legible size before they take a second line, and stand
        // over the plotting area; otherwise a title keeps its font and spans the chart.
        bool compactTitles = false;
        bool depthMinorGrid = false;  // dotted lines between the depth labels
        bool logarithmicItem = true;  // "Make Logarithmic" in the menu
        QString limitsCaption = QStringLiteral("Set Min,Max");
        std::optional<QFont> titleFont;  // the title's font (bold); the plot's when empty
    };

    explicit DepthChart(const Setup& setup, QWidget* parent = nullptr);
    // A one-curve track: title, curve colour and background.
    DepthChart(int number, const QString& title, const QColor& colour, const QPixmap& background,
               QWidget* parent = nullptr, const QFont* titleFont = nullptr);
    ~DepthChart() override;

    int number() const { return setup_.number; }
    int slot() const { return setup_.number; }
    int axisCount() const { return static_cast<int>(axes_.size()); }
    const Setup& setup() const { return setup_; }

    // The chart's title: that of value axis 0.
    QString title() const { return axisTitle(0); }
    QFont titleFont() const;
    // The colour of curve 0.
    QColor colour() const { return curveColour(0); }
    void setColour(const QColor& colour) { setCurveColour(0, colour); }
    void setSeriesName(const QString& name) { setCurveName(0, name); }
    QString seriesName() const { return curveName(0); }

    // The curve drawn against value axis `axis`: its name, colour and samples. setData keeps
    // a copy; setSource draws from the source itself. The depth axis follows the samples; the
    // value axes keep their ranges until rescale() or setValueRange().
    void setCurveName(int axis, const QString& name);
    QString curveName(int axis) const;
    void setCurveColour(int axis, const QColor& colour);
    QColor curveColour(int axis) const;
    void setSource(std::shared_ptr<const CurveSource> source, int axis = 0);
    void setData(std::vector<double> depths, std::vector<double> values, int axis = 0);
    CurveView samples(int axis = 0) const;
    int pointCount(int axis = 0) const;
    // True when the curve has at least one value to draw.
    bool hasValues(int axis = 0) const;
    bool hasPositiveValue(int axis = 0) const;

    // The axis title (bold, in its title colour) and the colour of the axis line. A title
    // wider than its room is broken at its spaces (after shrinking, with compactTitles).
    void setAxisTitle(int axis, const QString& title);
    QString axisTitle(int axis) const;
    void setAxisTitleColour(int axis, const QColor& colour);
    QColor axisTitleColour(int axis) const;
    void setAxisLineColour(int axis, const QColor& colour);
    QColor axisLineColour(int axis) const;

    // The value-axis fit: the range from rescaleLimits over the curve's values, with its two
    // end labels. An empty range (no points, or all values 0) is widened by one on each side.
    // On a logarithmic axis only the positive values count, and the range stays above 0.
    void rescale(int axis = 0);
    void rescaleAll();
    // A fixed value range with its two end labels (the "Set Min,Max" answer). lo < hi, else
    // nothing changes.
    void setValueRange(double lo, double hi, int axis = 0);
    // The value range the axis shows between its two end labels (the plot keeps a little
    // room outside it so a curve's extremes stay visible).
    lithora::AxisRange valueRange(int axis = 0) const;
    // Texts of the value-axis labels, in axis order.
    std::vector<QString> valueLabels(int axis = 0) const;

    // A logarithmic value axis keeps the range shown, but a lower end at or below 0 is
    // replaced by the fit of the positive values. False (nothing changed) when the curve has
    // no positive value to draw on such an axis. While it is on, a note in the chart counts
    // the samples at or below 0 that are not drawn.
    bool setLogarithmic(bool on, int axis = 0);
    bool isLogarithmic(int axis = 0) const;
    QString logarithmicNote() const;

    // The depth axis over the samples of every curve, which fill 1 % to 99 % of the height.
    void fitDepthAxis();
    // That range; none when the chart has no sample.
    std::optional<lithora::AxisRange> samplesDepthRange() const;
    // A depth range of the chart's own (charts side by side share one).
    void setDepthRange(double top, double bottom);
    lithora::AxisRange depthRange() const;
    // Shows a depth range without making it the chart's own (the window's depth navigation);
    // the chart's own range stays ownDepthRange(), to which undoZoom() returns.
    void showDepthRange(double top, double bottom);
    lithora::AxisRange ownDepthRange() const { return fullDepth_; }

    // The depth cursor: a line across the plotting area at a depth; none removes it. Moving
    // it draws the layer of the line again, never the curves.
    void setCursorDepth(std::optional<double> depth);
    std::optional<double> cursorDepth() const { return cursorDepth_; }
    // Depth labels and the depth title (blue, bold, along the axis); the title shows the
    // labels too.
    void setDepthTitle(const QString& title);
    QString depthTitle() const;
    void setDepthLabelsShown(bool shown);
    bool depthLabelsShown() const;

    // A line of text in place of the curves and their scale labels (the chart has nothing
    // to show yet); empty removes it, and the scales are fitted again by rescale().
    void setNotice(const QString& text);
    QString notice() const;

    // The bands this chart needs at its present size, and bands given to it by its page.
    // A chart given no bands lays itself out.
    ChartBands neededBands();
    void setBands(const ChartBands& bands);

    // Back to the full ranges after a rectangle zoom.
    void undoZoom();
    // Makes the ranges shown now (after a zoom) the chart's own: the value labels move to the
    // two ends of the shown value ranges. With remember, undoZoomStep() returns to the ranges
    // before.
    void keepShownRanges(bool remember);
    // Back to the ranges before the last kept zoom; false when there is none.
    bool undoZoomStep();
    int zoomDepth() const;

    // The chart as a chart copy (titles, colours, the ranges shown, the labels, the
    // logarithmic flag and the samples), and a new chart drawn from such a copy (number 0,
    // the copy's ranges, its own samples).
    ChartCopy copy() const;
    static DepthChart* fromCopy(const ChartCopy& copy, const QPixmap& background,
                                QWidget* parent = nullptr);
    // A copy in memory that keeps everything of this chart (setup, titles and their colours,
    // axis lines, fonts, ranges, depth title and labels) and its own copy of the samples.
    DepthChart* clone(QWidget* parent = nullptr) const;

    // Resizes the chart and lays it out at once, shown or not (for printing).
    void setChartSize(QSize size);
    // Room in pixels right of the plotting area.
    void setRightMargin(int pixels);

    // Pixel of a sample in chart coordinates.
    QPointF pixelOf(double value, double depth, int axis = 0) const;
    // The rectangles (chart coordinates) in which the end labels were last drawn.
    using DrawnLabel = DrawnAxisLabel;
    std::vector<DrawnLabel> drawnLabels(int axis = 0) const;
    // Where the titles were last drawn (chart coordinates): the title area's text and the
    // titles beside the other scales.
    std::vector<QRect> titleRects() const;
    QRect plotArea() const;  // the area inside the axes, chart coordinates

    // The text the click tip shows for a sample, and the last one shown.
    QString tipTextFor(int sampleIndex, int axis = 0) const;
    QString lastTip() const { return interaction_->lastTip(); }

    QMenu* popupMenu() const { return interaction_->menu(); }
    ChartInteraction* interaction() const { return interaction_; }
    QCustomPlot* plot() const { return plot_; }  // for printing, export and pictures

  signals:
    void printRequested(int number);
    void exportRequested(int number);
    void minMaxRequested(int number);
    void logarithmicRequested(int number);
    void colourRequested(int number);
    void zoomed(int number);
    void zoomUndone(int number);
    // The bands the chart needs may have changed (new labels, titles or size).
    void bandsChanged();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct ValueAxis {
        QCPAxis* axis = nullptr;
        DepthCurve* curve = nullptr;
        AxisEndLabels* labels = nullptr;
        QSharedPointer<QCPAxisTickerText> ticker;
        lithora::AxisRange fixed{0, 1};
        QString title;
        // The linear range a logarithmic axis replaced, given back when it turns linear.
        std::optional<std::pair<lithora::AxisRange, lithora::AxisRange>> linearRange;
    };

    void build();
    void setupDepthAxis();
    void setupValueAxis(int index);
    void setupMenu();
    void applyValueRange(int axis, double lo, double hi);
    void setAxisRange(int axis, const lithora::AxisRange& r);
    void makeRoomForLabels(int axis);
    void fitTitle(int axis);
    void fitTitles();
    void layOut();
    void placeNotes();
    void updateLogNote();
    ChartRanges ranges() const;
    void applyRanges(const ChartRanges& r, bool asOwn);
    void zoomToRect(const QRect& rect);
    QString tipAt(const QPointF& pos) const;

    Setup setup_;
    QCustomPlot* plot_ = nullptr;
    QCPTextElement* titleElement_ = nullptr;
    std::vector<ValueAxis> axes_;
    lithora::AxisRange fullDepth_{0, 1};
    double titlePoints_ = 8;  // compact titles' size when they fit
    std::optional<ChartBands> bands_;
    QLabel* notice_ = nullptr;
    QLabel* logNote_ = nullptr;
    QPointer<QAction> logAction_;
    ChartInteraction* interaction_ = nullptr;
    QCPItemStraightLine* cursorLine_ = nullptr;
    std::optional<double> cursorDepth_;
};
