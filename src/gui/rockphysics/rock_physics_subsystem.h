#pragma once
#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

#include "core/commands/fluid_substitution.h"
#include "core/store/subscription.h"
#include "gui/rockphysics/avo_window.h"
#include "gui/rockphysics/fluid_substitution_window.h"
#include "gui/widgets/shell_services.h"

// The rock-physics commands of the Calculation menu, offered once the elastic parameters are
// computed: Fluid Substitution asks for its settings and opens a window with the substituted
// rock beside the original; AVO opens the AVO window, with the gather of the substituted rock
// beside the original once a substitution was made for the loaded well. Both start from the
// rock of the last elastic computation (the same curves, units and Vs), which the shell hands
// in.
class RockPhysicsSubsystem final : public Subsystem {
  public:
    using ElasticRequestSource = std::function<std::optional<lithora::commands::ElasticRequest>()>;

    explicit RockPhysicsSubsystem(ElasticRequestSource elasticRequest);
    void registerCommands(ShellServices& shell) override;

    // Calculation > Fluid Substitution.
    void substituteFluid();
    // The fluid substitution windows open now, oldest first.
    std::vector<FluidSubstitutionWindow*> fluidWindows() const;
    // Calculation > AVO.
    void showAvo();
    std::vector<AvoWindow*> avoWindows() const;

  private:
    RockPhysicsContext context() const;
    // The request of the elastic computation; none, after saying so, when there is none.
    std::optional<lithora::commands::ElasticRequest> computedRequest();

    ElasticRequestSource elasticRequest_;
    ShellServices* shell_ = nullptr;
    // The settings of the last substitution, which the dialog proposes next time.
    std::optional<lithora::commands::FluidSubstitutionRequest> lastFluid_;
    std::vector<QPointer<FluidSubstitutionWindow>> fluidWindows_;
    std::vector<QPointer<AvoWindow>> avoWindows_;
    lithora::store::Subscription wellChanges_;  // the last substitution goes with its well
};
