#include "gui/rockphysics/rock_physics_subsystem.h"

#include <QWidget>

#include "core/store/table.h"
#include "core/workspace/workspace.h"
#include "gui/rockphysics/fluid_substitution_dialog.h"

namespace commands = lithora::commands;

namespace {

// The curves of the source table a porosity may come from: every field but "Rec", the
// depth and the hidden "Counting", by name.
QStringList sourceCurves(const lithora::workspace::Workspace& ws) {
    QStringList out;
    const auto& source = ws.source();
    if (!source.isOpen()) return out;
    for (int f = 1; f < source.fieldCount() - 1; ++f)
        if (f != ws.sourceDepthField()) out << QString::fromStdString(source.field(f).def.name);
    return out;
}

}  // namespace

RockPhysicsSubsystem::RockPhysicsSubsystem(ElasticRequestSource elasticRequest)
    : elasticRequest_(std::move(elasticRequest)) {}

void RockPhysicsSubsystem::registerCommands(ShellServices& shell) {
    shell_ = &shell;
    auto computed = [this] {
        const auto& ws = shell_->workspace();
        return ws.loaded() && ws.elastic().isOpen() && !ws.elastic().isEmpty() && elasticRequest_ &&
               elasticRequest_().has_value();
    };
    shell.addCommand({CommandId::FluidSubstitution, computed, [this] { substituteFluid(); }});
}

RockPhysicsContext RockPhysicsSubsystem::context() const {
    return {shell_->context(), shell_->programFolder(), elasticRequest_};
}

std::vector<FluidSubstitutionWindow*> RockPhysicsSubsystem::fluidWindows() const {
    std::vector<FluidSubstitutionWindow*> out;
    for (const auto& w : fluidWindows_)
        if (w) out.push_back(w.data());
    return out;
}

void RockPhysicsSubsystem::substituteFluid() {
    if (!shell_) return;
    auto& ws = shell_->workspace();
    const auto elastic = elasticRequest_ ? elasticRequest_() : std::nullopt;
    if (!ws.loaded() || !elastic) {
        shell_->message(QMessageBox::Information,
                        QStringLiteral("Compute the elastic parameters first."));
        return;
    }
    FluidSubstitutionDialog dialog(sourceCurves(ws), shell_->dialogParent());
    if (lastFluid_) dialog.showSettings(*lastFluid_);
    if (shell_->seam().exec(dialog) != QDialog::Accepted) return;
    // Ok checked the settings; they are checked again for an answer given another way.
    auto settings = dialog.settings();
    if (!settings.error.isEmpty()) {
        shell_->message(QMessageBox::Warning, settings.error);
        return;
    }
    auto request = std::move(settings.request);
    request.elastic = *elastic;
    lastFluid_ = request;

    shell_->setStatus(QStringLiteral("Substituting the pore fluid, please wait..."));
    commands::FluidSubstitutionResult result;
    {
        BusyCursor busy;
        result = commands::substituteFluid(ws, request);
    }
    if (!result.error.empty()) {
        shell_->setStatus(QStringLiteral("Ready"));
        shell_->message(QMessageBox::Critical, QString::fromStdString(result.error));
        return;
    }
    shell_->setStatus(QString::fromStdString(commands::fluidSubstitutionSummary(result)));
    std::erase_if(fluidWindows_, [](const auto& w) { return w.isNull(); });
    BusyCursor busy;
    auto* window = new FluidSubstitutionWindow(context(), std::move(request), std::move(result));
    fluidWindows_.emplace_back(window);
    window->show();
}
