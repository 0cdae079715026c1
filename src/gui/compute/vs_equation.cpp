#include "gui/compute/vs_equation.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "core/rockphysics/lithology_vs.h"
#include "core/store/table.h"

namespace {

QFont pixelFont(int pixels, bool bold) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// A number box that shows its value in its shortest form (0.8619, 1172) rather than with a
// fixed count of decimals, and always holds a number.
class CoefficientBox : public QDoubleSpinBox {
  public:
    explicit CoefficientBox(QWidget* parent) : QDoubleSpinBox(parent) {
        setDecimals(8);
        setRange(-1e9, 1e9);
        setButtonSymbols(QAbstractSpinBox::NoButtons);
        setFixedWidth(80);
        QLocale l;
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        setLocale(l);
    }
    QString textFromValue(double value) const override { return locale().toString(value, 'g', 15); }
};

QComboBox* fieldList(const QStringList& fields, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(6);
    box->addItems(fields);
    box->setCurrentIndex(-1);  // nothing preselected
    return box;
}

QDoubleSpinBox* plainBox(QWidget* parent, int decimals, double min, double max) {
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(decimals);
    box->setRange(min, max);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setFixedWidth(62);
    return box;
}

// The three lists, captioned, of one under-development equation.
QWidget* logLists(const QStringList& fields, QWidget* parent) {
    auto* w = new QWidget(parent);
    auto* grid = new QGridLayout(w);
    grid->setContentsMargins(0, 0, 0, 0);
    int column = 0;
    for (const QString& caption :
         {QObject::tr("DT Log"), QObject::tr("Phi Log"), QObject::tr("G-Ray Log")}) {
        grid->addWidget(new QLabel(caption, w), 0, column);
        grid->addWidget(fieldList(fields, w), 1, column);
        ++column;
    }
    return w;
}

QGroupBox* coefficientGroup(const QString& first, QWidget* parent) {
    auto* group = new QGroupBox(parent);
    auto* row = new QHBoxLayout(group);
    for (const QString& caption : {first, QObject::tr("A ="), QObject::tr("B =")}) {
        row->addWidget(new QLabel(caption, group));
        row->addWidget(plainBox(group, 4, -1e9, 1e9));
    }
    return group;
}

// "0.80416 Vp - 0.85588", "-0.05508 Vp² + 1.01677 Vp - 1.03049": one class's line as it is
// written, terms with a zero coefficient left out.
QString lineText(const lithora::rockphysics::VsLine& line) {
    QString text;
    auto term = [&text](double a, const QString& power) {
        if (a == 0) return;
        const QString number = QString::number(std::abs(a), 'g', 15);
        if (text.isEmpty())
            text = (a < 0 ? QStringLiteral("-") : QString()) + number;
        else
            text += (a < 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) + number;
        text += power;
    };
    term(line.a2, QStringLiteral(" Vp²"));
    term(line.a1, QStringLiteral(" Vp"));
    term(line.a0, QString());
    return text;
}

// The four lines of the choice by lithology, and the equation that serves the other depths.
QString lithologyLinesText() {
    static const char* const kClasses[] = {"Sandstone", "Limestone", "Dolomite", "Shale"};
    QString text = QObject::tr("Vs = a2 Vp² + a1 Vp + a0, Vs and Vp in km/s:");
    for (int c = 0; c < lithora::rockphysics::kRockClassCount; ++c)
        text += QStringLiteral("\n    %1:  Vs = %2")
                    .arg(QObject::tr(kClasses[c]),
                         lineText(lithora::rockphysics::kGreenbergCastagnaLines[c]));
    text += QObject::tr("\nA depth the litholog gives no class: the linear equation above.");
    return text;
}

}  // namespace

TVsEquation::TVsEquation(const QStringList& sourceFields, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Vs Equation"));
    resize(571, 666);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    for (const QString& text : {tr("Vs log was not recognized in the file."),
                                tr("Which equation do you wish to be used for Vs calculation ?")}) {
        auto* heading = new QLabel(text, this);
        heading->setFont(pixelFont(13, true));
        layout->addWidget(heading);
    }

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("equationPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(panel, 1);

    auto* options = new QButtonGroup(this);
    sqrt3_ = new QRadioButton(tr("Vs = Vp / 1.73205"), panel);
    sqrt3_->setObjectName(QStringLiteral("sqrt3Option"));
    options->addButton(sqrt3_, 0);
    panelLayout->addWidget(sqrt3_);

    auto* linearRow = new QHBoxLayout;
    linear_ = new QRadioButton(tr("Vs = "), panel);
    linear_->setObjectName(QStringLiteral("linearOption"));
    linear_->setChecked(true);
    options->addButton(linear_, 1);
    slope_ = new CoefficientBox(panel);
    slope_->setObjectName(QStringLiteral("slopeBox"));
    intercept_ = new CoefficientBox(panel);
    intercept_->setObjectName(QStringLiteral("interceptBox"));
    auto* defaults = new QPushButton(tr("Defaults"), panel);
    defaults->setObjectName(QStringLiteral("defaultsButton"));
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this, &TVsEquation::restoreDefaults);
    linearRow->addWidget(linear_);
    linearRow->addWidget(slope_);
    linearRow->addWidget(new QLabel(tr("Vp - "), panel));
    linearRow->addWidget(intercept_);
    linearRow->addWidget(defaults);
    linearRow->addStretch();
    panelLayout->addLayout(linearRow);

    lithology_ = new QRadioButton(tr("By lithology (litholog)"), panel);
    lithology_->setObjectName(QStringLiteral("lithologyOption"));
    options->addButton(lithology_, 2);
    panelLayout->addWidget(lithology_);
    lithologyLines_ = new QLabel(lithologyLinesText(), panel);
    lithologyLines_->setObjectName(QStringLiteral("lithologyLines"));
    lithologyLines_->setContentsMargins(24, 0, 0, 0);
    panelLayout->addWidget(lithologyLines_);
    setLithologAvailable(false);

    auto* devRow = new QHBoxLayout;
    auto* devHeading = new QLabel(tr("Under Development"), panel);
    devHeading->setObjectName(QStringLiteral("underDevelopmentHeading"));
    devHeading->setFont(pixelFont(20, true));
    devHeading->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    devHeading->setWordWrap(true);
    devRow->addWidget(devHeading);
    underDevelopment_ = buildUnderDevelopment(sourceFields);
    devRow->addWidget(underDevelopment_, 1);
    panelLayout->addLayout(devRow, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(tr("Ok"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0); font-weight: bold;"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); font-weight: bold;"));
    cancel->setAutoDefault(false);
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    restoreDefaults();
}

