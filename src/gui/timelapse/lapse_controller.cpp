#include "gui/timelapse/lapse_controller.h"

#include "gui/timelapse/lapse_page.h"

LapseController::LapseController(CommandContext context, QObject* parent)
    : QObject(parent), ctx_(std::move(context)) {}

void LapseController::showTimeLapse() {
    TTLapse window(ctx_, ctx_.parent);
    ctx_.seam.exec(window);
}

void TimeLapseSubsystem::registerCommands(ShellServices& shell) {
    controller_ = new LapseController(shell.context(), owner_);
    shell.addCommand({CommandId::TimeLapse, {}, [this] { controller_->showTimeLapse(); }});
}
