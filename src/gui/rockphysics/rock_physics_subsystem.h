#pragma once
#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

#include "core/commands/fluid_substitution.h"
#include "gui/rockphysics/fluid_substitution_window.h"
#include "gui/widgets/shell_services.h"

// The rock-physics commands of the Calculation menu, offered once the elastic parameters are
// computed: Fluid Substitution asks for its settings and opens a window with the substituted
// rock beside the original. Each start from the rock of the last elastic computation (the same
// curves, units and Vs), which the shell hands in.
class RockPhysicsSubsystem final : public Subsystem {
  public:
    using ElasticRequestSource = std::function<std::optional<lithora::commands::ElasticRequest>()>;

    explicit RockPhysicsSubsystem(ElasticRequestSource elasticRequest);
    void registerCommands(ShellServices& shell) override;

    // Calculation > Fluid Substitution.
    void substituteFluid();
    // The fluid substitution windows open now, oldest first.
    std::vector<FluidSubstitutionWindow*> fluidWindows() const;

  private:
    RockPhysicsContext context() const;

    ElasticRequestSource elasticRequest_;
    ShellServices* shell_ = nullptr;
    // The settings of the last substitution, which the dialog proposes next time.
    std::optional<lithora::commands::FluidSubstitutionRequest> lastFluid_;
    std::vector<QPointer<FluidSubstitutionWindow>> fluidWindows_;
};
