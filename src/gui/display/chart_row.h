#pragma once
#include <QObject>
#include <QPointer>
#include <vector>

#include "gui/display/depth_chart.h"

class DepthCursor;
class DepthNavigation;

// The depth charts of one page, side by side: they share one title-area height, one label
// band above and one band below their plotting areas, so a given depth stands on the same
// pixel row of every chart and no chart's end labels reach into a title. The row lines its
// charts up when asked (align()) and again whenever a chart's needs change (new labels, a
// longer title, a new size), once the event loop runs.
//
// The charts of a row are one window's depth charts: they share its depth cursor (a line at
// the mouse's depth on every chart, with a read-out of every curve there) and its depth
// navigation (wheel, Ctrl+wheel, a depth range). A window gets both by putting its charts
// in a row.
class DepthChartRow : public QObject {
    Q_OBJECT
  public:
    explicit DepthChartRow(QObject* parent = nullptr);

    void add(DepthChart* chart);
    void clear();
    std::vector<DepthChart*> charts() const;

    // Charts of logs with depths of their own (the time-lapse window) share one depth range:
    // that over the samples of them all.
    void setSharedDepth(bool shared) { sharedDepth_ = shared; }

    // Measures every chart at its present size and gives each the largest bands (and, with
    // a shared depth, the depth range over all their samples).
    void align();
    ChartBands bands() const { return bands_; }

    DepthCursor* cursor() const { return cursor_; }
    DepthNavigation* navigation() const { return navigation_; }

  signals:
    // The charts stand where align() put them.
    void aligned();

  private:
    void alignLater();

    std::vector<QPointer<DepthChart>> charts_;
    DepthCursor* cursor_ = nullptr;
    DepthNavigation* navigation_ = nullptr;
    ChartBands bands_;
    bool sharedDepth_ = false;
    bool aligning_ = false;
    bool pending_ = false;
};
