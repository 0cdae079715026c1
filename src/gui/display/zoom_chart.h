#pragma once
#include <QDialog>
#include <QPixmap>
#include <QString>
#include <functional>

#include "core/chart/axis_fit.h"
#include "gui/widgets/chart_copy.h"

class ComboTrack;
class DepthTrack;
class QCustomPlot;
class DialogSeam;
class QAction;

// The zoom window: a copy of the zoomed part of a track, loaded from a chart file, in a
// small window of its own that stays on top. A copy with two curves (a combination track)
// shows as a combination track, with both value axes. The user zooms further (drag down and right),
// undoes (drag up and left, or "Undo zoom" in its menu), prints it through the print
// preview or saves it as a bitmap. The value labels always stand at the two ends of the
// value range shown. Several zoom windows live side by side, each with its own ranges; the
// window is freed when it closes.
class TZoomChart : public QDialog {
    Q_OBJECT
  public:
    // seam: how modal questions are asked (the caller's, which may change while the window
    // lives). depthTitle: the title of the depth axis.
    TZoomChart(QString chartFile, QPixmap background, QString depthTitle,
               std::function<DialogSeam&()> seam, QWidget* parent = nullptr);

    // Loads the chart file and prepares the chart. Returns an empty text, or the message
    // when the file cannot be read (the window then has no chart and is not to be shown).
    QString FormShow();

    // The chart: a one-curve track, or a combination track for a copy of two curves.
    DepthTrack* chart() const { return track_; }
    ComboTrack* comboChart() const { return combo_; }
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
    void keepShownRanges(bool remember);
    bool undoZoomStep();
    int zoomDepth() const;

    QString chartFile_;
    QPixmap background_;
    QString depthTitle_;
    std::function<DialogSeam&()> seam_;
    DepthTrack* track_ = nullptr;
    ComboTrack* combo_ = nullptr;
    QAction* undoZoom_ = nullptr;
    lithora::AxisRange ZoomTopRange_;
    lithora::AxisRange ZoomBottomRange_;
};
