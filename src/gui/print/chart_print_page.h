#pragma once
#include <QDialog>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class DepthChart;
class DialogSeam;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TrackPanel;
class TrackSheet;

// The track print preview: the user ticks tracks of the Graph page in the "Tracks List" and
// sees copies of them on one sheet of paper, which can be turned, printed or saved as a
// bitmap. The window works on copies of the tracks made in memory; closing it frees them.
//
// Entry e of the list (from 0) stands for the copy of track slot e + 1: the source tracks
// under their curves' display labels, then, when the elastic table holds records, every
// elastic track under its own title.
class TChartPrintP : public QDialog {
    Q_OBJECT
  public:
    struct Tracks {
        TrackPanel* panel = nullptr;
        QStringList sourceLabels;  // display label of each source track's field, in slot order
        bool elasticHasRecords = false;
        QString depthTitle;  // the depth axis title every copy shows
        QString folder;      // the program folder, which holds the tracks' background
    };

    TChartPrintP(Tracks tracks, DialogSeam& seam, std::function<void()> restoreFolder,
                 QWidget* parent = nullptr);
    ~TChartPrintP() override;

    QComboBox* styleBox() const { return orientationBox_; }
    QListWidget* tracksList() const { return tracksList_; }
    TrackSheet* sheet() const { return sheet_; }
    // The copy of a track slot (1-based); null when it has none.
    DepthChart* printCopy(int slot) const;

    // Prints the sheet to a printer that is ready (for the "Print" button and for tests):
    // one page with every ticked copy at its place. Returns an empty text or the message.
    QString printSheet(class QPrinter& printer);
    // The sheet as shown, at the screen's resolution, white with its charts.
    QImage sheetImage() const;

  public slots:
    void orientationChanged(int index);
    void trackTicked(QListWidgetItem* item);
    void printChosenTracks();  // Print
    void saveSheetBitmap();    // Save
    void done(int result) override;

  private:
    void FormCreate();
    void addCopy(int slot, const QString& label, const QPixmap& background);
    void FormClose();

    Tracks tracks_;
    DialogSeam& seam_;
    std::function<void()> restoreFolder_;
    std::vector<std::unique_ptr<DepthChart>> printCopies_;  // slot j at index j - 1
    QComboBox* orientationBox_ = nullptr;
    QListWidget* tracksList_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    TrackSheet* sheet_ = nullptr;
};
