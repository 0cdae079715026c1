#pragma once
#include <QObject>

#include "gui/widgets/command_context.h"

// What the main window shows around the elastic computation.
class ElasticView {
  public:
    virtual ~ElasticView() = default;
    // Before the table is filled: grids and the table scroll handler let go of the tables.
    virtual void elasticBegun() = 0;
    // The elastic table is filled: build and bind the result tracks.
    virtual void elasticComputed() = 0;
    // Always at the end, also after an error: the grids follow the tables again.
    virtual void elasticEnded() = 0;
};

// Calculation > Elastic Parameters: the curve dialog, the Vs dialog when there is no shear
// curve, the units question when the file leaves units open, then the computation.
class ElasticController : public QObject {
    Q_OBJECT
  public:
    ElasticController(CommandContext context, ElasticView& view, QObject* parent = nullptr);

  public slots:
    void computeElasticParameters();

  private:
    CommandContext ctx_;
    ElasticView& view_;
};
