#pragma once
#include <qcustomplot.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/chart/cross_plot.h"
#include "gui/widgets/shared_column.h"


// The points of a cross plot: point i is (x[i], y[i]), a circle of the plot's colour or,
// while the plot is coloured by a third curve, of the colour-scale step of that point.
// A point with a null coordinate is not drawn.
//
// Drawing visits every point once but draws at most one circle per pixel of the plot (the
// last point that falls there, see rasterisePoints), so a million points draw in a few
// milliseconds and a picture or printout of the plot looks the same as the screen.
class PointCloud : public QCPAbstractPlottable {
    Q_OBJECT
  public:
    static constexpr double kRadius = 2.5;  // pixels: a circle five pixels across

    PointCloud(QCPAxis* xAxis, QCPAxis* yAxis);

    void setPoints(SharedColumn x, SharedColumn y);
    std::span<const double> xs() const;
    std::span<const double> ys() const;
    std::size_t pointCount() const;

    void setColour(const QColor& colour);
    QColor colour() const { return colour_; }
    // One colour-scale step per point (-1: grey); an empty list draws in the plot's colour.
    void setColourSteps(std::vector<std::int8_t> steps);
    bool coloured() const { return !steps_.empty(); }
    // The colour the point is drawn in.
    QColor pointColour(std::size_t i) const;

    // Where the axes lie on the plot now, for the core's pixel rules.
    lithora::PlotFrame frame() const;

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange,
                         QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

  protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

  private:
    const QPixmap& stamp(int step, qreal ratio);

    SharedColumn x_, y_;
    QColor colour_ = Qt::red;
    std::vector<std::int8_t> steps_;
    // Circles drawn once per colour and pasted at each occupied pixel; index step + 1.
    std::vector<QPixmap> stamps_;
    qreal stampRatio_ = 0;
};
