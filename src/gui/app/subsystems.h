#pragma once
#include <QString>
#include <memory>

#include "gui/compute/elastic_controller.h"
#include "gui/import/import_controller.h"

class TCalculationForm;
class TrackCommands;
class SaveController;
class PrintController;
class CrossPlotsController;
class LithologPanel;
class FilterController;
class CorrelationController;
class ElasticCorrelations;
class LapseController;

// Every subsystem of the main window: its controllers and panels, each built with what it
// needs of the window, and the binding of each menu command to the controller that runs it.
// The window is the shell around them: it owns this set, shows what the data commands
// report (through the views below), and asks the questions at exit.
class Subsystems final : private ImportView, private ElasticView {
  public:
    // Makes what the pages hold from the start: the track commands, the litholog panel and
    // the depth filter.
    explicit Subsystems(TCalculationForm& form);
    ~Subsystems() override;
    Subsystems(const Subsystems&) = delete;
    Subsystems& operator=(const Subsystems&) = delete;

    // Makes the command controllers and binds every command the program has to its handler;
    // once the shipped tables are open. The commands without a handler stay disabled.
    void bindCommands();
    // The windows that draw tracks let go of them before the track panel goes.
    void releaseTrackViews();

    ImportController* importController() const { return importController_; }
    ElasticController* elasticController() const { return elasticController_; }
    SaveController* saveController() const { return saveController_; }
    PrintController* printController() const { return printController_; }
    CrossPlotsController* crossPlotsController() const { return crossPlotsController_; }
    CorrelationController* correlationController() const { return correlationController_; }
    ElasticCorrelations* elasticCorrelations() const { return elasticCorrelations_.get(); }
    TrackCommands* trackCommands() const { return trackCommands_.get(); }
    LithologPanel* lithologPanel() const { return lithologPanel_.get(); }
    FilterController* filterController() const { return filterController_.get(); }

  private:
    // How the window shows an import and the elastic computation.
    void importBegun(bool las) override;
    void importFinished(bool las) override;
    void importFailed() override;
    void elasticBegun() override;
    void elasticComputed() override;
    void elasticEnded() override;

    void createTrackCommands();
    void createLithologAndFilter();
    void createPrintController();
    void createCorrelationCommands();
    // The depth axis title of the printed and zoomed track copies: the depth field's label.
    QString depthAxisTitle() const;
    // Runs an import command only on an empty workspace; otherwise says what to do first.
    void runImport(void (ImportController::*command)());

    TCalculationForm& form_;
    std::unique_ptr<TrackCommands> trackCommands_;
    std::unique_ptr<LithologPanel> lithologPanel_;
    std::unique_ptr<FilterController> filterController_;
    std::unique_ptr<ElasticCorrelations> elasticCorrelations_;
    // Children of the window.
    ImportController* importController_ = nullptr;
    ElasticController* elasticController_ = nullptr;
    SaveController* saveController_ = nullptr;
    PrintController* printController_ = nullptr;
    CrossPlotsController* crossPlotsController_ = nullptr;
    CorrelationController* correlationController_ = nullptr;
    LapseController* lapseController_ = nullptr;
};
