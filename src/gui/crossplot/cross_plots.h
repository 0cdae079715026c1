#pragma once
#include <QPointer>
#include <QWidget>
#include <array>
#include <vector>

#include "core/store/subscription.h"
#include "core/workspace/cross_plot_data.h"
#include "gui/widgets/command_context.h"

class CrossPlot;
class QPushButton;

// The cross plots window: four plots of the elastic table, one point per visible record:
// density against Vp/Vs, lambda.rho against mu.rho, P- against S-impedance and Vp against
// Vp/Vs. The plots follow the table: a filter, its undo, a new computation or emptying the
// workspace changes their points (a plot's fixed ranges stay). Before any computation each
// plot says so. The window is modeless and stays on top; it is freed when closed.
class TCrossPlots : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kComputeFirst = "Compute the elastic parameters first.";
    static constexpr const char* kNoPoints = "No sample has both values.";

    TCrossPlots(CommandContext context, QWidget* parent = nullptr);
    ~TCrossPlots() override;

    CrossPlot* plot(int k) const;  // 1 .. 4
    QPushButton* closeButton() const { return closeButton_; }
    // The "Colour by" choices of every plot, in menu order, and the one plot k shows.
    const std::vector<lithora::workspace::ColourOption>& colourOptions() const { return options_; }
    const lithora::workspace::ColourOption& colouring(int k) const;
    // How often the window has read the tables: once when made, then once per change.
    int readings() const { return readings_; }

  public slots:
    void FormShow();  // reads the tables again
    // "Colour by" on plot k: choice is an index into colourOptions().
    void colourPlotBy(int k, int choice);

    // The commands of plot k's menu.
    void printPlot(int k);
    void exportPlot(int k);
    void setPlotLimits(int k);

  private:
    void refreshSoon();
    void showColouring(int k);
    void showChoices();

    CommandContext ctx_;
    std::array<CrossPlot*, 4> plots_{};
    QPushButton* closeButton_ = nullptr;
    std::vector<lithora::workspace::ColourOption> options_;
    std::array<lithora::workspace::ColourOption, 4> colouring_{};
    lithora::store::Subscription elasticChanges_, sourceChanges_;
    bool refreshPending_ = false;
    int readings_ = 0;
};
