#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QCompleter>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "core/store/table.h"
#include "gui/compute/select_logs.h"
#include "gui/compute/vs_equation.h"
#include "support/pointer.h"

namespace {

constexpr double kTol = 1e-12;

QPushButton* button(QWidget& dialog, const char* name) {
    auto* b = dialog.findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

// With LITHORA_DIALOGS_PNG set to a folder, saves what the dialog looks like there.
void savePicture(QWidget& dialog, const char* name) {
    const QByteArray dir = qgetenv("LITHORA_DIALOGS_PNG");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(dialog.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png"));
    }
}

class ComputeDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

TEST_F(ComputeDialogsTest, CurveDialogOffersEachRoleAndPresetsTheFirstCurve) {
    TSelectPL dialog({"RHOB", "RHOZ"}, {"GR"}, {"DT", "DTCO", "AC"}, {});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Elastic Parameters Calculation");
    EXPECT_EQ(dialog.size(), QSize(368, 247));
    for (const char* caption : {"Density", "Gamma Ray", "P-Wave", "S-Wave"}) {
        bool found = false;
        for (QLabel* l : dialog.findChildren<QLabel*>()) found = found || l->text() == caption;
        EXPECT_TRUE(found) << caption;
    }
    auto* density = dialog.findChild<QComboBox*>("densityBox");
    auto* pWave = dialog.findChild<QComboBox*>("pWaveBox");
    auto* sWave = dialog.findChild<QComboBox*>("sWaveBox");
    ASSERT_TRUE(density && pWave && sWave);
    EXPECT_EQ(items(density), (QStringList{"RHOB", "RHOZ"}));
    EXPECT_EQ(items(pWave), (QStringList{"DT", "DTCO", "AC"}));
    EXPECT_TRUE(density->isEditable());
    EXPECT_EQ(density->completer()->completionMode(), QCompleter::PopupCompletion);
    EXPECT_EQ(dialog.densityLog(), "RHOB");
    EXPECT_EQ(dialog.gammaRayLog(), "GR");
    EXPECT_EQ(dialog.pWaveLog(), "DT");
    EXPECT_EQ(dialog.sWaveLog(), "");  // no shear curve recognised
    savePicture(dialog, "select_logs");
}

TEST_F(ComputeDialogsTest, CurveDialogOkGivesWhatTheBoxesShowAndCancelRejects) {
    lithora::RoleLists roles;
    roles.density = {"RHOB"};
    roles.pWave = {"DT"};
    roles.sWave = {"DTS"};
    {
        TSelectPL dialog(roles);
        dialog.show();
        dialog.pWaveBox()->setEditText("DTCO");  // typed, not in the list
        dialog.sWaveBox()->lineEdit()->clear();  // the user empties a choice
        pressAndRelease(button(dialog, "okButton"));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.densityLog(), "RHOB");
        EXPECT_EQ(dialog.pWaveLog(), "DTCO");
        EXPECT_EQ(dialog.sWaveLog(), "");
        EXPECT_EQ(dialog.gammaRayLog(), "");
    }
    {
        TSelectPL dialog(roles);
        dialog.show();
        pressAndRelease(button(dialog, "cancelButton"));
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

TEST_F(ComputeDialogsTest, VsDialogOpensWithTheLinearEquationAndItsDefaults) {
    TVsEquation dialog({"Rec", "DEPTH", "DT", "GR"});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Vs Equation");
    // 571 x 666, or larger where the desktop's fonts and the lines of the choice by lithology
    // need it: no control is cut off.
    EXPECT_GE(dialog.width(), 571);
    EXPECT_GE(dialog.height(), 666);
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->parentWidget() != &dialog) continue;
        EXPECT_TRUE(dialog.rect().contains(w->geometry())) << w->metaObject()->className();
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->metaObject()->className();
    }
    EXPECT_EQ(dialog.sqrt3Option()->text(), "Vs = Vp / 1.73205");
    EXPECT_TRUE(dialog.linearOption()->isChecked());
    EXPECT_EQ(dialog.slopeBox()->text(), "0.8619");
    EXPECT_EQ(dialog.interceptBox()->text(), "1172");
    savePicture(dialog, "vs_equation");
    pressAndRelease(button(dialog, "okButton"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const auto s = dialog.settings();
    EXPECT_EQ(s.kind, lithora::compute::VsEquationKind::Linear);
    EXPECT_NEAR(s.slope, 0.8619, kTol);
    EXPECT_NEAR(s.intercept, 1172, kTol);
}

TEST_F(ComputeDialogsTest, VsDialogStoresEditedCoefficientsAndDefaultsRestoresThem) {
    TVsEquation dialog({"Rec", "DEPTH", "DT"});
    dialog.show();
    dialog.slopeBox()->selectAll();
    QTest::keyClicks(dialog.slopeBox(), "0.8");
    dialog.interceptBox()->selectAll();
    QTest::keyClicks(dialog.interceptBox(), "-1000");  // stored as it stands, sign included
    EXPECT_NEAR(dialog.settings().slope, 0.8, kTol);
    EXPECT_NEAR(dialog.settings().intercept, -1000, kTol);

    pressAndRelease(button(dialog, "defaultsButton"));
    EXPECT_NEAR(dialog.settings().slope, 0.8619, kTol);
    EXPECT_NEAR(dialog.settings().intercept, 1172, kTol);
    EXPECT_EQ(dialog.result(), 0);  // "Defaults" does not close the dialog
    EXPECT_TRUE(dialog.isVisible());

    dialog.slopeBox()->setValue(0.8);
    dialog.interceptBox()->setValue(1000);
    dialog.sqrt3Option()->click();
    pressAndRelease(button(dialog, "okButton"));
    const auto s = dialog.settings();
    EXPECT_EQ(
        s.kind,
        lithora::compute::VsEquationKind::Sqrt3);  // the boxes are stored with either equation
    EXPECT_NEAR(s.slope, 0.8, kTol);
    EXPECT_NEAR(s.intercept, 1000, kTol);
}

// The choice by lithology is offered only while the litholog holds intervals; it shows the
// four lines and names the linear equation as the fallback, whose boxes it keeps.
TEST_F(ComputeDialogsTest, VsByLithologyIsOfferedWithALithologAndShowsItsLines) {
    TVsEquation dialog({"Rec", "DEPTH", "DT"});
    dialog.show();
    ASSERT_NE(dialog.lithologyOption(), nullptr);
    EXPECT_EQ(dialog.lithologyOption()->text(), "By lithology (litholog)");
    EXPECT_FALSE(dialog.lithologyOption()->isEnabled());

    dialog.setLithologAvailable(true);
    EXPECT_TRUE(dialog.lithologyOption()->isEnabled());
    const QString lines = dialog.lithologyLines()->text();
    for (const char* line : {"Sandstone:  Vs = 0.80416 Vp - 0.85588",
                             "Limestone:  Vs = -0.05508 Vp² + 1.01677 Vp - 1.03049",
                             "Dolomite:  Vs = 0.58321 Vp - 0.07775",
                             "Shale:  Vs = 0.76969 Vp - 0.86735", "km/s", "the linear equation"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line;
    const QLabel* shown = dialog.lithologyLines();
    EXPECT_TRUE(dialog.rect().contains(QRect(shown->mapTo(&dialog, QPoint()), shown->size())));
    EXPECT_GE(shown->height(), shown->sizeHint().height());  // no line cut off
    savePicture(dialog, "vs_equation_lithology");

    dialog.lithologyOption()->click();
    dialog.slopeBox()->setValue(0.8);
    pressAndRelease(button(dialog, "okButton"));
    const auto s = dialog.settings();
    EXPECT_EQ(s.kind, lithora::compute::VsEquationKind::Lithology);
    EXPECT_NEAR(s.slope, 0.8, kTol);  // the fallback's coefficients
    EXPECT_NEAR(s.intercept, 1172, kTol);

    // Without intervals the choice falls back to the linear equation.
    dialog.setLithologAvailable(false);
    EXPECT_TRUE(dialog.linearOption()->isChecked());
    EXPECT_EQ(dialog.settings().kind, lithora::compute::VsEquationKind::Linear);
}

TEST_F(ComputeDialogsTest, VsDialogCancelAndCloseReject) {
    {
        TVsEquation dialog({});
        dialog.show();
        pressAndRelease(button(dialog, "cancelButton"));
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    {
        TVsEquation dialog({});
        dialog.show();
        dialog.close();  // the title-bar close box
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

TEST_F(ComputeDialogsTest, UnderDevelopmentSectionIsDisabledThroughout) {
    TVsEquation dialog({"Rec", "DEPTH", "DT", "PHI", "GR"});
    dialog.show();
    QWidget* section = dialog.underDevelopment();
    ASSERT_NE(section, nullptr);
    const auto widgets = section->findChildren<QWidget*>();
    ASSERT_GT(widgets.size(), 20);
    for (QWidget* w : widgets) EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();

    const auto radios = section->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    pressAndRelease(radios[0]);
    EXPECT_FALSE(radios[0]->isChecked());
    EXPECT_TRUE(dialog.linearOption()->isChecked());

    const auto calculate = section->findChildren<QPushButton*>();
    EXPECT_EQ(calculate.size(), 2);
    const auto lists = section->findChildren<QComboBox*>();
    ASSERT_EQ(lists.size(), 6);
    for (QComboBox* box : lists) {
        EXPECT_EQ(items(box), (QStringList{"Rec", "DEPTH", "DT", "PHI", "GR"}));
        EXPECT_EQ(box->currentIndex(), -1);  // nothing preselected
    }
}

TEST_F(ComputeDialogsTest, VsDialogListsTheSourceFieldsWithoutCounting) {
    QTemporaryDir dir;
    lithora::store::Table t(std::filesystem::path(dir.filePath("Table.db").toStdString()));
    using lithora::store::FieldType;
    for (const char* name : {"Rec", "DEPTH", "DT", "Counting"})
        t.addFieldDef({name, std::string(name) == "Rec" ? FieldType::Integer : FieldType::Float});
    t.createTable();
    t.open();
    EXPECT_EQ(TVsEquation::sourceFieldNames(t), (QStringList{"Rec", "DEPTH", "DT"}));
}

}  // namespace
