#include "gui/crossplot/cross_plots_controller.h"

#include "gui/crossplot/cross_plots.h"

CrossPlotsController::CrossPlotsController(CommandContext context, QObject* parent)
    : QObject(parent), ctx_(std::move(context)) {}

std::vector<TCrossPlots*> CrossPlotsController::windows() const {
    std::vector<TCrossPlots*> out;
    for (const auto& w : windows_)
        if (w) out.push_back(w.data());
    return out;
}

void CrossPlotsController::showCrossPlots() {
    std::erase_if(windows_, [](const QPointer<TCrossPlots>& w) { return w.isNull(); });
    BusyCursor busy;
    auto* window = new TCrossPlots(ctx_, ctx_.parent);
    windows_.emplace_back(window);
    window->show();
}

void CrossPlotSubsystem::registerCommands(ShellServices& shell) {
    controller_ = new CrossPlotsController(shell.context(), owner_);
    shell.addCommand({CommandId::CrossPlots, {}, [this] { controller_->showCrossPlots(); }});
}
