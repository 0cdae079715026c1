#pragma once
#include <QFrame>
#include <QString>

#include "core/chart/axis_fit.h"

class QCustomPlot;

// A depth scale without curves: a title over a depth axis growing downwards, with depth
// labels, minor ticks and the depth title (blue, bold) along it. It stands beside a picture
// drawn by other means (the litholog column) and lines its axis up with that picture's rows.
class DepthScale : public QFrame {
    Q_OBJECT
  public:
    // titleIndent: room left of the scale that the title is not centred over.
    DepthScale(const QString& title, int titleIndent, QWidget* parent = nullptr);

    void setDepthTitle(const QString& title);
    QString depthTitle() const;
    void setDepthRange(double top, double bottom);
    lithora::AxisRange depthRange() const;

    // Places the axis so that its top stands on parent row `top` and it spans `rows` rows
    // (parent coordinates), whatever the size of its labels and title.
    void lineUpWith(int top, int rows);
    // The parent row of a depth.
    double rowOf(double depth) const;

    QCustomPlot* plot() const { return plot_; }  // for pictures of the scale

  private:
    QCustomPlot* plot_ = nullptr;
};
