// Calculation > Fluid Substitution: the command's state, the settings dialog, the window and
// its Save as LAS against lithora-cli fluidsub on a real file.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "core/commands/fluid_substitution.h"
#include "core/import/las_reader.h"
#include "core/rockphysics/batzle_wang.h"
#include "gui/display/depth_chart.h"
#include "gui/rockphysics/fluid_substitution_dialog.h"
#include "gui/rockphysics/fluid_substitution_window.h"
#include "gui/rockphysics/rock_physics_subsystem.h"
#include "gui/widgets/cross_plot.h"
#include "gui/widgets/number_box.h"
#include "support/main_window.h"
#include "support/test_paths.h"

namespace {

using lithora::test::MainWindowTest;
using lithora::test::testData;
namespace commands = lithora::commands;

constexpr const char* kRealWell = "external/las-external/welly/tests/assets/example_1.las";

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class RockPhysicsTest : public MainWindowTest {
  protected:
    // Imports a file and computes its elastic parameters with what the dialogs propose.
    void computeElastic(const char* file) {
        importLas(file);
        form_->action(CommandId::ElasticParameters)->trigger();
        ASSERT_FALSE(form_->workspace().elastic().isEmpty());
    }
    // Runs Fluid Substitution with the dialog's settings changed by answer.
    FluidSubstitutionWindow* substitute(
        const std::function<void(FluidSubstitutionDialog&)>& answer = {}) {
        auto previous = seam_->onDialog;
        seam_->onDialog = [&](QDialog& d) {
            auto* dialog = qobject_cast<FluidSubstitutionDialog*>(&d);
            if (!dialog) return previous(d);
            if (answer) answer(*dialog);
            dialog->accept();
            return dialog->result();
        };
        form_->action(CommandId::FluidSubstitution)->trigger();
        seam_->onDialog = previous;
        const auto windows = form_->rockPhysicsSubsystem().fluidWindows();
        return windows.empty() ? nullptr : windows.back();
    }
    static void type(QDialog& dialog, const char* box, const QString& text) {
        auto* b = dialog.findChild<NumberBox*>(box);
        ASSERT_NE(b, nullptr) << box;
        b->setText(text);
    }
};

TEST_F(RockPhysicsTest, FluidSubstitutionIsOfferedOnceTheElasticParametersAreComputed) {
    QAction* fluid = form_->action(CommandId::FluidSubstitution);
    auto* menu = form_->findChild<QMenu*>("calculationMenu");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions().contains(fluid));
    EXPECT_FALSE(fluid->isEnabled());
    importLas(kRealWell);
    EXPECT_FALSE(fluid->isEnabled());
    form_->action(CommandId::ElasticParameters)->trigger();
    EXPECT_TRUE(fluid->isEnabled());
    form_->action(CommandId::EmptyTable)->trigger();
    EXPECT_FALSE(fluid->isEnabled());
}

