#pragma once
#include <QObject>
#include <optional>

#include "core/commands/compute_elastic.h"

#include "gui/widgets/shell_services.h"

// Calculation > Elastic Parameters: the curve dialog, the Vs dialog when there is no shear
// curve, the units question when the file leaves units open, then the computation. The
// windows follow the workspace's report of the new results.
class ElasticController : public QObject {
    Q_OBJECT
  public:
    explicit ElasticController(ShellServices& shell, QObject* parent = nullptr);

    // The curves, units and Vs of the last computation that filled the elastic table, for
    // the commands that start from the same rock (fluid substitution, AVO); none before one.
    const std::optional<lithora::commands::ElasticRequest>& lastRequest() const {
        return lastRequest_;
    }

    // Computes with the curves, units and Vs given, as the dialogs would have answered them
    // (a session taken up again); the message of a failure, empty when done.
    QString computeWith(lithora::commands::ElasticRequest request);

  public slots:
    void computeElasticParameters();

  private:
    ShellServices& shell_;
    std::optional<lithora::commands::ElasticRequest> lastRequest_;
};
