#pragma once
#include <QDialog>
#include <vector>

#include "core/commands/compute_elastic.h"

class QComboBox;
class QLabel;

// Asks in which units the chosen sonic and density curves are when the file leaves them open
// (a depth unit "m" in lower case, "METERS", a sonic curve whose unit names no slowness, an
// unknown density unit). Each box names its curve with the unit text the file gave and
// preselects what that text names, or else the unit the earlier tags propose; nothing is
// assumed without an answer.
class TSelectUnits : public QDialog {
    Q_OBJECT
  public:
    TSelectUnits(const QString& question, const lithora::commands::UnitsDecision& decision,
                 QWidget* parent = nullptr);

    lithora::workspace::ElasticUnits units() const;

    // One box per chosen sonic curve (P first), then the density box.
    const std::vector<QComboBox*>& sonicBoxes() const { return sonicBoxes_; }
    QComboBox* densityBox() const { return densityBox_; }

  private:
    std::vector<QComboBox*> sonicBoxes_;
    QComboBox* densityBox_;
};
