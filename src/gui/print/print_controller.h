#pragma once
#include <QObject>
#include <QString>
#include <functional>

#include "gui/widgets/shell_services.h"

class QTableView;
class QWidget;
class TrackPanel;

// The printing commands: File > "Print Tracks", File > "Print Table", and the "Columns
// Configuration" button of the Table page. Each opens its modal window through the seam.
class PrintController : public QObject {
    Q_OBJECT
  public:
    // tracks: the track panel of the Graph page; grid: the grids of the three tables (0 source,
    // 1 elastic, 2 litholog), null when missing.
    PrintController(ShellServices& shell, TrackPanel* tracks,
                    std::function<QTableView*(int choice)> grid, QObject* parent = nullptr);

  public slots:
    void printTracks();
    void printTable();
    void configureColumns();  // Columns Configuration

  private:
    bool sourceEmpty() const;
    void restoreFolder();

    ShellServices& shell_;
    TrackPanel* tracks_;
    std::function<QTableView*(int choice)> grid_;
};

// File > Print Tracks and Print Table, offered while a workspace is loaded, and the "Columns
// Configuration" button of the Table page.
class PrintSubsystem final : public Subsystem {
  public:
    PrintSubsystem(TrackPanel* tracks, std::function<QTableView*(int choice)> grid, QObject* owner)
        : tracks_(tracks), grid_(std::move(grid)), owner_(owner) {}
    void registerCommands(ShellServices& shell) override;
    PrintController* controller() const { return controller_; }

  private:
    TrackPanel* tracks_;
    std::function<QTableView*(int choice)> grid_;
    QObject* owner_;
    PrintController* controller_ = nullptr;  // a child of owner_
};
