#include "gui/rockphysics/window_parts.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "core/workspace/workspace.h"
#include "gui/display/depth_chart.h"
#include "gui/display/set_min_max_comp.h"
#include "gui/display/track_commands.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"
#include "gui/widgets/cross_plot.h"

namespace rock_physics_parts {

void setUpWindow(QDialog& window, const QString& objectName, const QString& title, QSize size) {
    window.setObjectName(objectName);
    window.setWindowTitle(title);
    window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.setModal(false);
    window.setFixedSize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

TrackCommands* trackCommands(QDialog& window, const RockPhysicsContext& context) {
    TrackCommands::Context commands;
    commands.window = &window;
    DialogSeam* seam = &context.command.seam;
    commands.seam = [seam]() -> DialogSeam& { return *seam; };
    commands.programFolder = context.programFolder;
    const auto* ws = &context.command.workspace;
    commands.depthTitle = [ws] { return QString::fromStdString(ws->depthLabel()); };
    commands.restoreFolder = [restore = context.command.restoreFolder] {
        if (restore) restore();
    };
    return new TrackCommands(std::move(commands), &window);
}

DepthChart* combinationTrack(QDialog& window, int number, int axisCount, const QString& objectName,
                             const QRect& geometry) {
    DepthChart::Setup setup;
    setup.number = number;
    setup.axisCount = axisCount;
    setup.raised = false;
    setup.compactTitles = true;
    setup.depthMinorGrid = true;
    setup.logarithmicItem = false;
    setup.limitsCaption = QStringLiteral("Set Min, Max");
    auto* chart = new DepthChart(setup, &window);
    chart->setObjectName(objectName);
    chart->setGeometry(geometry);
    return chart;
}

lithora::store::Subscription followWell(QDialog& window, lithora::workspace::Workspace& ws,
                                        std::function<void()> computeAgain) {
    return ws.subscribe(
        [&window, computeAgain = std::move(computeAgain)](lithora::workspace::Change change) {
            using lithora::workspace::Change;
            switch (change) {
                case Change::Imported:
                case Change::Emptied:
                    window.close();
                    break;
                case Change::ElasticComputed:
                case Change::DepthWindowChanged:
                    computeAgain();
                    break;
                case Change::LithologChanged:
                    break;
            }
        });
}

QPushButton* closeButton(QDialog& window, const QRect& geometry) {
    auto* close = new QPushButton(QStringLiteral("Close"), &window);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setGeometry(geometry);
    QFont bold = close->font();
    bold.setBold(true);
    close->setFont(bold);
    close->setStyleSheet(QStringLiteral("color: red;"));
    QObject::connect(close, &QPushButton::clicked, &window, &QDialog::close);
    return close;
}

void serveCrossPlot(CrossPlot& plot, QDialog& window, const RockPhysicsContext& context) {
    DialogSeam* seam = &context.command.seam;
    const auto restore = context.command.restoreFolder;
    CrossPlot* p = &plot;
    QDialog* w = &window;
    QObject::connect(p, &CrossPlot::printRequested, w, [=] {
        ChartPrintPreview preview(ChartPrintPreview::chartPage(*p->plot()), *seam, w);
        preview.setWindowTitle(QStringLiteral("Print Preview"));
        seam->exec(preview);
        if (restore) restore();
    });
    QObject::connect(p, &CrossPlot::exportRequested, w, [=] {
        ChartExportDialog dialog(*p->plot(), *seam, w);
        seam->exec(dialog);
        if (restore) restore();
    });
    QObject::connect(p, &CrossPlot::minMaxRequested, w, [=] {
        const auto y = p->yRange();
        const auto x = p->xRange();
        TSetMinMaxComp dialog({p->yTitle(), y.lo, y.hi}, {p->xTitle(), x.lo, x.hi}, *seam, w);
        seam->exec(dialog);
        // Each row applies on its own when its minimum is below its maximum.
        const auto answer = dialog.answer();
        if (!answer) return;
        const auto& a = *answer;
        if (a[0] < a[1]) p->setFixedYRange(a[0], a[1]);
        if (a[2] < a[3]) p->setFixedXRange(a[2], a[3]);
    });
}

}  // namespace rock_physics_parts
