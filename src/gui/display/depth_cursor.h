#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <optional>
#include <vector>

class DepthChart;
class QLabel;
class QWidget;

// The depth cursor of one window of depth charts: moving the mouse over any of its charts
// draws a line at that depth across every chart, and a read-out beside the mouse shows the
// depth and the value of every curve there (the nearest sample; a null sample shows no
// value). A click asks the window to show the record of that depth (depthPicked). The
// charts' curves are not drawn again on a move: each chart draws only its cursor layer.
class DepthCursor : public QObject {
    Q_OBJECT
  public:
    // One line of the read-out: a curve's name and its value at the cursor (empty for null).
    struct Reading {
        QString name;
        QString value;
    };

    explicit DepthCursor(QObject* parent = nullptr);
    ~DepthCursor() override;

    void add(DepthChart* chart);
    void clear();

    // The cursor at a depth on every chart, with the read-out beside the mouse at `at`
    // (screen coordinates); none hides the line and the read-out.
    void setDepth(std::optional<double> depth, QPoint at = {});
    std::optional<double> depth() const { return depth_; }

    // What the read-out shows: the depth first, then every curve of every chart shown, from
    // left to right.
    std::vector<Reading> readings() const;
    QLabel* readout() const { return readout_; }

  signals:
    // The cursor moved to a depth, or went (none): what stands beside the charts follows.
    void moved(std::optional<double> depth);
    // A click on a chart: the depth of the nearest sample there.
    void depthPicked(double depth);

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showReadout(QPoint at);
    std::optional<double> nearestSampleDepth(const DepthChart& chart, double depth) const;

    std::vector<QPointer<DepthChart>> charts_;
    QPointer<QLabel> readout_;
    std::optional<double> depth_;
    QPoint pressedAt_;
};
