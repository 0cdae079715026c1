#include "gui/compute/elastic_controller.h"

#include <QWidget>

#include "core/commands/compute_elastic.h"
#include "core/workspace/workspace.h"
#include "gui/compute/select_logs.h"
#include "gui/compute/units_dialog.h"
#include "gui/compute/vs_equation.h"

namespace commands = lithora::commands;

ElasticController::ElasticController(CommandContext context, ElasticView& view, QObject* parent)
    : QObject(parent), ctx_(std::move(context)), view_(view) {}

void ElasticController::computeElasticParameters() {
    auto& ws = ctx_.workspace;
    if (!ws.loaded() || !ws.source().isOpen()) return;

    commands::CurveChoice choice;
    {
        TSelectPL dialog(ws, ctx_.parent);
        const bool accepted = ctx_.seam.exec(dialog) == QDialog::Accepted;
        if (accepted)
            choice = {dialog.densityLog().toStdString(), dialog.gammaRayLog().toStdString(),
                      dialog.pWaveLog().toStdString(), dialog.sWaveLog().toStdString()};
        if (ctx_.parent) ctx_.parent->repaint();
        if (!accepted) return;
    }
    // Every typed name is checked before any further question; a name that is a curve of the
    // file is used for its role whatever the recognition found.
    const auto plan = commands::planCurves(ws, choice);
    if (plan.stop == commands::CurvePlan::Stop::UnknownCurve) {
        ctx_.message(QMessageBox::Critical, QString::fromStdString(plan.message));
        return;
    }
    if (!plan.proceed()) return;

    lithora::compute::VsSettings vs;
    if (!plan.measuredVs) {
        TVsEquation dialog(TVsEquation::sourceFieldNames(ws.source()), ctx_.parent);
        if (ctx_.seam.exec(dialog) != QDialog::Accepted) return;
        vs = dialog.settings();
    }

    // Units the file leaves open are asked for; without an answer nothing is computed.
    const auto decision = commands::decideUnits(ws, choice, plan.measuredVs);
    auto units = decision.units();
    if (!units) {
        const QString unknown = QString::fromStdString(decision.unknownText());
        TSelectUnits dialog(unknown + "\n\nIn which units are the curves?", decision, ctx_.parent);
        if (ctx_.seam.exec(dialog) == QDialog::Accepted) units = dialog.units();
        if (!units) {
            ctx_.message(QMessageBox::Warning,
                         unknown + "\n\nThe elastic parameters were not computed.");
            return;
        }
    }

    ctx_.status("Calculating elastic parameters, please wait...");
    view_.elasticBegun();
    QString error;
    {
        BusyCursor busy;
        // The table is filled before the tracks are made, so a curve name that is no field
        // (typed into the curve dialog) leaves the earlier results and their tracks as they
        // were; the tracks read the finished table once, when they are bound.
        error = QString::fromStdString(
            commands::computeElastic(ws, {choice, plan.measuredVs, *units, vs}));
        if (error.isEmpty()) {
            try {
                view_.elasticComputed();
            } catch (const std::exception& e) {
                error = QString::fromUtf8(e.what());
            }
        }
    }
    view_.elasticEnded();
    ctx_.status("Ready");
    if (!error.isEmpty()) ctx_.message(QMessageBox::Critical, error);
}
