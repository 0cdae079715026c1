#pragma once
#include <QDialog>
#include <QString>
#include <array>
#include <vector>

#include "gui/widgets/command_context.h"

class QCustomPlot;
class TrackSheet;
class DepthTrack;
class QComboBox;
class QListWidget;
class QPushButton;

// "Print" of the time-lapse window: copies of its three charts on a sheet of paper, where the
// user ticks which go on the page, drags them into place, and prints the page or saves it as
// a bitmap.
//
// Each copy is made through a chart file in the program folder ("tempchart1.tee" for the
// first log, "tempchart2.tee" for the second, "tempchart3.tee" for the difference), which
// lives as long as the window. A chart that holds no curve has no copy: its entry in the list
// cannot be ticked.
class TLapsePrint : public QDialog {
    Q_OBJECT
  public:
    // charts: first log, second log, difference; a null or empty chart gets no copy.
    TLapsePrint(CommandContext context, const std::array<DepthTrack*, 3>& charts,
                QWidget* parent = nullptr);
    ~TLapsePrint() override;

    // The copy of chart n (1 first, 2 second, 3 difference); null when it has none.
    DepthTrack* copy(int n) const;
    QString chartFile(int n) const;
    TrackSheet* page() const { return TeePreviewPanel1_; }
    // The preview's list of charts in drawing order: the difference first, the first log
    // last, so the first log lies on top where copies overlap.
    std::vector<QCustomPlot*> previewList() const;
    QListWidget* checkList() const { return CheckListBox1_; }

  public slots:
    void CheckListBox1ClickCheck();
    void sButton3Click();  // "Save"
    void sButton1Click();  // "Print"
    void sButton2Click();  // "Close"
    void done(int result) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;  // FormCanResize

  private:
    void FormClose();
    void updateButtons();

    CommandContext ctx_;
    QString folder_;
    std::array<DepthTrack*, 3> copies_{};
    QComboBox* ComboBox1_ = nullptr;
    QListWidget* CheckListBox1_ = nullptr;
    TrackSheet* TeePreviewPanel1_ = nullptr;
    QPushButton* sButton3_ = nullptr;
    QPushButton* sButton1_ = nullptr;
    QPushButton* sButton2_ = nullptr;
};
