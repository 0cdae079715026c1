#pragma once
#include <QObject>
#include <QPointer>
#include <vector>

#include "gui/widgets/command_context.h"
#include "gui/widgets/shell_services.h"

class TCrossPlots;

// View > Cross Plots: each use opens a new cross plots window over the workspace.
class CrossPlotsController : public QObject {
    Q_OBJECT
  public:
    CrossPlotsController(CommandContext context, QObject* parent = nullptr);

    // The windows open now, oldest first.
    std::vector<TCrossPlots*> windows() const;

  public slots:
    void showCrossPlots();

  private:
    CommandContext ctx_;
    std::vector<QPointer<TCrossPlots>> windows_;
};

// View > Cross Plots, offered whenever the program is ready.
class CrossPlotSubsystem final : public Subsystem {
  public:
    explicit CrossPlotSubsystem(QObject* owner) : owner_(owner) {}
    void registerCommands(ShellServices& shell) override;
    CrossPlotsController* controller() const { return controller_; }

  private:
    QObject* owner_;
    CrossPlotsController* controller_ = nullptr;  // a child of owner_
};
