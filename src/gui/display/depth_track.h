#pragma once
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPixmap>
#include <QSharedPointer>
#include <QString>
#include <vector>

#include "core/chart/axis_fit.h"

class QCustomPlot;
class QCPGraph;
class QCPAxis;
class QCPAxisTickerText;
class QMenu;
class QAction;

class TrackDecoration;

// The background picture of every track: the bitmap "Unknown" of the program's "Patterns"
// folder. Throws lithora::Error when it cannot be read, so building tracks fails as a whole.
QPixmap loadTrackBackground(const QString& programFolder);

// Placement of a value-axis label by the label rule of depth charts: the label at the axis
// minimum is drawn left-aligned and bold, the one at the maximum right-aligned and bold, so
// both stay inside the chart; any other label is drawn centred and plain.
enum class EndLabelPlacement { Left, Right, Centred };
EndLabelPlacement topAxisLabelPlacement(double labelX, double minPixel, double maxPixel);

// One depth track: a chart of one curve with its value along the top axis and depth growing
// downwards on the left axis, drawn as stairs (each value held until the next depth sample).
// Windows use the verbs below and never reach into the plot's axes.
//
// The value axis holds exactly two labels, at its two ends. Null samples (NaN) are gaps.
// Dragging a rectangle zooms into it (signal zoomed); a click on the curve shows the value
// and depth of the nearest sample; a right click opens the track's own command menu, whose
// items report the track's slot number.
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

    // Replaces the series. depths[i] and values[i] form one sample; a sample without depth
    // is left out, a NaN value is a gap. The depth axis follows the data; the value axis
    // keeps its range until rescale() or setValueRange().
    void setData(const std::vector<double>& depths, const std::vector<double>& values);
    int pointCount() const;

    // The value-axis fit: the range from rescaleLimits over the series' values, with its two
    // end labels. An empty range (no points, or all values 0) is widened by one on each side.
    void rescale();
    // A fixed value range with its two end labels (the "Set Min,Max" answer). lo < hi.
    void setValueRange(double lo, double hi);
    // The value range the axis shows between its two end labels (the plot keeps a little
    // room outside it so a curve's extremes stay visible).
    lithora::AxisRange valueRange() const;
    lithora::AxisRange depthRange() const;
    // Texts of the value-axis labels, in axis order.
    std::vector<QString> valueLabels() const;

    void setLogarithmic(bool on);
    bool isLogarithmic() const;

    // Back to the full ranges after a rectangle zoom.
    void undoZoom();

    // Pixel of a sample in the coordinates of this track widget.
    QPointF pixelOf(double value, double depth) const;
    // The rectangles (track coordinates) in which the two end labels were last drawn, and
    // whether they were drawn bold: what the reader of the chart sees above the curve.
    struct DrawnLabel {
        QString text;
        QRectF rect;
        bool bold = false;
        EndLabelPlacement placement = EndLabelPlacement::Centred;
    };
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

  private:
    void setupAxes();
    void setupInteraction();
    void applyValueRange(double lo, double hi);
    void setAxisValueRange(const lithora::AxisRange& r);
    void showTipAt(const QPointF& pos, const QPoint& globalPos);
    void fitDepthAxis();
    void showPopup(const QPoint& pos);
    bool eventFilter(QObject* watched, QEvent* event) override;

    int slot_;
    QCustomPlot* plot_ = nullptr;
    QCPGraph* graph_ = nullptr;
    TrackDecoration* decoration_ = nullptr;
    QSharedPointer<QCPAxisTickerText> ticker_;
    QMenu* menu_ = nullptr;
    QAction* logAction_ = nullptr;
    QString lastTip_;
    QPointF pressPos_;
    lithora::AxisRange fixedValueRange_{0, 1};
    lithora::AxisRange fullDepthRange_{0, 1};
};
