#pragma once
#include "gui/compute/correlation_controller.h"
#include "gui/widgets/shell_services.h"

class ElasticController;
class FilterController;
class NumberBox;

// The Calculation menu and the depth commands of the Edit menu: Elastic Parameters,
// Correlation Coefficients, Find, Filter and Undo Filter, each offered while a workspace is
// loaded.
class ComputeSubsystem final : public Subsystem {
  public:
    // The filter bounds and the correlation rows are on the Table page.
    ComputeSubsystem(QObject* owner, NumberBox* filterStart, NumberBox* filterStop,
                     CorrelationPage correlationPage);
    void registerCommands(ShellServices& shell) override;

    ElasticController* elasticController() const { return elastic_; }
    FilterController* filterController() const { return filter_; }
    CorrelationController* correlationController() const { return correlation_; }

  private:
    QObject* owner_;
    NumberBox* filterStart_;
    NumberBox* filterStop_;
    CorrelationPage correlationPage_;
    // Children of owner_.
    ElasticController* elastic_ = nullptr;
    FilterController* filter_ = nullptr;
    CorrelationController* correlation_ = nullptr;
};
