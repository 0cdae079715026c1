#include "gui/compute/units_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using lithora::compute::DensityUnit;
using lithora::compute::SonicUnit;

TSelectUnits::TSelectUnits(const QString& question, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Units of the Curves");
    setObjectName("TSelectUnits");
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(question, this);
    text->setObjectName("questionLabel");
    text->setWordWrap(true);
    text->setMinimumWidth(380);
    layout->addWidget(text);

    auto* form = new QFormLayout;
    sonicBox_ = new QComboBox(this);
    sonicBox_->setObjectName("sonicUnitBox");
    sonicBox_->addItem(QString::fromUtf8("microseconds per metre (µs/m)"),
                       static_cast<int>(SonicUnit::PerMetre));
    sonicBox_->addItem(QString::fromUtf8("microseconds per foot (µs/ft)"),
                       static_cast<int>(SonicUnit::PerFoot));
    densityBox_ = new QComboBox(this);
    densityBox_->setObjectName("densityUnitBox");
    densityBox_->addItem(QString::fromUtf8("grams per cubic centimetre (g/cm³)"),
                         static_cast<int>(DensityUnit::GramsPerCc));
    densityBox_->addItem(QString::fromUtf8("kilograms per cubic metre (kg/m³)"),
                         static_cast<int>(DensityUnit::KgPerM3));
    form->addRow("Sonic curves:", sonicBox_);
    form->addRow("Density curve:", densityBox_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

lithora::workspace::ElasticUnits TSelectUnits::units() const {
    return {static_cast<SonicUnit>(sonicBox_->currentData().toInt()),
            static_cast<DensityUnit>(densityBox_->currentData().toInt())};
}

void TSelectUnits::setUnits(const lithora::workspace::ElasticUnits& units) {
    sonicBox_->setCurrentIndex(sonicBox_->findData(static_cast<int>(units.sonic)));
    densityBox_->setCurrentIndex(densityBox_->findData(static_cast<int>(units.density)));
}
