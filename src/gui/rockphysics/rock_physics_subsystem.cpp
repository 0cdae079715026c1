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

// The windows of a list that are still open, oldest first.
template <class Window>
std::vector<Window*> liveWindows(const std::vector<QPointer<Window>>& windows) {
    std::vector<Window*> out;
    for (const auto& w : windows)
        if (w) out.push_back(w.data());
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
    shell.addCommand({CommandId::AvoModel, computed, [this] { showAvo(); }});
    wellChanges_ = shell.workspace().subscribe([this](lithora::workspace::Change change) {
        using lithora::workspace::Change;
        if (change == Change::Imported || change == Change::Emptied) lastFluid_.reset();
    });
}

std::vector<AvoWindow*> RockPhysicsSubsystem::avoWindows() const {
    return liveWindows(avoWindows_);
}

void RockPhysicsSubsystem::showAvo() {
    if (!shell_) return;
    if (!computedRequest()) return;
    std::erase_if(avoWindows_, [](const auto& w) { return w.isNull(); });
    BusyCursor busy;
    auto* window = new AvoWindow(context(), lastFluid_);
    avoWindows_.emplace_back(window);
    window->show();
    // The window says what it modelled; the status line ends the command as every other does.
    shell_->setStatus(QStringLiteral("Ready"));
}

std::optional<commands::ElasticRequest> RockPhysicsSubsystem::computedRequest() {
    const auto elastic = elasticRequest_ ? elasticRequest_() : std::nullopt;
    if (!shell_->workspace().loaded() || !elastic) {
        shell_->message(QMessageBox::Information,
                        QStringLiteral("Compute the elastic parameters first."));
        return std::nullopt;
    }
    return elastic;
}

RockPhysicsContext RockPhysicsSubsystem::context() const {
    return {shell_->context(), shell_->programFolder(), elasticRequest_};
}

std::vector<FluidSubstitutionWindow*> RockPhysicsSubsystem::fluidWindows() const {
    return liveWindows(fluidWindows_);
}

void RockPhysicsSubsystem::substituteFluid() {
    if (!shell_) return;
    auto& ws = shell_->workspace();
    const auto elastic = computedRequest();
    if (!elastic) return;
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
