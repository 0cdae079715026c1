#pragma once
#include <QDialog>
#include <QString>
#include <array>
#include <vector>

#include "gui/widgets/command_context.h"

class QCustomPlot;
class TrackSheet;
class DepthChart;
class QComboBox;
class QListWidget;
class QPushButton;

// "Print" of the time-lapse window: copies of its three charts on a sheet of paper, where the
// user ticks which go on the page, drags them into place, and prints the page or saves it as
// a bitmap.
//
// The copies are made in memory and live as long as the window; on the sheet they start side
// by side (first log, second log, difference). A chart that holds no curve has no copy: its
// entry in the list cannot be ticked.
class TLapsePrint : public QDialog {
    Q_OBJECT
  public:
    // charts: first log, second log, difference; a null or empty chart gets no copy.
    TLapsePrint(CommandContext context, const std::array<DepthChart*, 3>& charts,
                QWidget* parent = nullptr);
    ~TLapsePrint() override;

    // The copy of chart n (1 first, 2 second, 3 difference); null when it has none.
    DepthChart* copy(int n) const;
    TrackSheet* page() const { return sheet_; }
    // The preview's list of charts in drawing order: the difference first, the first log
    // last, so the first log lies on top where copies overlap.
    std::vector<QCustomPlot*> previewList() const;
    QListWidget* checkList() const { return chartList_; }

  public slots:
    void chartTicked();
    void saveSheetBitmap();  // "Save"
    void printSheet();       // "Print"
    void closeWindow();      // "Close"
    void done(int result) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;  // FormCanResize

  private:
    void FormClose();
    // The page's header: each log's curve and file, the depths, the date.
    QString lapseHeader() const;
    void updateButtons();

    CommandContext ctx_;
    QString folder_;
    std::array<DepthChart*, 3> copies_{};
    QComboBox* orientationBox_ = nullptr;
    QListWidget* chartList_ = nullptr;
    TrackSheet* sheet_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
