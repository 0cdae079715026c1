#pragma once
#include <QDialog>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "core/common/curves.h"
#include "core/store/subscription.h"
#include "gui/display/depth_chart.h"

class DepthChartRow;
class DialogSeam;
class TableCurve;
class TrackCommands;
class TZoomChart;

namespace lithora::store {
class Table;
}

// What the elastic correlations window needs of the main window. The tables must outlive
// every window opened with them.
struct ElasticCorrelationContext {
    // Read only; the window listens to their changes.
    lithora::store::Table* source = nullptr;    // SourceTable
    lithora::store::Table* elastic = nullptr;   // ElasticTable
    std::function<lithora::RoleLists()> roles;  // the curves recognised at import
    std::function<DialogSeam&()> seam;
    QString programFolder;                // the program folder
    std::function<QString()> depthTitle;  // the depth axis title of the Graph page
    std::function<void()> restoreFolder;  // makes the program folder current again
    QWidget* window = nullptr;            // the main window: owns the dialogs and windows
};

// "Elastic Correlations": five combination tracks side by side, each with two curves on
// one depth axis: P- and S-impedance, lambda.rho and mu.rho, Poisson ratio and Young
// modulus, Vp/Vs and density (from the elastic table), and a gamma-ray curve with a density
// curve (from the source table). Each track has a popup menu ("Print", "Export", "Set Min,
// Max", "Change Color"); a zoom rectangle opens the zoom window on the dragged part.
//
// The tracks draw from the tables themselves and follow every later change (a filter, a new
// computation, Empty Table): the depth axes follow the samples, the value axes keep the
// ranges fitted when the window was shown. Before any elastic computation each elastic
// track says so in place of its curves, and is fitted when results arrive.
class TElasticCorrelationPage : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kTrackCount = 5;
    static constexpr const char* kComputeFirst = "Compute the elastic parameters first.";

    explicit TElasticCorrelationPage(ElasticCorrelationContext context);
    ~TElasticCorrelationPage() override;

    // Builds the tracks over the chosen curves (source field names) and fits them. Returns
    // an empty text, or the message ("Field '<name>' not found.") when a name is no curve
    // of the source table; the window then holds no track and is not to be shown.
    QString FormShow(const QString& chosenDensity, const QString& chosenGammaRay);

    // Track 1 .. 5.
    DepthChart* track(int number) const;
    // The zoom windows opened from the tracks (a zoom rectangle on a track opens its zoomed
    // part in one; the track goes back to its full ranges).
    std::vector<TZoomChart*> zoomWindows() const;

  signals:
    // The copy that "Print" previews, ready to be shown (for tests and pictures).
    void printCopyReady(DepthChart* copy);

  protected:
    void changeEvent(QEvent* event) override;  // FormActivate
    void showEvent(QShowEvent* event) override;

  private:
    struct Binding {
        std::shared_ptr<TableCurve> top, bottom;
    };
    void buildTracks();
    void bind(int number, const lithora::store::Table& table, const std::string& top,
              const std::string& bottom);
    void followTables();
    // After a change of a table: the curves read again, the depth axes follow, and the
    // elastic tracks show their notice or, the first time results are there, get fitted.
    void tableChanged(const lithora::store::Table* table, bool recordsChanged);
    void showElasticState();
    // The plotting areas of the five tracks line up, so one depth stands at one height.
    void alignTracks();

    ElasticCorrelationContext c_;
    std::array<DepthChart*, kTrackCount> tracks_{};
    std::array<Binding, kTrackCount> bindings_;
    std::vector<lithora::store::Subscription> subscriptions_;
    // The popup commands and zoom of the five tracks.
    TrackCommands* commands_ = nullptr;
    DepthChartRow* row_ = nullptr;
};

// View > Elastic Correlations: asks for the density and gamma-ray curves in Tdgselection,
// then opens a new elastic correlations window; earlier windows stay open until closed.
class ElasticCorrelations : public QObject {
    Q_OBJECT
  public:
    explicit ElasticCorrelations(ElasticCorrelationContext context, QObject* parent = nullptr);
    ~ElasticCorrelations() override;

    // The windows open now, oldest first.
    std::vector<TElasticCorrelationPage*> windows() const;
    // Closes every window (before the tables they show go).
    void closeAll();

  public slots:
    void showElasticCorrelations();

  private:
    ElasticCorrelationContext c_;
    std::vector<QPointer<TElasticCorrelationPage>> windows_;
};
