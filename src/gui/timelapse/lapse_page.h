#pragma once
#include <QDialog>
#include <QPixmap>
#include <array>
#include <optional>

#include "core/timelapse/lapse.h"
#include "gui/widgets/command_context.h"

class DepthChart;
class DepthChartRow;
class DepthRangeBar;
class QFrame;
class QPushButton;

// The value axis of a time-lapse chart: from the smallest value rounded down to a whole
// number to the largest rounded up, labelled at both ends. A curve without a value keeps an
// unlabelled axis; a constant one gets one unit on each side.
void fitLapseRange(DepthChart& track);
// The picture behind the time-lapse charts: the tracks' background, or white when the
// program folder has none.
QPixmap lapseBackground(const QString& programFolder);

// "Time Laps": one curve of a well logged at two times, side by side with its difference.
// The first and second chart each show a curve read from a LAS file of the user's choice;
// "Calculate" shows second - first per depth of the second log in the third chart (the
// first log interpolated where the samplings differ, a null sample a gap).
//
// A chart holds at most one curve: "Open" again replaces it, "Clear" removes it. A
// difference belongs to the two curves it was computed from and goes when either of them is
// replaced or cleared. The window reads the files itself and leaves the workspace alone.
class TTLapse : public QDialog {
    Q_OBJECT
  public:
    explicit TTLapse(CommandContext context, QWidget* parent = nullptr);
    ~TTLapse() override;

    // The charts: 1 first log, 2 second log, 3 difference. A chart without a curve holds an
    // empty track.
    DepthChart* chart(int n) const;
    QFrame* chartFrame(int n) const;
    bool hasCurve(int n) const;
    const std::optional<lithora::timelapse::LapseDifference>& difference() const { return diff_; }

  public slots:
    void openFirstLog();         // "Open" of the first chart
    void openSecondLog();        // "Open" of the second chart
    void calculateDifference();  // "Calculate"
    void clearFirstLog();        // "Clear" of the first chart
    void clearSecondLog();       // "Clear" of the second chart
    void clearAllLogs();         // "Clear All"
    void printComparison();      // "Print"

  protected:
    void resizeEvent(QResizeEvent* event) override;  // FormCanResize

  private:
    void readLog(int n);
    void showLog(int n, lithora::timelapse::LapseLog log);
    void clearChart(int n);
    void dropDifference();
    DepthChart* makeTrack(int n, const QString& title, const QColor& colour);
    void updateButtons();
    void layoutControls();

    CommandContext ctx_;
    QPixmap background_;
    std::array<QFrame*, 3> frames_{};
    std::array<DepthChart*, 3> tracks_{};
    // The three charts on one depth scale, their depth axes on the same pixel rows.
    DepthChartRow* row_ = nullptr;
    std::optional<lithora::timelapse::LapseLog> first_, second_;
    // The file each log was read from, named under its curve so the two charts can be told
    // apart ([1] and [2]; empty for a log given otherwise).
    QString fileNames_[3];
    std::optional<lithora::timelapse::LapseDifference> diff_;
    bool secondOpenAllowed_ = false;
    int traceNumber_ = 0;

    QPushButton* openFirstButton_ = nullptr;
    QPushButton* clearFirstButton_ = nullptr;
    QPushButton* openSecondButton_ = nullptr;
    QPushButton* clearSecondButton_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    QPushButton* clearAllButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    DepthRangeBar* rangeBar_ = nullptr;  // the depth range the three charts show
};
