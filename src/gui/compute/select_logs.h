#pragma once
#include <QDialog>
#include <QStringList>

#include "core/common/curves.h"

class QComboBox;
class QPushButton;

// The curve dialog of the elastic computation ("Elastic Parameters Calculation"): one
// editable list per role (density, gamma ray, P-wave and S-wave slowness), each offering the
// curves recognised for that role and preset to the first of them. "Ok" accepts with the
// texts the boxes show, typed or chosen; "Cancel" (or Escape) rejects.
class TSelectPL : public QDialog {
    Q_OBJECT
  public:
    TSelectPL(const QStringList& densityLogs, const QStringList& gammaRayLogs,
              const QStringList& pWaveLogs, const QStringList& sWaveLogs,
              QWidget* parent = nullptr);
    TSelectPL(const lithora::RoleLists& roles, QWidget* parent = nullptr);

    QString densityLog() const;
    QString gammaRayLog() const;
    QString pWaveLog() const;
    QString sWaveLog() const;

    QComboBox* densityBox() const { return density_; }
    QComboBox* gammaRayBox() const { return gammaRay_; }
    QComboBox* pWaveBox() const { return pWave_; }
    QComboBox* sWaveBox() const { return sWave_; }

  private:
    QComboBox* makeBox(const QString& name, const QStringList& items);

    QComboBox* density_ = nullptr;
    QComboBox* gammaRay_ = nullptr;
    QComboBox* pWave_ = nullptr;
    QComboBox* sWave_ = nullptr;
};
