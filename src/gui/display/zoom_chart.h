#pragma once
#include <QDialog>
#include <QString>
#include <functional>

#include "core/chart/axis_fit.h"

class DepthChart;
class QCustomPlot;
class DialogSeam;
class QAction;

// The zoom window: a copy of the zoomed part of a chart (one curve or two), in a small window
// of its own that stays on top. The user zooms further (drag down and right), undoes (drag up
// and left, or "Undo zoom" in its menu), prints it through the print preview or saves it as a
// bitmap. The value labels always stand at the two ends of the value range shown. Several
// zoom windows live side by side, each with its own ranges; the window is freed when it
// closes.
class TZoomChart : public QDialog {
    Q_OBJECT
  public:
    // chart: the copy to show, which the window takes over. depthTitle: the title of the
    // depth axis. seam: how modal questions are asked (the caller's, which may change while
    // the window lives).
    TZoomChart(DepthChart* chart, QString depthTitle, std::function<DialogSeam&()> seam,
               QWidget* parent = nullptr);

    DepthChart* chart() const { return chart_; }
    QCustomPlot* plot() const;
    lithora::AxisRange zoomTopRange() const { return ZoomTopRange_; }
    lithora::AxisRange zoomBottomRange() const { return ZoomBottomRange_; }
    QAction* undoZoomAction() const { return undoZoom_; }

  public slots:
    void trackZoomed();
    void trackZoomUndone();
    void printChart();  // Print
    bool saveChart();   // Save
    void ChartPreviewer1AfterDraw();

  private:
    void rememberRanges();

    std::function<DialogSeam&()> seam_;
    DepthChart* chart_ = nullptr;
    QAction* undoZoom_ = nullptr;
    lithora::AxisRange ZoomTopRange_;
    lithora::AxisRange ZoomBottomRange_;
};
