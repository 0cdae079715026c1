#pragma once
#include <QDialog>
#include <QString>
#include <QStringList>

#include "core/common/curves.h"

class QButtonGroup;
class QPushButton;
class QRadioButton;

// "Correlation Coefficient Calculation": the user picks the reference curve of the
// correlation list among the recognised density curves followed by the gamma-ray curves,
// the first one preselected. "Ok" accepts with the chosen name; it is disabled when there is
// no candidate. "Cancel" (or Escape) rejects.
class Tselectlog : public QDialog {
    Q_OBJECT
  public:
    explicit Tselectlog(const QStringList& candidates, QWidget* parent = nullptr);
    explicit Tselectlog(const lithora::RoleLists& roles, QWidget* parent = nullptr);

    // The candidates as the dialog offers them: density curves, then gamma-ray curves.
    static QStringList candidates(const lithora::RoleLists& roles);

    // The chosen curve once "Ok" closed the dialog; empty otherwise.
    QString referenceLog() const { return ReferenceLog_; }
    QStringList items() const;
    // Selects the item with this text; false when there is none.
    bool select(const QString& name);
    QPushButton* okButton() const { return ok_; }

  public slots:
    void confirm();  // Ok
    void cancel();   // Cancel

  private:
    QButtonGroup* group_ = nullptr;
    QList<QRadioButton*> buttons_;
    QPushButton* ok_ = nullptr;
    QString ReferenceLog_;
};
