#include "gui/rockphysics/fluid_substitution_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

#include "core/rockphysics/batzle_wang.h"
#include "gui/widgets/number_box.h"

namespace rp = lithora::rockphysics;

namespace {

struct Preset {
    const char* name;
    rp::Phase phase;
};
const Preset kMinerals[] = {{"Quartz", rp::kQuartz},
                            {"Calcite", rp::kCalcite},
                            {"Dolomite", rp::kDolomite},
                            {"Clay", rp::kClay}};
const Preset kHydrocarbons[] = {{"Gas", rp::kGas}, {"Oil", rp::kOil}};
const char* const kOwnValues = "Own values";
const char* const kFromDensity = "From density";

NumberBox* numberBox(const char* name, double value, QWidget* parent) {
    auto* box = new NumberBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setValue(value);
    box->setMinimumWidth(90);
    return box;
}

// The preset whose values the boxes hold, or the last item ("Own values").
template <std::size_t N>
int presetIndex(const Preset (&presets)[N], double modulus, double density) {
    for (std::size_t i = 0; i < N; ++i)
        if (presets[i].phase.modulusGPa == modulus && presets[i].phase.densityGcc == density)
            return static_cast<int>(i);
    return static_cast<int>(N);
}

}  // namespace

FluidSubstitutionDialog::FluidSubstitutionDialog(const QStringList& porosityCurves, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FluidSubstitutionDialog"));
    setWindowTitle(QStringLiteral("Fluid Substitution"));
    auto* layout = new QVBoxLayout(this);

    auto* rock = new QGroupBox(QStringLiteral("Rock"), this);
    auto* rockForm = new QFormLayout(rock);
    porositySource_ = new QComboBox(rock);
    porositySource_->setObjectName(QStringLiteral("porositySource"));
    porositySource_->addItem(QString::fromLatin1(kFromDensity));
    porositySource_->addItems(porosityCurves);
    matrixDensity_ = numberBox("matrixDensity", 2.65, rock);
    mineral_ = new QComboBox(rock);
    mineral_->setObjectName(QStringLiteral("mineralPreset"));
    for (const auto& m : kMinerals) mineral_->addItem(QString::fromLatin1(m.name));
    mineral_->addItem(QString::fromLatin1(kOwnValues));
    mineralModulus_ = numberBox("mineralModulus", rp::kQuartz.modulusGPa, rock);
    mineralDensity_ = numberBox("mineralDensity", rp::kQuartz.densityGcc, rock);
    rockForm->addRow(QStringLiteral("Porosity:"), porositySource_);
    rockForm->addRow(QStringLiteral("Matrix density (g/cc):"), matrixDensity_);
    rockForm->addRow(QStringLiteral("Mineral:"), mineral_);
    rockForm->addRow(QStringLiteral("Mineral modulus (GPa):"), mineralModulus_);
    rockForm->addRow(QStringLiteral("Mineral density (g/cc):"), mineralDensity_);
    layout->addWidget(rock);

    auto* fluids = new QGroupBox(QStringLiteral("Pore fluids"), this);
    auto* fluidsLayout = new QVBoxLayout(fluids);
    auto* choice = new QHBoxLayout;
    fluidValues_ = new QRadioButton(QStringLiteral("Fluid values"), fluids);
    fluidValues_->setObjectName(QStringLiteral("fluidValues"));
    fluidConditions_ = new QRadioButton(QStringLiteral("Fluids from conditions"), fluids);
    fluidConditions_->setObjectName(QStringLiteral("fluidConditions"));
    fluidValues_->setChecked(true);
    choice->addWidget(fluidValues_);
    choice->addWidget(fluidConditions_);
    fluidsLayout->addLayout(choice);

    valuesGroup_ = new QWidget(fluids);
    auto* valuesForm = new QFormLayout(valuesGroup_);
    valuesForm->setContentsMargins(0, 0, 0, 0);
    brineModulus_ = numberBox("brineModulus", rp::kBrine.modulusGPa, valuesGroup_);
    brineDensity_ = numberBox("brineDensity", rp::kBrine.densityGcc, valuesGroup_);
    hydrocarbon_ = new QComboBox(valuesGroup_);
    hydrocarbon_->setObjectName(QStringLiteral("hydrocarbonPreset"));
    for (const auto& h : kHydrocarbons) hydrocarbon_->addItem(QString::fromLatin1(h.name));
    hydrocarbon_->addItem(QString::fromLatin1(kOwnValues));
    hydrocarbonModulus_ = numberBox("hydrocarbonModulus", rp::kGas.modulusGPa, valuesGroup_);
    hydrocarbonDensity_ = numberBox("hydrocarbonDensity", rp::kGas.densityGcc, valuesGroup_);
    valuesForm->addRow(QStringLiteral("Brine modulus (GPa):"), brineModulus_);
    valuesForm->addRow(QStringLiteral("Brine density (g/cc):"), brineDensity_);
    valuesForm->addRow(QStringLiteral("Hydrocarbon:"), hydrocarbon_);
    valuesForm->addRow(QStringLiteral("Hydrocarbon modulus (GPa):"), hydrocarbonModulus_);
    valuesForm->addRow(QStringLiteral("Hydrocarbon density (g/cc):"), hydrocarbonDensity_);
    fluidsLayout->addWidget(valuesGroup_);

    conditionsGroup_ = new QWidget(fluids);
    auto* conditionsForm = new QFormLayout(conditionsGroup_);
    conditionsForm->setContentsMargins(0, 0, 0, 0);
    temperature_ = numberBox("temperature", 80, conditionsGroup_);
    pressure_ = numberBox("porePressure", 25, conditionsGroup_);
    salinity_ = numberBox("salinity", 50000, conditionsGroup_);
    conditionHydrocarbon_ = new QComboBox(conditionsGroup_);
    conditionHydrocarbon_->setObjectName(QStringLiteral("conditionHydrocarbon"));
    conditionHydrocarbon_->addItems({QStringLiteral("Gas"), QStringLiteral("Oil")});
    oilApi_ = numberBox("oilApi", 35, conditionsGroup_);
    gasOilRatio_ = numberBox("gasOilRatio", 100, conditionsGroup_);
    gasGravity_ = numberBox("gasGravity", 0.6, conditionsGroup_);
    conditionsForm->addRow(QStringLiteral("Temperature (°C):"), temperature_);
    conditionsForm->addRow(QStringLiteral("Pore pressure (MPa):"), pressure_);
    conditionsForm->addRow(QStringLiteral("Salinity (ppm):"), salinity_);
    conditionsForm->addRow(QStringLiteral("Hydrocarbon:"), conditionHydrocarbon_);
    conditionsForm->addRow(QStringLiteral("Oil API:"), oilApi_);
    conditionsForm->addRow(QStringLiteral("Gas-oil ratio (l/l):"), gasOilRatio_);
    conditionsForm->addRow(QStringLiteral("Gas gravity:"), gasGravity_);
    fluidsLayout->addWidget(conditionsGroup_);
    layout->addWidget(fluids);

    auto* saturation = new QGroupBox(QStringLiteral("Water saturation"), this);
    auto* saturationForm = new QFormLayout(saturation);
    swBefore_ = numberBox("swBefore", 1, saturation);
    swAfter_ = numberBox("swAfter", 0.2, saturation);
    saturationForm->addRow(QStringLiteral("Sw before (0 to 1):"), swBefore_);
    saturationForm->addRow(QStringLiteral("Sw after (0 to 1):"), swAfter_);
    layout->addWidget(saturation);

    error_ = new QLabel(this);
    error_->setObjectName(QStringLiteral("settingsError"));
    error_->setStyleSheet(QStringLiteral("color: red;"));
    error_->setWordWrap(true);
    error_->hide();
    layout->addWidget(error_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(mineral_, &QComboBox::currentIndexChanged, this,
            &FluidSubstitutionDialog::mineralChosen);
    connect(hydrocarbon_, &QComboBox::currentIndexChanged, this,
            &FluidSubstitutionDialog::hydrocarbonChosen);
    connect(fluidConditions_, &QRadioButton::toggled, this,
            &FluidSubstitutionDialog::showFluidSource);
    connect(conditionHydrocarbon_, &QComboBox::currentIndexChanged, this,
            &FluidSubstitutionDialog::showFluidSource);
    connect(porositySource_, &QComboBox::currentIndexChanged, this,
            &FluidSubstitutionDialog::showPorositySource);
    // A value typed over a preset's makes the choice the user's own.
    for (NumberBox* box : {mineralModulus_, mineralDensity_})
        connect(box, &QLineEdit::textEdited, this,
                [this] { mineral_->setCurrentIndex(mineral_->count() - 1); });
    for (NumberBox* box : {hydrocarbonModulus_, hydrocarbonDensity_})
        connect(box, &QLineEdit::textEdited, this,
                [this] { hydrocarbon_->setCurrentIndex(hydrocarbon_->count() - 1); });
    showFluidSource();
    showPorositySource();
}

void FluidSubstitutionDialog::mineralChosen(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kMinerals))) return;
    mineralModulus_->setValue(kMinerals[index].phase.modulusGPa);
    mineralDensity_->setValue(kMinerals[index].phase.densityGcc);
}

