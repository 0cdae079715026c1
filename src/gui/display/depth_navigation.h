#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "core/chart/track_layout.h"

class DepthChart;
class QDoubleSpinBox;
class QPushButton;

// The one depth navigation of a window of depth charts: the mouse wheel over any chart
// scrolls every chart of the window in depth, Ctrl+wheel zooms them about the depth under
// the mouse; a depth range can be shown (the depth-range box) and the whole well again.
// The range shown is never wider than the whole well, the depths of all the charts' own
// ranges together; a chart's own range is not changed, so its rectangle zoom and its zoom
// window work as before.
class DepthNavigation : public QObject {
    Q_OBJECT
  public:
    using DepthSpan = lithora::chart::DepthSpan;

    explicit DepthNavigation(QObject* parent = nullptr);

    void add(DepthChart* chart);
    void clear();

    // The range shown (that of the first chart) and the whole well; the whole well is {0, 1}
    // while there is no chart.
    DepthSpan shown() const;
    DepthSpan whole() const;
    // Shows a range on every chart (held inside the whole well; top below bottom).
    void show(DepthSpan span);
    void showWhole();

    // What one wheel turn does: `steps` notches (positive: away from the user), over the
    // depth `at` when zooming.
    void scroll(double steps);
    void zoom(double steps, double at);

  signals:
    // The range shown changed (by the navigation, a rectangle zoom or new samples).
    void shownChanged(double top, double bottom);

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    std::vector<DepthChart*> charts() const;

    std::vector<QPointer<DepthChart>> charts_;
};

// The depth-range box of a window: the top and bottom depth shown, and "Whole well". Typing
// a range and pressing Return (or leaving the box) shows it on every chart; a top below the
// bottom is taken the other way round, and an empty range is refused with a note.
class DepthRangeBar : public QWidget {
    Q_OBJECT
  public:
    // Horizontal: the captions beside their boxes in one row; vertical: one above the other,
    // for a narrow column.
    explicit DepthRangeBar(DepthNavigation& navigation, QWidget* parent = nullptr,
                           Qt::Orientation orientation = Qt::Horizontal);

    // Takes the whole well and the range shown from the navigation.
    void refresh();

  private:
    void showTyped();

    DepthNavigation& navigation_;
    QDoubleSpinBox* top_ = nullptr;
    QDoubleSpinBox* bottom_ = nullptr;
    QPushButton* whole_ = nullptr;
};
