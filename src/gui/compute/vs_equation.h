#pragma once
#include <QDialog>
#include <QStringList>

#include "core/compute/elastic.h"

class QAbstractButton;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace lithora::store {
class Table;
}

// The Vs dialog ("Vs Equation"), shown when the workspace has no shear curve: Vs from Vp by
// Vp / sqrt(3) or by a * Vp - b (preselected, with the default a and b of the computation).
// "Ok" accepts; settings() then gives the chosen kind with the two boxes' values, whichever
// kind is chosen. A third choice, "By lithology (litholog)", takes the line of the rock class
// the litholog gives at each depth and the linear equation where it gives none; it is enabled
// only while the litholog holds intervals. "Cancel" (or closing the window) rejects. The
// section "Under Development" lists two further equations whose controls are all disabled.
class TVsEquation : public QDialog {
    Q_OBJECT
  public:
    static constexpr double kDefaultSlope = lithora::compute::kDefaultVsSettings.slope;
    static constexpr double kDefaultIntercept = lithora::compute::kDefaultVsSettings.intercept;

    // sourceFields: the source table's field names without "Counting", for the lists of the
    // disabled section.
    explicit TVsEquation(const QStringList& sourceFields, QWidget* parent = nullptr);
    // The names of fields 0 .. fieldCount() - 2 of the source table.
    static QStringList sourceFieldNames(const lithora::store::Table& source);

    lithora::compute::VsSettings settings() const;

    QRadioButton* sqrt3Option() const { return sqrt3_; }
    QRadioButton* linearOption() const { return linear_; }
    QRadioButton* lithologyOption() const { return lithology_; }
    QLabel* lithologyLines() const { return lithologyLines_; }

    // Enables the choice by lithology (a litholog with intervals) or disables it, falling back
    // to the linear equation when it was chosen.
    void setLithologAvailable(bool available);
    QDoubleSpinBox* slopeBox() const { return slope_; }
    QDoubleSpinBox* interceptBox() const { return intercept_; }
    QWidget* underDevelopment() const { return underDevelopment_; }

  public slots:
    void restoreDefaults();  // "Defaults"
    void accept() override;

  private:
    QWidget* buildUnderDevelopment(const QStringList& sourceFields);

    QRadioButton* sqrt3_ = nullptr;
    QRadioButton* linear_ = nullptr;
    QRadioButton* lithology_ = nullptr;
    QLabel* lithologyLines_ = nullptr;
    QDoubleSpinBox* slope_ = nullptr;
    QDoubleSpinBox* intercept_ = nullptr;
    QWidget* underDevelopment_ = nullptr;
};