void FluidSubstitutionDialog::hydrocarbonChosen(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kHydrocarbons))) return;
    hydrocarbonModulus_->setValue(kHydrocarbons[index].phase.modulusGPa);
    hydrocarbonDensity_->setValue(kHydrocarbons[index].phase.densityGcc);
}

void FluidSubstitutionDialog::showFluidSource() {
    const bool conditions = fluidConditions_->isChecked();
    valuesGroup_->setVisible(!conditions);
    conditionsGroup_->setVisible(conditions);
    const bool oil = conditionHydrocarbon_->currentIndex() == 1;
    oilApi_->setEnabled(oil);
    gasOilRatio_->setEnabled(oil);
    adjustSize();
}

void FluidSubstitutionDialog::showPorositySource() {
    matrixDensity_->setEnabled(porositySource_->currentIndex() == 0);
}

FluidSubstitutionDialog::Settings FluidSubstitutionDialog::settings() const {
    Settings out;
    auto& r = out.request;
    // Every box in use must hold a number; the first that does not is named.
    auto read = [&out](const NumberBox* box, const char* caption, double& into) {
        if (!out.error.isEmpty()) return;
        if (const auto v = box->value())
            into = *v;
        else
            out.error = QStringLiteral("%1 is not a number.").arg(QString::fromLatin1(caption));
    };
    if (porositySource_->currentIndex() > 0)
        r.porosityCurve = porositySource_->currentText().toStdString();
    else
        read(matrixDensity_, "The matrix density", r.matrixDensityGcc);
    read(mineralModulus_, "The mineral modulus", r.mineral.modulusGPa);
    read(mineralDensity_, "The mineral density", r.mineral.densityGcc);
    read(swBefore_, "Sw before", r.swBefore);
    read(swAfter_, "Sw after", r.swAfter);
    if (!fluidConditions_->isChecked()) {
        read(brineModulus_, "The brine modulus", r.brine.modulusGPa);
        read(brineDensity_, "The brine density", r.brine.densityGcc);
        read(hydrocarbonModulus_, "The hydrocarbon modulus", r.hydrocarbon.modulusGPa);
        read(hydrocarbonDensity_, "The hydrocarbon density", r.hydrocarbon.densityGcc);
    } else {
        const bool oil = conditionHydrocarbon_->currentIndex() == 1;
        double t = 0, p = 0, salinity = 0, g = 0, api = 0, gor = 0;
        read(temperature_, "The temperature", t);
        read(pressure_, "The pore pressure", p);
        read(salinity_, "The salinity", salinity);
        read(gasGravity_, "The gas gravity", g);
        if (oil) {
            read(oilApi_, "The oil API", api);
            read(gasOilRatio_, "The gas-oil ratio", gor);
        }
        if (!out.error.isEmpty()) return out;
        // The ranges in which the equations of the conditions hold.
        const std::pair<bool, const char*> checks[] = {
            {t >= 0 && t <= 350, "The temperature must be from 0 to 350 °C."},
            {p > 0, "The pore pressure must be above 0."},
            {salinity >= 0 && salinity < 1e6, "The salinity must be from 0 to 1000000 ppm."},
            {g > 0, "The gas gravity must be above 0."},
            {!oil || api > 0, "The oil API must be above 0."},
            {!oil || gor >= 0, "The gas-oil ratio must not be below 0."},
        };
        for (const auto& [ok, message] : checks)
            if (!ok) {
                out.error = QString::fromUtf8(message);
                return out;
            }
        r.brine = rp::brineProperties(t, p, salinity).phase;
        r.hydrocarbon =
            oil ? rp::oilProperties(t, p, api, gor, g).phase : rp::gasProperties(t, p, g).phase;
    }
    if (out.error.isEmpty())
        out.error = QString::fromStdString(lithora::commands::checkFluidSettings(r));
    return out;
}

