#pragma once
#include <QDialog>
#include <QStringList>

#include "core/common/curves.h"

class QComboBox;
class QPushButton;

namespace lithora::workspace {
class Workspace;
}

// The curve dialog of the elastic computation ("Elastic Parameters Calculation"): one
// editable list per role (density, gamma ray, P-wave and S-wave slowness), each offering the
// curves recognised for that role and preset to the first of them. Made for a workspace, each
// list also offers every other curve of the source table after the recognised ones, so a log
// under a name no list holds can be chosen; a role without a recognised curve starts empty.
// "Ok" accepts with the texts the boxes show, typed or chosen; "Cancel" (or Escape) rejects.
class TSelectPL : public QDialog {
    Q_OBJECT
  public:
    TSelectPL(const QStringList& densityLogs, const QStringList& gammaRayLogs,
              const QStringList& pWaveLogs, const QStringList& sWaveLogs,
              QWidget* parent = nullptr);
    TSelectPL(const lithora::RoleLists& roles, QWidget* parent = nullptr);
    explicit TSelectPL(const lithora::workspace::Workspace& ws, QWidget* parent = nullptr);

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
