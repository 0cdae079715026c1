#pragma once
#include <QObject>

#include "gui/widgets/command_context.h"
#include "gui/widgets/shell_services.h"

// View > "Time Laps": the time-lapse window, shown modally and gone when it closes. It
// needs no loaded workspace.
class LapseController : public QObject {
    Q_OBJECT
  public:
    explicit LapseController(CommandContext context, QObject* parent = nullptr);

  public slots:
    void showTimeLapse();

  private:
    CommandContext ctx_;
};

// View > "Time Laps", offered whenever the program is ready.
class TimeLapseSubsystem final : public Subsystem {
  public:
    explicit TimeLapseSubsystem(QObject* owner) : owner_(owner) {}
    void registerCommands(ShellServices& shell) override;
    LapseController* controller() const { return controller_; }

  private:
    QObject* owner_;
    LapseController* controller_ = nullptr;  // a child of owner_
};
