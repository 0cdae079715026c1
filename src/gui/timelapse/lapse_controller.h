#pragma once
#include <QObject>

#include "gui/widgets/command_context.h"

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
