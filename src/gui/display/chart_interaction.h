#pragma once
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

#include "core/chart/axis_fit.h"

class QAction;
class QCustomPlot;
class QMenu;
class QWidget;

// The ranges a depth chart calls its own: one per value axis, and the depth range.
struct ChartRanges {
    std::vector<lithora::AxisRange> value;
    lithora::AxisRange depth;
};

// What the mouse does on a depth chart, the same for every chart: dragging a rectangle down
// and to the right zooms into it (zoomed); dragging up and to the left goes back one kept
// zoom, or to the chart's own ranges (zoomUndone); a click on a curve shows the sample under
// the mouse in a tip; the right button opens the chart's command menu and never starts a
// rectangle. The zoom history holds the ranges before each kept zoom.
class ChartInteraction : public QObject {
    Q_OBJECT
  public:
    // What the interaction asks of its chart.
    struct Hooks {
        std::function<ChartRanges()> ownRanges;                 // the chart's own ranges
        std::function<void(const ChartRanges&)> restoreRanges;  // made the chart's own again
        std::function<void()> showOwnRanges;                    // back to them after a zoom
        std::function<void(const QRect&)> zoomTo;               // plot pixels, normalised
        std::function<QString(const QPointF&)> tipAt;           // empty: nothing there
    };

    ChartInteraction(QCustomPlot* plot, Hooks hooks, QWidget* menuParent);

    QMenu* menu() const { return menu_; }
    // A menu item that runs `run`; its data is the chart's number.
    QAction* addCommand(const QString& text, int number, std::function<void()> run);

    // The zoom history: remember() before a zoom is kept, undoStep() goes back to the ranges
    // before the last one (false when there is none).
    void remember(const ChartRanges& ranges) { history_.push_back(ranges); }
    bool undoStep();
    void forget() { history_.clear(); }
    int depth() const { return static_cast<int>(history_.size()); }

    QString lastTip() const { return lastTip_; }

  signals:
    void zoomed();
    void zoomUndone();

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void rectangleDone(const QRect& rect);

    QCustomPlot* plot_;
    Hooks hooks_;
    QMenu* menu_ = nullptr;
    QPointF pressPos_;
    QString lastTip_;
    std::vector<ChartRanges> history_;
};
