// Calculation > Fluid Substitution and AVO: the commands' state, the settings dialog, the
// windows, and their numbers against lithora-cli fluidsub and avo on a real file.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "core/commands/avo_model.h"
#include "core/commands/fluid_substitution.h"
#include "core/import/las_reader.h"
#include "core/rockphysics/batzle_wang.h"
#include "gui/display/depth_chart.h"
#include "gui/rockphysics/avo_window.h"
#include "gui/rockphysics/fluid_substitution_dialog.h"
#include "gui/rockphysics/fluid_substitution_window.h"
#include "gui/rockphysics/rock_physics_subsystem.h"
#include "gui/widgets/cross_plot.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/wiggle_gather.h"
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

TEST_F(RockPhysicsTest, TheCommandsAreOfferedOnceTheElasticParametersAreComputed) {
    auto* menu = form_->findChild<QMenu*>("calculationMenu");
    ASSERT_NE(menu, nullptr);
    const QAction* actions[] = {form_->action(CommandId::FluidSubstitution),
                                form_->action(CommandId::AvoModel)};
    auto expectEnabled = [&](bool enabled) {
        for (const QAction* a : actions)
            EXPECT_EQ(a->isEnabled(), enabled) << a->text().toStdString();
    };
    for (const QAction* a : actions) EXPECT_TRUE(menu->actions().contains(a));
    expectEnabled(false);
    importLas(kRealWell);
    expectEnabled(false);
    form_->action(CommandId::ElasticParameters)->trigger();
    expectEnabled(true);
    form_->action(CommandId::EmptyTable)->trigger();
    expectEnabled(false);
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

std::vector<std::string> fileLines(const QString& path) {
    std::vector<std::string> out;
    for (const QByteArray& line : fileBytes(path).split('\n'))
        if (!line.isEmpty())
            out.push_back(line.endsWith('\r') ? line.chopped(1).toStdString() : line.toStdString());
    return out;
}

// The window's numbers are those of lithora-cli avo for the same well, angles given or not:
// the table of every interface, line for line.
TEST_F(RockPhysicsTest, TheAvoWindowGivesTheNumbersOfTheCommandLine) {
    computeElastic(kRealWell);
    form_->action(CommandId::AvoModel)->trigger();
    const auto windows = form_->rockPhysicsSubsystem().avoWindows();
    ASSERT_EQ(windows.size(), 1u);
    AvoWindow* window = windows.front();
    auto cliTable = [&](const QStringList& extra) {
        const QString table = folder_.qfile("avo.tsv");
        QProcess cli;
        cli.start(QString::fromUtf8(LITHORA_CLI),
                  QStringList{"avo", testData(kRealWell), "--table", table} + extra);
        EXPECT_TRUE(cli.waitForFinished(120000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return fileLines(table);
    };
    EXPECT_EQ(commands::avoTableLines(window->result()), cliTable({}));
    EXPECT_GT(window->result().depth.size(), 2000u);

    // The intercept and gradient tracks, the gather of five angles, the cross plot.
    EXPECT_EQ(window->interceptTrack()->pointCount(),
              static_cast<int>(window->result().depth.size()));
    EXPECT_EQ(window->gradientTrack()->pointCount(),
              static_cast<int>(window->result().depth.size()));
    EXPECT_EQ(window->originalGather()->traceCount(), 5);
    EXPECT_GT(window->originalGather()->sampleCount(), 50);
    EXPECT_FALSE(window->substitutedGather()->isVisible());
    EXPECT_EQ(window->crossPlot()->pointCount(), window->result().depth.size());
    window->colourCrossPlotBy(1);
    EXPECT_EQ(window->crossPlot()->colouring(), "Depth");
    window->colourCrossPlotBy(2);  // the first source curve after the depth
    EXPECT_EQ(window->crossPlot()->colouring(), "SP(MV)");

    window->findChild<NumberBox*>("angleFrom")->setText("5");
    window->findChild<NumberBox*>("angleTo")->setText("35");
    window->findChild<NumberBox*>("angleStep")->setText("15");
    window->findChild<NumberBox*>("waveletFrequency")->setText("25");
    ASSERT_TRUE(window->applySettings());
    EXPECT_EQ(window->originalGather()->traceCount(), 3);
    EXPECT_EQ(commands::avoTableLines(window->result()), cliTable({"--angles", "5:35:15"}));
}

// Settings out of range are named in the window and change nothing.
TEST_F(RockPhysicsTest, AvoSettingsOutOfRangeAreNamed) {
    computeElastic(kRealWell);
    form_->action(CommandId::AvoModel)->trigger();
    AvoWindow* window = form_->rockPhysicsSubsystem().avoWindows().back();
    struct Case {
        const char* box;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"waveletFrequency", "0", "The wavelet frequency must be from 1 to 250 Hz."},
        {"timeStep", "x", "The time step must be from 0.1 to 20 ms."},
        {"timeStep", "12", "The time step is too long for the frequency: at most 8.33 ms."},
        {"angleTo", "85", "The angles must be whole degrees from 0 to 80."},
        {"angleFrom", "2.5", "The angles must be whole degrees from 0 to 80."},
        {"angleFrom", "50", "The first angle must not be above the last."},
        {"angleStep", "0", "The angle step must be above 0."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        auto* box = window->findChild<NumberBox*>(c.box);
        const QString before = box->text();
        box->setText(c.text);
        EXPECT_FALSE(window->applySettings());
        EXPECT_EQ(window->settingsError(), c.message);
        EXPECT_EQ(window->originalGather()->traceCount(), 5);
        box->setText(before);
    }
    EXPECT_TRUE(window->applySettings());
    EXPECT_EQ(window->settingsError(), "");
}

// After a fluid substitution the gather of the substituted rock stands beside the original:
// the AVO of the substituted Vp, Vs and density.
TEST_F(RockPhysicsTest, TheSubstitutedGatherStandsBesideTheOriginal) {
    computeElastic(kRealWell);
    FluidSubstitutionWindow* fluid = substitute();
    ASSERT_NE(fluid, nullptr);
    form_->action(CommandId::AvoModel)->trigger();
    AvoWindow* window = form_->rockPhysicsSubsystem().avoWindows().back();
    const auto& r = fluid->result();
    const auto expected = commands::modelAvoOfRock(form_->workspace(), {r.vpSub, r.vsSub, r.rhoSub},
                                                   window->settings().angles);
    EXPECT_EQ(window->substitutedResult().depth, expected.depth);
    EXPECT_EQ(window->substitutedResult().intercept, expected.intercept);
    EXPECT_FALSE(window->substitutedGather()->isHidden());
    EXPECT_EQ(window->substitutedGather()->traceCount(), 5);
    EXPECT_EQ(window->substitutedGather()->title(), "Substituted (Sw 0.2)");
    EXPECT_NE(window->substitutedResult().intercept, window->result().intercept);
    // The substitution's summary does not stay on the status line once the AVO window is up.
    EXPECT_EQ(form_->statusText(), "Ready");
}

}  // namespace
