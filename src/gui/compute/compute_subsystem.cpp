#include "gui/compute/compute_subsystem.h"

#include "core/workspace/workspace.h"
#include "gui/compute/elastic_controller.h"
#include "gui/compute/filter_controller.h"

ComputeSubsystem::ComputeSubsystem(QObject* owner, NumberBox* filterStart, NumberBox* filterStop,
                                   CorrelationPage correlationPage)
    : owner_(owner),
      filterStart_(filterStart),
      filterStop_(filterStop),
      correlationPage_(std::move(correlationPage)) {}

void ComputeSubsystem::registerCommands(ShellServices& shell) {
    elastic_ = new ElasticController(shell, owner_);
    filter_ = new FilterController(shell, filterStart_, filterStop_, owner_);
    correlation_ = new CorrelationController(shell, correlationPage_, owner_);
    auto loaded = [&shell] { return shell.workspace().loaded(); };
    shell.addCommand(
        {CommandId::ElasticParameters, loaded, [this] { elastic_->computeElasticParameters(); }});
    shell.addCommand({CommandId::CorrelationCoefficients, loaded,
                      [this] { correlation_->computeCorrelations(); }});
    shell.addCommand({CommandId::FindDepth, loaded, [this] { filter_->findDepth(); }});
    shell.addCommand({CommandId::ApplyFilter, loaded, [this] { filter_->applyFilter(); }});
    shell.addCommand({CommandId::UndoFilter, loaded, [this] { filter_->undoFilter(); }});
}
