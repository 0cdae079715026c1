#pragma once
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/chart/track_layout.h"
#include "core/store/subscription.h"
#include "gui/display/depth_chart.h"

namespace lithora::store {
class Table;
}
class TableCurve;
class DepthChartRow;
class DepthRangeBar;

// Owns every track of the "Graph" page (the workspace's track owner): the source tracks,
// one per curve of the source table, in slots 1 .. sourceTrackCount(), and the elastic
// tracks after them. Tracks are children of the Graph page at fixed positions; slots are
// 1-based and grow with the table, there is no fixed limit.
//
// A bound track draws its curve straight from its table's columns (depth = field 1, value =
// its field, found by name): no track keeps a copy of an unfiltered column. While the table
// is filtered the track draws a copy of the visible values, taken again after each change of
// the table. Edits show at once; the axes are fitted again by a rescale. A bound table must
// outlive its tracks (the main window removes the tracks before it closes the tables).
//
// The user arranges the tracks: "Hide Track" and "Show Track" in a track's menu, dragging a
// track's title to another place, dragging its right border to widen or narrow it. The
// arrangement is kept while the workspace's tracks are rebuilt (a new elastic computation)
// and given up with them (a new import, Empty Table).
class TrackPanel : public QObject {
    Q_OBJECT
  public:
    TrackPanel(QWidget* graphPage, QString programFolder, QObject* parent = nullptr);
    ~TrackPanel() override;

    // Starts a new workspace's tracks: removes every track.
    void begin() { removeAll(); }
    void removeAll();

    // One track per curve field (fields 2 .. fieldCount() - 2), bound to the table. Replaces
    // all tracks. Throws lithora::Error when the background bitmap cannot be read; no track
    // is left behind then.
    void buildSourceTracks(lithora::store::Table& source);
    // Unbound tracks for the result fields 2 .. fieldCount() - 2 of the elastic table, after
    // the source tracks, replacing earlier elastic tracks.
    void buildElasticTracks(lithora::store::Table& elastic);
    // Binds the elastic tracks to their table and fits them, in slot order.
    void bindElasticTracks();

    // Re-reads the track's series and fits its value axis.
    void rescaleTrack(int slot);
    void rescaleAll();

    int sourceTrackCount() const { return sourceTrackCount_; }
    int trackCount() const { return static_cast<int>(tracks_.size()); }
    DepthChart* track(int slot) const;

    // The page's charts lined up: one depth stands on one pixel row of every track.
    void alignTracks();
    // Says again where the tracks draw their depths (plotRowsChanged), as after they were
    // lined up: the depths shown changed.
    void reportPlotRows();
    DepthChartRow* row() const { return row_; }
    // The depth-range box of the page (top, bottom, "Whole well"), below the litholog.
    DepthRangeBar* rangeBar() const { return rangeBar_; }

    // Width of the Graph page when it is shown, for the source table loaded (if any) and the
    // tracks as arranged.
    int graphPageWidth(bool elasticHasRecords, int currentWidth) const;

    // The tracks' arrangement: order, hidden tracks and widths. Setting one fits it to the
    // tracks there are (see lithora::chart::fittedArrangement) and places them.
    using Arrangement = lithora::chart::TrackArrangement;
    Arrangement arrangement() const { return arrangement_; }
    void setArrangement(const Arrangement& arrangement);
    void setTrackShown(int slot, bool shown);
    void moveTrack(int slot, int index);
    void setTrackWidth(int slot, int width);
    // The narrowest a track can be made.
    static constexpr int kNarrowestTrack = 60;

  signals:
    void printRequested(int slot);
    void exportRequested(int slot);
    void minMaxRequested(int slot);
    void logarithmicRequested(int slot);
    void colourRequested(int slot);
    void zoomed(int slot);
    // Where the tracks draw their depths, after they were lined up: the rows of the page (the
    // Graph page's coordinates) of two depths of their range. What stands beside the tracks
    // (the litholog column) lines up with them.
    void plotRowsChanged(double depth1, int row1, double depth2, int row2);
    // The user changed the arrangement (the page may need another width).
    void arrangementChanged();

  private:
    struct Binding {
        lithora::store::Table* table = nullptr;
        std::string field;
        bool bound = false;
        std::shared_ptr<TableCurve> curve;
    };

    DepthChart* makeTrack(int slot, int ordinal, const QString& title, const QFont* font);
    void removeFrom(int firstSlot);
    void subscribe(lithora::store::Table& table);
    void onTableEvent(lithora::store::Table* table, int kind);
    // Points a bound track at its table again and fits its depth axis.
    void reread(int slot);
    // Stands every track where the arrangement puts it, shown or hidden.
    void placeTracks();
    void addArrangeItems(DepthChart* track);
    bool eventFilter(QObject* watched, QEvent* event) override;
    int slotOfPlot(const QObject* plot) const;
    // The position among all tracks that a track dropped at page column x takes.
    int dropIndex(int slot, int x) const;

    // A title or border being dragged.
    struct Drag {
        enum Kind { None, Title, Border } kind = None;
        int slot = 0;
        int startX = 0;  // page coordinates
        int startWidth = 0;
    };

    QPointer<QWidget> page_;
    DepthChartRow* row_ = nullptr;
    DepthRangeBar* rangeBar_ = nullptr;
    QString programFolder_;
    QPixmap background_;
    std::vector<QPointer<DepthChart>> tracks_;
    std::vector<Binding> bindings_;
    // One listener per table the tracks are bound to; it goes with its handle.
    std::map<lithora::store::Table*, lithora::store::Subscription> subscriptions_;
    lithora::store::Table* elastic_ = nullptr;
    int sourceTrackCount_ = 0;
    int sourceFieldCount_ = 0;
    Arrangement arrangement_;
    Drag drag_;
};
