#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class DialogSeam;
class QWidget;
class TrackPanel;
class TZoomChart;
class DepthChart;

// The commands of a depth chart's popup menu ("Print", "Export", "Set Min,Max", "Make
// Logarithmic", "Change Color") and its zoom gesture, for every chart: the tracks of the
// Graph page (found by slot in the panel) and any chart served with serve(). A chart of one
// curve is asked its limits and colour with the one-axis dialogs, a chart of two curves with
// the two-axis ones. Print and zoom work on a copy of the chart made in memory
// (DepthChart::clone), so nothing done to the copy changes the chart.
class TrackCommands : public QObject {
    Q_OBJECT
  public:
    struct Context {
        TrackPanel* panel = nullptr;          // may be null: only served charts then
        QWidget* window = nullptr;            // owns the dialogs and the zoom windows
        std::function<DialogSeam&()> seam;    // asks every modal question
        QString programFolder;                // where the background picture is found
        std::function<QString()> depthTitle;  // the depth axis title of printed copies
        std::function<void()> restoreFolder;  // makes the program folder current again
    };

    // How a served chart of two curves is named in its dialogs and printed.
    struct Served {
        // Captions of the two axes in "Set Min, Max" and "Change Color" (empty: the titles).
        std::array<QString, 2> limitsCaptions;
        std::array<QString, 2> colourCaptions;
        // A printed copy fits its scales around the ranges shown, rather than to its data.
        bool printFitsShownRanges = false;
    };

    explicit TrackCommands(Context context, QObject* parent = nullptr);

    // Runs the menu commands and zoom gesture of a chart outside the panel.
    void serve(DepthChart* chart, Served served);

    // The zoom windows open now, oldest first.
    std::vector<TZoomChart*> zoomWindows() const;

    void print(DepthChart& chart);
    void exportChart(DepthChart& chart);
    void setLimits(DepthChart& chart);
    void toggleLogarithmic(DepthChart& chart);
    void changeColour(DepthChart& chart);
    // The chart's zoomed part opens in a zoom window; the chart goes back to its full ranges.
    void zoom(DepthChart& chart);

  public slots:
    // The commands of the panel's tracks, by slot.
    void PopPrint(int slot);
    void PopExport(int slot);
    void PopMinMax(int slot);
    void PopLogarithmic(int slot);
    void PopColor(int slot);
    void Zooming(int slot);

  signals:
    // The copy that "Print" previews, ready to be shown (for tests and for pictures of the
    // preview).
    void printCopyReady(DepthChart* copy);

  private:
    DepthChart* trackAt(int slot) const;
    Served servedAs(const DepthChart& chart) const;
    void warn(const QString& title, const QString& text);

    Context c_;
    std::vector<std::pair<QPointer<DepthChart>, Served>> served_;
    std::vector<QPointer<TZoomChart>> zoomWindows_;
};
