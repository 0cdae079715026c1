#include "gui/compute/units_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using lithora::compute::DensityUnit;
using lithora::compute::SonicUnit;

namespace {

// "DT (US/F):", or "DT (no unit):" for a curve the file gives no unit.
QString curveCaption(const std::string& curve, const std::string& unitText) {
    const QString unit =
        unitText.empty() ? QStringLiteral("no unit") : QString::fromStdString(unitText);
    return QStringLiteral("%1 (%2):").arg(QString::fromStdString(curve), unit);
}

// The question with a word joiner after every "/", so a unit ("g/cm3", "kg/m3") is never
// broken across lines where the label wraps.
QString unbrokenUnits(QString question) {
    return question.replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
}

template <typename Unit>
void preselect(QComboBox* box, const std::optional<Unit>& unit) {
    if (unit) box->setCurrentIndex(box->findData(static_cast<int>(*unit)));
}

}  // namespace

TSelectUnits::TSelectUnits(const QString& question,
                           const lithora::commands::UnitsDecision& decision, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Units of the Curves");
    setObjectName("TSelectUnits");
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(unbrokenUnits(question), this);
    text->setObjectName("questionLabel");
    text->setWordWrap(true);
    text->setMinimumWidth(380);
    layout->addWidget(text);

    auto* form = new QFormLayout;
    int n = 0;
    for (const auto& curve : decision.sonic) {
        auto* box = new QComboBox(this);
        box->setObjectName(n++ == 0 ? "sonicUnitBox" : "shearSonicUnitBox");
        box->addItem(QString::fromUtf8("microseconds per metre (µs/m)"),
                     static_cast<int>(SonicUnit::PerMetre));
        box->addItem(QString::fromUtf8("microseconds per foot (µs/ft)"),
                     static_cast<int>(SonicUnit::PerFoot));
        preselect(box, curve.preselect);
        form->addRow(curveCaption(curve.curve, curve.unitText), box);
        sonicBoxes_.push_back(box);
    }
    densityBox_ = new QComboBox(this);
    densityBox_->setObjectName("densityUnitBox");
    densityBox_->addItem(QString::fromUtf8("grams per cubic centimetre (g/cm³)"),
                         static_cast<int>(DensityUnit::GramsPerCc));
    densityBox_->addItem(QString::fromUtf8("kilograms per cubic metre (kg/m³)"),
                         static_cast<int>(DensityUnit::KgPerM3));
    preselect(densityBox_, decision.densityPreselect);
    form->addRow(curveCaption(decision.densityCurve, decision.densityUnitText), densityBox_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

lithora::workspace::ElasticUnits TSelectUnits::units() const {
    auto sonic = [this](std::size_t i) {
        const QComboBox* box = sonicBoxes_[std::min(i, sonicBoxes_.size() - 1)];
        return static_cast<SonicUnit>(box->currentData().toInt());
    };
    const SonicUnit p = sonicBoxes_.empty() ? SonicUnit::PerMetre : sonic(0);
    return {p, sonicBoxes_.size() > 1 ? sonic(1) : p,
            static_cast<DensityUnit>(densityBox_->currentData().toInt())};
}
