// desktop_rock_physics [ROWS]: fluid substitution and AVO on a well of ROWS depth steps (default
// 1,000,000), measured in one process on the offscreen platform. The generated well (density,
// both sonic curves, gamma ray) is made in memory and its elastic parameters computed; then,
// each as the median of five runs:
//   substitute  the computation alone (porosity from the density, brine to gas);
//   open        a new fluid substitution window on that result until its five tracks and
//               its cross plot are drawn;
//   command     both, as Calculation > Fluid Substitution runs them after its dialog;
//   avo         Calculation > AVO: a new AVO window, the interfaces modelled, the gathers of the
//               original and the substituted rock made, every chart drawn.
#include <qcustomplot.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "core/commands/fluid_substitution.h"
#include "core/workspace/workspace.h"
#include "gui/display/depth_chart.h"
#include "gui/rockphysics/avo_window.h"
#include "gui/rockphysics/fluid_substitution_window.h"
#include "gui/widgets/cross_plot.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/wiggle_gather.h"
#include "support/desktop_bench.h"

namespace {

using lithora::bench::median;
using lithora::bench::report;
namespace commands = lithora::commands;

void openAndDraw(const RockPhysicsContext& context,
                 const commands::FluidSubstitutionRequest& request,
                 commands::FluidSubstitutionResult result) {
    auto* w = new FluidSubstitutionWindow(context, request, std::move(result));
    w->show();
    QApplication::processEvents();
    for (int k = 1; k <= FluidSubstitutionWindow::kTrackCount; ++k)
        w->track(k)->plot()->replot(QCustomPlot::rpImmediateRefresh);
    w->crossPlot()->plot()->replot(QCustomPlot::rpImmediateRefresh);
    delete w;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1'000'000;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    lithora::workspace::Workspace ws(folder.path().toStdString(),
                                     lithora::workspace::Storage::Memory);
    ws.openShippedTables();
    ws.installImport(lithora::bench::generatedWell(rows));
    using namespace lithora::compute;
    commands::FluidSubstitutionRequest request;
    request.elastic.curves = {"RHOB", "GR", "DT", "DTSM"};
    request.elastic.measuredVs = true;
    request.elastic.units = {SonicUnit::PerMetre, SonicUnit::PerMetre, DensityUnit::GramsPerCc};
    request.swBefore = 1;
    request.swAfter = 0.2;
    commands::computeElastic(ws, request.elastic);

    commands::FluidSubstitutionResult result;
    report("substitute the pore fluid:", median([&] { result = substituteFluid(ws, request); }));
    std::printf("%s\n", commands::fluidSubstitutionSummary(result).c_str());

    DialogSeam seam;
    QWidget owner;
    RockPhysicsContext context{
        {ws, seam, &owner, [](const QString&) {}, [] { return true; }}, folder.path(), [&request] {
            return std::optional<commands::ElasticRequest>(request.elastic);
        }};
    report("open the window, tracks and plot drawn:",
           median([&] { openAndDraw(context, request, result); }));
    report("the command: substitute, open, draw:",
           median([&] { openAndDraw(context, request, substituteFluid(ws, request)); }));
    report("AVO window, both gathers, all drawn:", median([&] {
               auto* w = new AvoWindow(context, request);
               w->show();
               QApplication::processEvents();
               for (QCustomPlot* p : {w->interceptTrack()->plot(), w->gradientTrack()->plot(),
                                      w->originalGather()->plot(), w->substitutedGather()->plot(),
                                      w->crossPlot()->plot()})
                   p->replot(QCustomPlot::rpImmediateRefresh);
               delete w;
           }));
    return 0;
}