void FluidSubstitutionDialog::showSettings(const lithora::commands::FluidSubstitutionRequest& r) {
    const int curve = porositySource_->findText(QString::fromStdString(r.porosityCurve));
    porositySource_->setCurrentIndex(r.porosityCurve.empty() || curve < 0 ? 0 : curve);
    matrixDensity_->setValue(r.matrixDensityGcc);
    mineral_->setCurrentIndex(presetIndex(kMinerals, r.mineral.modulusGPa, r.mineral.densityGcc));
    mineralModulus_->setValue(r.mineral.modulusGPa);
    mineralDensity_->setValue(r.mineral.densityGcc);
    fluidValues_->setChecked(true);
    brineModulus_->setValue(r.brine.modulusGPa);
    brineDensity_->setValue(r.brine.densityGcc);
    hydrocarbon_->setCurrentIndex(
        presetIndex(kHydrocarbons, r.hydrocarbon.modulusGPa, r.hydrocarbon.densityGcc));
    hydrocarbonModulus_->setValue(r.hydrocarbon.modulusGPa);
    hydrocarbonDensity_->setValue(r.hydrocarbon.densityGcc);
    swBefore_->setValue(r.swBefore);
    swAfter_->setValue(r.swAfter);
}

QString FluidSubstitutionDialog::errorText() const {
    return error_->isHidden() ? QString() : error_->text();
}

void FluidSubstitutionDialog::accept() {
    const QString error = settings().error;
    error_->setText(error);
    error_->setVisible(!error.isEmpty());
    if (error.isEmpty()) QDialog::accept();
}
