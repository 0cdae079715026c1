#pragma once
#include <memory>

#include "gui/widgets/shell_services.h"

class ElasticCorrelations;
class TrackCommands;
class TrackPanel;

// The tracks of the Graph page: what their pop-up menus run (print, export, limits, zoom),
// the tracks themselves following the workspace (an import builds the source tracks, a
// computation the elastic ones, a filter fits them to the window), and View > Elastic
// Correlations, offered while a workspace is loaded.
class DisplaySubsystem final : public Subsystem {
  public:
    DisplaySubsystem(ShellServices& shell, TrackPanel& panel);
    ~DisplaySubsystem() override;
    void registerCommands(ShellServices& shell) override;

    TrackCommands* trackCommands() const { return trackCommands_.get(); }
    ElasticCorrelations* elasticCorrelations() const { return elasticCorrelations_.get(); }
    // The windows that draw tracks let go of them before the track panel goes.
    void releaseTrackViews();

  private:
    std::unique_ptr<TrackCommands> trackCommands_;
    std::unique_ptr<ElasticCorrelations> elasticCorrelations_;
};
