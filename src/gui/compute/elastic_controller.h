#pragma once
#include <QObject>

#include "gui/widgets/shell_services.h"

// Calculation > Elastic Parameters: the curve dialog, the Vs dialog when there is no shear
// curve, the units question when the file leaves units open, then the computation. The
// windows follow the workspace's report of the new results.
class ElasticController : public QObject {
    Q_OBJECT
  public:
    explicit ElasticController(ShellServices& shell, QObject* parent = nullptr);

  public slots:
    void computeElasticParameters();

  private:
    ShellServices& shell_;
};
