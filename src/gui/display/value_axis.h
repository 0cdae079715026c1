#pragma once
#include <qcustomplot.h>

#include <QRectF>
#include <QString>
#include <vector>

#include "core/chart/axis_fit.h"

// The value axes of the depth charts (tracks, combination tracks, their copies): the axis
// spans the middle of the plotting area, its two ends a fixed fraction of the width inside,
// so that a curve's extremes are not hidden under the back wall; its only labels stand at
// those two ends and are drawn by the label rule below.

// Placement of a value-axis label by the label rule of depth charts: the label at the axis
// minimum is drawn left-aligned and bold, the one at the maximum right-aligned and bold, so
// both stay inside the chart; any other label is drawn centred and plain.
enum class EndLabelPlacement { Left, Right, Centred };
EndLabelPlacement topAxisLabelPlacement(double labelX, double minPixel, double maxPixel);

// A value label as the reader sees it: its text, where it was drawn and how.
struct DrawnAxisLabel {
    QString text;
    QRectF rect;
    bool bold = false;
    EndLabelPlacement placement = EndLabelPlacement::Centred;
};

namespace valueaxis {

// The fraction of the plotting area's width between each end of the value range and the
// wall.
inline constexpr double kInset = 0.04;
// The smallest size, in points, end labels shrink to before they take two rows.
inline constexpr double kSmallestLabelPoints = 7.0;

// The plot's range for a value range lo .. hi (widened by the inset), and back. On a
// logarithmic axis the inset is taken in decades.
QCPRange outerRange(double lo, double hi, bool log);
lithora::AxisRange innerRange(const QCPRange& r, bool log);
bool isLogarithmic(const QCPAxis* axis);

// The text of a value label: "#,##0.###" with the regional separators.
QString labelText(double v);

// The text in lines no wider than `room` pixels in the font, broken at spaces; a word longer
// than a line stays whole.
QString wrappedText(const QString& text, const QFont& font, int room);

// What the click tip shows for a sample: "X: <value>  Y: <depth>" in number text; empty when
// either is no number.
QString sampleTipText(double value, double depth);

// QCustomPlot keeps an axis' margin until its tick labels change; an axis whose labels are
// drawn by the label rule has none, so a margin taken while the axis had no tick in range
// would be kept after ticks (and their outward marks) appear. Called after every change of
// the ticks or the range, it has the margin measured again.
void forgetMargin(QCPAxis* axis);

// The room in pixels beside the axis that its end labels need: one row, or two when the
// labels cannot stand side by side at the smallest legible size within areaWidth pixels.
int labelBandHeight(const QCPAxis* axis, QCPAxisTickerText& ticker, int areaWidth);

}  // namespace valueaxis

// Draws what QCustomPlot cannot: the value-axis labels placed by the label rule (the axis'
// own tick labels are switched off), above a top axis or below a bottom axis, and, when
// asked, the back wall around the plotting area. Long end labels in a narrow chart shrink
// down to a legible size, then stand on two rows (the right one further from the axis).
class AxisEndLabels : public QCPLayerable {
  public:
    AxisEndLabels(QCustomPlot* plot, QCPAxis* valueAxis, bool drawWall);

    const std::vector<DrawnAxisLabel>& drawn() const { return drawn_; }

  protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;

  private:
    QCPAxis* axis_;
    bool wall_;
    std::vector<DrawnAxisLabel> drawn_;
};
