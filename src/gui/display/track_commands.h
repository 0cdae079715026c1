#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class DialogSeam;
class QWidget;
class TrackPanel;
class TZoomChart;
class DepthTrack;

// The commands of every track of the Graph page: the five items of its popup menu and the
// zoom gesture. Each handler finds its track by slot number. Print and zoom work on a copy
// of the track made through the chart file "tempchart.tee" in the program folder.
class TrackCommands : public QObject {
    Q_OBJECT
  public:
    struct Context {
        TrackPanel* panel = nullptr;
        QWidget* window = nullptr;            // owns the dialogs and the zoom windows
        std::function<DialogSeam&()> seam;    // asks every modal question
        QString programFolder;                // where the chart file is written
        std::function<QString()> depthTitle;  // the depth axis title of printed copies
        std::function<void()> restoreFolder;  // makes the program folder current again
    };

    explicit TrackCommands(Context context, QObject* parent = nullptr);

    // The zoom windows open now, oldest first.
    std::vector<TZoomChart*> zoomWindows() const;
    QString chartFile() const;

  public slots:
    void PopPrint(int slot);
    void PopExport(int slot);
    void PopMinMax(int slot);
    void PopLogarithmic(int slot);
    void PopColor(int slot);
    void Zooming(int slot);

  signals:
    // The copy of a track that "Print" previews, ready to be shown (for tests and for
    // pictures of the preview).
    void printCopyReady(DepthTrack* copy);

  private:
    DepthTrack* trackAt(int slot) const;
    QPixmap background() const;
    // Saves the track to the chart file; false (after the message) when it cannot.
    bool saveCopy(DepthTrack& track);

    Context c_;
    std::vector<QPointer<TZoomChart>> zoomWindows_;
};
