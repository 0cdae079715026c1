#pragma once
#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

#include "core/commands/avo_model.h"
#include "core/commands/fluid_substitution.h"
#include "core/store/subscription.h"
#include "gui/rockphysics/fluid_substitution_window.h"

class CrossPlot;
class DepthChart;
class DepthChartRow;
class NumberBox;
class QLabel;
class TrackCommands;
class WiggleGather;

// The settings of the AVO window: the incidence angles, the peak frequency of the Ricker
// wavelet and the time step of the gather.
struct AvoSettings {
    lithora::commands::AngleRange angles;
    double frequencyHz = 30;
    double stepMs = 2;
};

// Calculation > AVO: the intercept and the gradient of every interface as depth tracks (with
// the menu of every depth chart), the synthetic angle gather as wiggle traces on a time axis
// with the depth beside it, and the intercept against the gradient, coloured by depth or by
// a source curve. The frequency, time step and angles are changed in the window. When a fluid
// substitution was computed, the gather of the substituted rock stands beside the original.
//
// The window follows the workspace as the fluid substitution window does: a depth filter or a
// new elastic computation models again; Empty Table and an import close it.
class AvoWindow : public QDialog {
    Q_OBJECT
  public:
    // substitution: the settings of the last fluid substitution, if any.
    AvoWindow(RockPhysicsContext context,
              std::optional<lithora::commands::FluidSubstitutionRequest> substitution);
    ~AvoWindow() override;

    const lithora::commands::AvoResult& result() const { return avo_; }
    // The AVO of the substituted rock; empty without a substitution.
    const lithora::commands::AvoResult& substitutedResult() const { return substitutedAvo_; }
    const AvoSettings& settings() const { return settings_; }

    DepthChart* interceptTrack() const { return intercept_; }
    DepthChart* gradientTrack() const { return gradient_; }
    WiggleGather* originalGather() const { return originalGather_; }
    WiggleGather* substitutedGather() const { return substitutedGather_; }
    CrossPlot* crossPlot() const { return crossPlot_; }
    // The message of the last settings out of range; empty when none.
    QString settingsError() const;

  public slots:
    // Reads the frequency, time step and angles from their boxes and models again; false
    // (with the message in the window) when one is out of range.
    bool applySettings();
    // Colours the cross plot by choice: 0 none, 1 depth, then the source curves in order.
    void colourCrossPlotBy(int choice);

  private:
    void buildControls();
    void model();
    void showResult();

    RockPhysicsContext c_;
    std::optional<lithora::commands::FluidSubstitutionRequest> substitution_;
    AvoSettings settings_;
    lithora::commands::AvoResult avo_, substitutedAvo_;
    std::vector<std::size_t> interfaceRows_;  // the source row of each interface's sample
    QStringList colourChoices_;
    int colouring_ = 0;

    NumberBox *frequency_ = nullptr, *step_ = nullptr;
    NumberBox *angleFrom_ = nullptr, *angleTo_ = nullptr, *angleStep_ = nullptr;
    QLabel* error_ = nullptr;
    QLabel* summary_ = nullptr;
    DepthChart* intercept_ = nullptr;
    DepthChart* gradient_ = nullptr;
    WiggleGather* originalGather_ = nullptr;
    WiggleGather* substitutedGather_ = nullptr;
    CrossPlot* crossPlot_ = nullptr;
    TrackCommands* commands_ = nullptr;
    DepthChartRow* row_ = nullptr;
    lithora::store::Subscription changes_;
};
