#include "gui/compute/elastic_controller.h"

#include <QWidget>
#include <utility>

#include "core/commands/compute_elastic.h"
#include "core/workspace/workspace.h"
#include "gui/compute/select_logs.h"
#include "gui/compute/units_dialog.h"
#include "gui/compute/vs_equation.h"

namespace commands = lithora::commands;

ElasticController::ElasticController(ShellServices& shell, QObject* parent)
    : QObject(parent), shell_(shell) {}

void ElasticController::computeElasticParameters() {
    auto& ws = shell_.workspace();
    if (!ws.loaded() || !ws.source().isOpen()) return;

    commands::CurveChoice choice;
    {
        TSelectPL dialog(ws, shell_.dialogParent());
        const bool accepted = shell_.seam().exec(dialog) == QDialog::Accepted;
        if (accepted)
            choice = {dialog.densityLog().toStdString(), dialog.gammaRayLog().toStdString(),
                      dialog.pWaveLog().toStdString(), dialog.sWaveLog().toStdString()};
        if (shell_.dialogParent()) shell_.dialogParent()->repaint();
        if (!accepted) return;
    }
    // Every typed name is checked before any further question; a name that is a curve of the
    // file is used for its role whatever the recognition found.
    const auto plan = commands::planCurves(ws, choice);
    if (plan.stop == commands::CurvePlan::Stop::UnknownCurve) {
        shell_.message(QMessageBox::Critical, QString::fromStdString(plan.message));
        return;
    }
    if (!plan.proceed()) return;

    lithora::compute::VsSettings vs;
    std::vector<lithora::rockphysics::LithologyInterval> litholog;
    if (!plan.measuredVs) {
        litholog = commands::lithologyIntervals(ws);
        TVsEquation dialog(TVsEquation::sourceFieldNames(ws.source()), shell_.dialogParent());
        dialog.setLithologAvailable(!litholog.empty());
        if (shell_.seam().exec(dialog) != QDialog::Accepted) return;
        vs = dialog.settings();
    }
    const bool byLithology = vs.kind == lithora::compute::VsEquationKind::Lithology;
    if (!byLithology) litholog.clear();

    // Units the file leaves open are asked for; without an answer nothing is computed.
    const auto decision = commands::decideUnits(ws, choice, plan.measuredVs);
    auto units = decision.units();
    if (!units) {
        const QString unknown = QString::fromStdString(decision.unknownText());
        TSelectUnits dialog(unknown + "\n\nIn which units are the curves?", decision,
                            shell_.dialogParent());
        if (shell_.seam().exec(dialog) == QDialog::Accepted) units = dialog.units();
        if (!units) {
            shell_.message(QMessageBox::Warning,
                           unknown + "\n\nThe elastic parameters were not computed.");
            return;
        }
    }

    const QString error =
        computeWith(commands::ElasticRequest{choice, plan.measuredVs, *units, vs, litholog});
    if (!error.isEmpty()) shell_.message(QMessageBox::Critical, error);
}

QString ElasticController::computeWith(lithora::commands::ElasticRequest request) {
    auto& ws = shell_.workspace();
    const bool byLithology = request.vs.kind == lithora::compute::VsEquationKind::Lithology;
    shell_.setStatus("Calculating elastic parameters, please wait...");
    shell_.followSourceRow(false);
    QString error;
    {
        BusyCursor busy;
        // The table is filled before the windows hear of it, so a curve name that is no field
        // (typed into the curve dialog) leaves the earlier results and their tracks as they
        // were; a window that fails to show the results makes this the command's error.
        // Known before the windows hear of the new results; a failure leaves the earlier
        // results, and so the request that made them.
        auto earlier = std::exchange(lastRequest_, std::move(request));
        error = QString::fromStdString(commands::computeElastic(ws, *lastRequest_));
        if (!error.isEmpty()) lastRequest_ = std::move(earlier);
    }
    shell_.followSourceRow(true);
    // After Vs by lithology the status line says how many samples took each line.
    shell_.setStatus(
        byLithology && error.isEmpty()
            ? QString::fromStdString(commands::lithologyVsSummary(ws.lithologyVsCounts()))
            : QStringLiteral("Ready"));
    return error;
}
