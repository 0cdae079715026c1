#pragma once
#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "core/commands/fluid_substitution.h"
#include "core/store/subscription.h"
#include "gui/widgets/command_context.h"

class CrossPlot;
class DepthChart;
class DepthChartRow;
class QLabel;
class QPushButton;
class TrackCommands;

// What the rock-physics windows are built with.
struct RockPhysicsContext {
    CommandContext command;  // workspace, seam, status line, owner of the windows
    QString programFolder;
    // The curves, units and Vs of the elastic computation the windows start from; none
    // while there is none.
    std::function<std::optional<lithora::commands::ElasticRequest>()> elasticRequest;
};

// The result of a fluid substitution: five combination tracks (Vp, Vs, density, Vp/Vs and
// P-impedance), each with the substituted curve solid along the top scale and the original
// dotted along the bottom one, both on one value range; a cross plot of P-impedance against
// Vp/Vs with the original and the substituted points; the summary of what was substituted;
// and Save as LAS. Every track has the menu and zoom of every depth chart.
//
// The window follows the workspace: a depth filter, its undo or a new elastic computation
// substitutes again with the same settings over what is then visible; Empty Table and an
// import close it, since the well it showed is gone.
class FluidSubstitutionWindow : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kTrackCount = 5;

    FluidSubstitutionWindow(RockPhysicsContext context,
                            lithora::commands::FluidSubstitutionRequest request,
                            lithora::commands::FluidSubstitutionResult result);
    ~FluidSubstitutionWindow() override;

    // Track 1 .. 5.
    DepthChart* track(int number) const;
    CrossPlot* crossPlot() const { return crossPlot_; }
    const lithora::commands::FluidSubstitutionRequest& request() const { return request_; }
    const lithora::commands::FluidSubstitutionResult& result() const { return result_; }
    // The summary line the window shows.
    QString summary() const;

  public slots:
    // Asks for a file and writes the substituted rock to it as LAS; false when nothing was
    // written (cancelled, or the message said why).
    bool saveAsLas();

  signals:
    // The copy that a track's "Print" previews, ready to be shown.
    void printCopyReady(DepthChart* copy);

  private:
    void buildTracks();
    void buildCrossPlot();
    void showResult();
    void substituteAgain();

    RockPhysicsContext c_;
    lithora::commands::FluidSubstitutionRequest request_;
    lithora::commands::FluidSubstitutionResult result_;
    std::array<DepthChart*, kTrackCount> tracks_{};
    CrossPlot* crossPlot_ = nullptr;
    QLabel* summary_ = nullptr;
    TrackCommands* commands_ = nullptr;
    DepthChartRow* row_ = nullptr;
    lithora::store::Subscription changes_;
};
