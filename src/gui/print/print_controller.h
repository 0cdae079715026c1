#pragma once
#include <QObject>
#include <QString>
#include <functional>

class DialogSeam;
class QTableView;
class QWidget;
class TrackPanel;

namespace lithora::workspace {
class Workspace;
}

// What the print commands need of the main window.
struct PrintContext {
    lithora::workspace::Workspace* workspace = nullptr;
    std::function<DialogSeam&()> seam;  // the seam may be replaced while the program runs
    QWidget* parent = nullptr;
    QString programFolder;  // where the track copies' chart files go
    TrackPanel* tracks = nullptr;
    std::function<QString()> depthTitle;  // the depth axis title of the track copies
    // The grids of the three tables: 0 source, 1 elastic, 2 litholog; null when missing.
    std::function<QTableView*(int choice)> grid;
    std::function<void()> attachTableScroll;
    std::function<void()> detachTableScroll;
    std::function<bool()> makeProgramFolderCurrent;
};

// The printing commands: File > "Print Tracks", File > "Print Table", and the "Columns
// Configuration" button of the Table page. Each opens its modal window through the seam.
class PrintController : public QObject {
    Q_OBJECT
  public:
    explicit PrintController(PrintContext context, QObject* parent = nullptr);

  public slots:
    void printTracks();
    void printTable();
    void configureColumns();  // Columns Configuration

  private:
    bool sourceEmpty() const;
    void restoreFolder();

    PrintContext c_;
};