QWidget* TVsEquation::buildUnderDevelopment(const QStringList& fields) {
    auto* section = new QWidget(this);
    section->setObjectName(QStringLiteral("underDevelopment"));
    auto* v = new QVBoxLayout(section);
    v->setContentsMargins(0, 0, 0, 0);
    auto* options = new QButtonGroup(section);  // apart from the two equations above

    auto* first = new QRadioButton(tr("Vs = 0.67 V0 - 0.75 A Phi - 0.92 B Vc"), section);
    options->addButton(first);
    v->addWidget(first);
    v->addWidget(logLists(fields, section));
    auto* range = new QGroupBox(section);
    auto* rangeRow = new QHBoxLayout(range);
    rangeRow->addWidget(new QLabel(tr("From :"), range));
    rangeRow->addWidget(plainBox(range, 2, 0, 1e9));
    rangeRow->addWidget(new QLabel(tr("To :"), range));
    rangeRow->addWidget(plainBox(range, 2, 0, 1e9));
    v->addWidget(range);
    v->addWidget(new QPushButton(tr("Calculate"), section));
    v->addWidget(coefficientGroup(tr("V0 ="), section));

    auto* second = new QRadioButton(
        tr("Vs = 0.67 V0 - 0.75 A Phi - 0.92 B Vc        (Second Approach)"), section);
    options->addButton(second);
    v->addWidget(second);
    v->addWidget(logLists(fields, section));
    auto* v0Row = new QHBoxLayout;
    v0Row->addWidget(new QLabel(tr("V0 = "), section));
    auto* factor = plainBox(section, 2, -1e9, 1e9);
    factor->setValue(1.2);
    v0Row->addWidget(factor);
    v0Row->addWidget(new QLabel(tr(". Vmax ="), section));
    v0Row->addWidget(plainBox(section, 0, -1e9, 1e9));
    v0Row->addStretch();
    v->addLayout(v0Row);
    auto* cutoffRow = new QHBoxLayout;
    cutoffRow->addWidget(new QLabel(tr("Shale Value Cutoff = "), section));
    auto* cutoff = new QSpinBox(section);
    cutoff->setRange(0, 100);
    cutoff->setValue(5);
    cutoff->setButtonSymbols(QAbstractSpinBox::NoButtons);
    cutoff->setFixedWidth(40);
    cutoffRow->addWidget(cutoff);
    cutoffRow->addWidget(new QLabel(tr("%"), section));
    cutoffRow->addStretch();
    v->addLayout(cutoffRow);
    v->addWidget(new QPushButton(tr("Calculate"), section));
    v->addWidget(coefficientGroup(tr("Vmax ="), section));
    v->addStretch();

    // Every control of the section is disabled and stays so.
    for (QWidget* w : section->findChildren<QWidget*>()) w->setEnabled(false);
    section->setEnabled(false);
    return section;
}

QStringList TVsEquation::sourceFieldNames(const lithora::store::Table& source) {
    QStringList names;
    for (int i = 0; i + 1 < source.fieldCount(); ++i)
        names << QString::fromStdString(source.field(i).def.name);
    return names;
}

void TVsEquation::accept() {
    // A value still being typed counts as it stands.
    slope_->interpretText();
    intercept_->interpretText();
    QDialog::accept();
}

void TVsEquation::restoreDefaults() {
    slope_->setValue(kDefaultSlope);
    intercept_->setValue(kDefaultIntercept);
}

void TVsEquation::setLithologAvailable(bool available) {
    if (!available && lithology_->isChecked()) linear_->setChecked(true);
    lithology_->setEnabled(available);
    lithologyLines_->setEnabled(available);
}

lithora::compute::VsSettings TVsEquation::settings() const {
    using lithora::compute::VsEquationKind;
    lithora::compute::VsSettings s;
    s.kind = sqrt3_->isChecked()       ? VsEquationKind::Sqrt3
             : lithology_->isChecked() ? VsEquationKind::Lithology
                                       : VsEquationKind::Linear;
    s.slope = slope_->value();
    s.intercept = intercept_->value();
    return s;
}
