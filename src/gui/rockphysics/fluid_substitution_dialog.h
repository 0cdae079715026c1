#pragma once
#include <QDialog>
#include <QString>
#include <QStringList>

#include "core/commands/fluid_substitution.h"

class NumberBox;
class QComboBox;
class QLabel;
class QRadioButton;

// Calculation > Fluid Substitution: where the porosity comes from (a source curve, in
// fraction or percent by its unit, or the density with a matrix density), the mineral (a
// preset or its own modulus and density), the two pore fluids (their values, a preset, or
// from the conditions in the reservoir by Batzle and Wang) and the water saturation before
// and after. Ok checks every range first: a setting out of range is named in the dialog,
// which stays open.
class FluidSubstitutionDialog : public QDialog {
    Q_OBJECT
  public:
    // porosityCurves: the source curves offered as porosity, in their order.
    explicit FluidSubstitutionDialog(const QStringList& porosityCurves, QWidget* parent = nullptr);

    // The settings as the dialog shows them (the elastic part left empty), or what is wrong
    // with them.
    struct Settings {
        lithora::commands::FluidSubstitutionRequest request;
        QString error;  // empty when usable
    };
    Settings settings() const;
    // Puts a request's settings into the boxes (fluid values, not conditions).
    void showSettings(const lithora::commands::FluidSubstitutionRequest& request);

    // The text Ok showed last for settings out of range; empty when none.
    QString errorText() const;

    void accept() override;

  private:
    void mineralChosen(int index);
    void hydrocarbonChosen(int index);
    void showFluidSource();
    void showPorositySource();

    QComboBox* porositySource_;
    NumberBox* matrixDensity_;
    QComboBox* mineral_;
    NumberBox *mineralModulus_, *mineralDensity_;
    QRadioButton *fluidValues_, *fluidConditions_;
    NumberBox *brineModulus_, *brineDensity_;
    QComboBox* hydrocarbon_;
    NumberBox *hydrocarbonModulus_, *hydrocarbonDensity_;
    NumberBox *temperature_, *pressure_, *salinity_, *oilApi_, *gasOilRatio_, *gasGravity_;
    QComboBox* conditionHydrocarbon_;
    NumberBox *swBefore_, *swAfter_;
    QWidget *valuesGroup_, *conditionsGroup_;
    QLabel* error_;
};