// The desktop's Save as LAS writes the file lithora-cli fluidsub -o writes for the same well
// and settings, byte for byte; the program's own reader reads it back.
TEST_F(RockPhysicsTest, SaveAsLasWritesWhatTheCommandLineWrites) {
    computeElastic(kRealWell);
    FluidSubstitutionWindow* window = substitute([](FluidSubstitutionDialog& d) {
        type(d, "swBefore", "1");
        type(d, "swAfter", "0.2");
    });
    ASSERT_NE(window, nullptr);
    const auto& result = window->result();
    const QString summary = QString::fromStdString(commands::fluidSubstitutionSummary(result));
    EXPECT_EQ(form_->statusText(), summary);
    EXPECT_EQ(window->summary(), summary);
    EXPECT_TRUE(summary.contains("1951 samples substituted")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("left out (porosity not between 0 and 1)"));

    seam_->saveFile = folder_.qfile("desktop.las");
    ASSERT_TRUE(window->saveAsLas());
    const QString cliFile = folder_.qfile("cli.las");
    QProcess cli;
    cli.start(QString::fromUtf8(LITHORA_CLI),
              {"fluidsub", testData(kRealWell), "--porosity-from-density", "--sw-from", "1",
               "--sw-to", "0.2", "-o", cliFile});
    ASSERT_TRUE(cli.waitForFinished(120000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QByteArray desktop = fileBytes(seam_->saveFile);
    ASSERT_FALSE(desktop.isEmpty());
    EXPECT_EQ(desktop, fileBytes(cliFile));

    const auto back = lithora::import::readLasFile(seam_->saveFile.toStdString());
    ASSERT_EQ(back.fieldNames.size(), 15u);  // the depth, Vp, Vs, rho and 11 more parameters
    EXPECT_EQ(back.fieldNames[1], "VP");
    ASSERT_EQ(back.columns[1].size(), result.vpSub.size());
    for (std::size_t i = 0; i < result.vpSub.size(); ++i) {
        if (std::isnan(result.vpSub[i])) continue;
        EXPECT_NEAR(back.columns[1][i], result.vpSub[i], 1e-4) << i;
    }
}

TEST_F(RockPhysicsTest, TheWindowDrawsTheOriginalAndTheSubstitutedRock) {
    computeElastic(kRealWell);
    FluidSubstitutionWindow* window = substitute();
    ASSERT_NE(window, nullptr);
    const std::size_t rows = window->result().vp.size();
    const char* titles[] = {"Vp Sub (m/s)", "Vs Sub (m/s)", "Rho Sub (Kg/m3)", "Vp/Vs Sub",
                            "P-IMP Sub (Mg/sm2)"};
    for (int k = 1; k <= FluidSubstitutionWindow::kTrackCount; ++k) {
        SCOPED_TRACE(k);
        DepthChart* t = window->track(k);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->axisCount(), 2);
        EXPECT_EQ(t->axisTitle(DepthChart::Top), titles[k - 1]);
        EXPECT_EQ(t->pointCount(DepthChart::Top), static_cast<int>(rows));
        EXPECT_EQ(t->pointCount(DepthChart::Bottom), static_cast<int>(rows));
        // One value range for both curves.
        EXPECT_EQ(t->valueRange(DepthChart::Top).lo, t->valueRange(DepthChart::Bottom).lo);
        EXPECT_EQ(t->valueRange(DepthChart::Top).hi, t->valueRange(DepthChart::Bottom).hi);
        // The menu of every depth chart.
        QStringList items;
        for (QAction* a : t->popupMenu()->actions()) items << a->text();
        EXPECT_TRUE(items.contains("Print")) << items.join(",").toStdString();
    }
    // Gas in place of brine: a lighter rock.
    const auto& r = window->result();
    for (std::size_t i = 0; i < rows; ++i)
        if (!std::isnan(r.rhoSub[i])) {
            EXPECT_LT(r.rhoSub[i], r.rho[i]) << i;
        }
    EXPECT_EQ(window->crossPlot()->pointCount(), rows);
    EXPECT_EQ(window->crossPlot()->overlayPointCount(), rows);
    EXPECT_EQ(window->crossPlot()->message(), "");
}

// A depth filter substitutes again over the visible samples with the same settings; Empty
// Table closes the window.
TEST_F(RockPhysicsTest, TheWindowFollowsTheDepthFilterAndClosesWithTheWell) {
    computeElastic(kRealWell);
    FluidSubstitutionWindow* window =
        substitute([](FluidSubstitutionDialog& d) { type(d, "swAfter", "0.5"); });
    ASSERT_NE(window, nullptr);
    const std::size_t all = window->result().vp.size();
    form_->workspace().applyDepthFilter(1800, 1900);
    const auto& r = window->result();
    ASSERT_GT(r.depth.size(), 0u);
    EXPECT_LT(r.depth.size(), all);
    EXPECT_GE(r.depth.front(), 1800);
    EXPECT_LE(r.depth.back(), 1900);
    EXPECT_EQ(window->request().swAfter, 0.5);
    EXPECT_EQ(window->track(1)->pointCount(), static_cast<int>(r.depth.size()));
    form_->workspace().undoDepthFilter();
    EXPECT_EQ(window->result().vp.size(), all);

    QPointer<FluidSubstitutionWindow> watched(window);
    seam_->answers = {QMessageBox::Yes};  // empty it although the results are not saved
    form_->action(CommandId::EmptyTable)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
}

// Ok checks every range and names the first setting out of range; the dialog stays open.
TEST_F(RockPhysicsTest, OkNamesTheSettingOutOfRange) {
    struct Case {
        const char* box;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"swBefore", "-0.1", "Sw before must be from 0 to 1."},
        {"swAfter", "1.5", "Sw after must be from 0 to 1."},
        {"mineralModulus", "0", "The mineral modulus must be above 0."},
        {"hydrocarbonDensity", "abc", "The hydrocarbon density is not a number."},
        {"matrixDensity", "0.5", "The matrix density must be above the density of the fluid."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        FluidSubstitutionDialog dialog({"NPHI"});
        type(dialog, c.box, c.text);
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.errorText(), c.message);
    }
    // Fluids from conditions: their ranges, then the fluids of Batzle and Wang.
    FluidSubstitutionDialog dialog({"NPHI"});
    dialog.findChild<QRadioButton*>("fluidConditions")->setChecked(true);
    type(dialog, "porePressure", "0");
    dialog.accept();
    EXPECT_EQ(dialog.errorText(), "The pore pressure must be above 0.");
    type(dialog, "porePressure", "30");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const auto settings = dialog.settings();
    const auto brine = lithora::rockphysics::brineProperties(80, 30, 50000).phase;
    const auto gas = lithora::rockphysics::gasProperties(80, 30, 0.6).phase;
    EXPECT_EQ(settings.request.brine.modulusGPa, brine.modulusGPa);
    EXPECT_EQ(settings.request.hydrocarbon.densityGcc, gas.densityGcc);
    EXPECT_TRUE(settings.request.porosityCurve.empty());  // from the density
}

// A preset fills its values; a porosity curve is passed by name.
TEST_F(RockPhysicsTest, PresetsFillTheirValues) {
    FluidSubstitutionDialog dialog({"NPHI", "PHIT"});
    dialog.findChild<QComboBox*>("mineralPreset")->setCurrentText("Dolomite");
    dialog.findChild<QComboBox*>("hydrocarbonPreset")->setCurrentText("Oil");
    dialog.findChild<QComboBox*>("porositySource")->setCurrentText("PHIT");
    const auto r = dialog.settings().request;
    EXPECT_EQ(r.mineral.modulusGPa, 94.9);
    EXPECT_EQ(r.mineral.densityGcc, 2.87);
    EXPECT_EQ(r.hydrocarbon.modulusGPa, 1.0);
    EXPECT_EQ(r.hydrocarbon.densityGcc, 0.8);
    EXPECT_EQ(r.porosityCurve, "PHIT");
    EXPECT_TRUE(dialog.settings().error.isEmpty());
}

}  // namespace
