#include "gui/app/display_subsystem.h"

#include "core/workspace/workspace.h"
#include "gui/display/elastic_correlations.h"
#include "gui/display/track_commands.h"
#include "gui/display/track_panel.h"

DisplaySubsystem::DisplaySubsystem(ShellServices& shell, TrackPanel& panel) {
    auto seam = [&shell]() -> DialogSeam& { return shell.seam(); };
    auto depthTitle = [&shell] { return QString::fromStdString(shell.workspace().depthLabel()); };
    auto restoreFolder = [&shell] { shell.restoreFolder(); };

    TrackCommands::Context c;
    c.panel = &panel;
    c.window = shell.dialogParent();
    c.seam = seam;
    c.programFolder = shell.programFolder();
    c.depthTitle = depthTitle;
    c.restoreFolder = restoreFolder;
    trackCommands_ = std::make_unique<TrackCommands>(std::move(c));

    auto& ws = shell.workspace();
    ElasticCorrelationContext e;
    e.source = &ws.source();
    e.elastic = &ws.elastic();
    e.roles = [&ws] { return ws.roles(); };
    e.seam = seam;
    e.programFolder = shell.programFolder();
    e.depthTitle = depthTitle;
    e.restoreFolder = restoreFolder;
    e.window = shell.dialogParent();
    elasticCorrelations_ = std::make_unique<ElasticCorrelations>(std::move(e));
}

DisplaySubsystem::~DisplaySubsystem() = default;

void DisplaySubsystem::releaseTrackViews() {
    elasticCorrelations_.reset();
    trackCommands_.reset();
}

void DisplaySubsystem::registerCommands(ShellServices& shell) {
    shell.addCommand({CommandId::ElasticCorrelations,
                      [&shell] { return shell.workspace().loaded(); },
                      [this] { elasticCorrelations_->showElasticCorrelations(); }});
}
