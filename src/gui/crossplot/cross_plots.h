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
    QPushButton* closeButton() const { return Button1_; }
    // The "Colour by" choices of every plot, in menu order, and the one plot k shows.
    const std::vector<lithora::workspace::ColourOption>& colourOptions() const { return options_; }
    const lithora::workspace::ColourOption& colouring(int k) const;
    // How often the window has read the tables: once when made, then once per change.
    int readings() const { return readings_; }

  public slots:
    void FormShow();  // reads the tables again
    void Print1Click() { printPlot(1); }
    void Print2Click() { printPlot(2); }
    void Print3Click() { printPlot(3); }
    void Print4Click() { printPlot(4); }
    void Export1Click() { exportPlot(1); }
    void Export2Click() { exportPlot(2); }
    void Export3Click() { exportPlot(3); }
    void Export4Click() { exportPlot(4); }
    void Edit1Click() { setMinMax(1); }
    void SetMinMax1Click() { setMinMax(2); }
    void SetMinMax2Click() { setMinMax(3); }
    void SetMinMax3Click() { setMinMax(4); }
    // "Colour by" on plot k: choice is an index into colourOptions().
    void ColourByClick(int k, int choice);

  private:
    void printPlot(int k);
    void exportPlot(int k);
    void setMinMax(int k);
    void refreshSoon();
    void showColouring(int k);
    void showChoices();

    CommandContext ctx_;
    std::array<CrossPlot*, 4> plots_{};
    QPushButton* Button1_ = nullptr;
    std::vector<lithora::workspace::ColourOption> options_;
    std::array<lithora::workspace::ColourOption, 4> colouring_{};
    lithora::store::Subscription elasticChanges_, sourceChanges_;
    bool refreshPending_ = false;
    int readings_ = 0;
};
