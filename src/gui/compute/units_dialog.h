#pragma once
#include <QDialog>

#include "core/workspace/workspace.h"

class QComboBox;
class QLabel;

// Asks in which units the sonic and density curves are when the file's unit texts have no
// conversion rule ("m" in lower case, "METERS", an unknown density unit). The question names
// the unit texts the file gave; nothing is assumed without an answer.
class TSelectUnits : public QDialog {
    Q_OBJECT
  public:
    TSelectUnits(const QString& question, QWidget* parent = nullptr);

    lithora::workspace::ElasticUnits units() const;
    void setUnits(const lithora::workspace::ElasticUnits& units);

  private:
    QComboBox* sonicBox_;
    QComboBox* densityBox_;
};
