#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

class QCustomPlot;

// A chart as a value: what a copy of a chart needs to draw the same picture in a new chart.
// Print previews, zoom windows and picture exports work on such copies, never on the chart
// the user sees, so nothing they do changes the original.
//
// The copy travels through a chart file (by default "tempchart.tee" in the program folder):
// a binary QDataStream that starts with a magic number and a format version, so a file of
// another kind, of a later version, or cut short is refused with a message.
struct ChartAxisCopy {
    bool visible = false;
    QString label;
    double lower = 0;  // the range the axis shows
    double upper = 1;
    bool reversed = false;
    bool logarithmic = false;
    // Custom labels (position, text); empty: the axis labels itself.
    QVector<double> labelPositions;
    QStringList labelTexts;
};

struct ChartSeriesCopy {
    QString name;
    QColor colour;
    double penWidth = 1;
    int keyAxis = 0;       // index into ChartCopy::axes
    int valueAxis = 1;     // index into ChartCopy::axes
    bool steps = false;    // each value held until the next key
    QVector<double> keys;  // sorted or not; a NaN value is a gap
    QVector<double> values;
};

struct ChartCopy {
    enum Axis { Left = 0, Top = 1, Right = 2, Bottom = 3 };
    QString title;
    QFont titleFont;
    std::array<ChartAxisCopy, 4> axes;
    QVector<ChartSeriesCopy> series;
};

// The chart copy pair. Both return an empty text on success, else the message to show; a
// failed save leaves an older file in place, a failed load leaves `into` unchanged.
QString saveChartCopy(const ChartCopy& chart, const QString& path);
QString loadChartCopy(const QString& path, ChartCopy& into);

// The file name chart copies use in the program folder.
inline constexpr const char* kChartCopyFileName = "tempchart.tee";

// A copy of a plot whose series are QCPGraphs (other plottables are left out), and a plot
// built from a copy: its graphs, axis ranges, labels, title and colours replaced.
ChartCopy copyOfPlot(QCustomPlot& plot);
void showCopyInPlot(const ChartCopy& chart, QCustomPlot& plot);
