#pragma once
#include <QDialog>
#include <QPixmap>
#include <QString>
#include <functional>

#include "core/chart/axis_fit.h"

class DepthTrack;
class DialogSeam;
class QAction;

// The zoom window: a copy of the zoomed part of a track, loaded from a chart file, in a
// small window of its own that stays on top. The user zooms further (drag down and right),
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

    DepthTrack* chart() const { return DBChart1_; }
    lithora::AxisRange zoomTopRange() const { return ZoomTopRange_; }
    QAction* undoZoomAction() const { return undoZoom_; }

  public slots:
    void DBChart1Zoom();
    void DBChart1UndoZoom();
    void sButton1Click();  // Print
    bool sButton3Click();  // Save
    void ChartPreviewer1AfterDraw();

  private:
    void rememberRanges();

    QString chartFile_;
    QPixmap background_;
    QString depthTitle_;
    std::function<DialogSeam&()> seam_;
    DepthTrack* DBChart1_ = nullptr;
    QAction* undoZoom_ = nullptr;
    lithora::AxisRange ZoomTopRange_;
};
