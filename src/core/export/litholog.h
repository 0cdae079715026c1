#pragma once
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/error.h"

namespace lithora::exporter {

// The 60 lithologies in the order of the drop-down list. Names are compared exactly, letter
// case included; each names its pattern bitmap in the "Patterns" folder.
extern const std::vector<std::string> kLithologyNames;
bool isLithologyName(std::string_view name);

inline constexpr const char* kSelectLithologyMessage =
    "Please select a lithology from drop-down list.";
inline constexpr const char* kBottomAboveTopMessage =
    "The bottom depth must be deeper than the top depth.";
inline constexpr const char* kBottomBelowNextMessage =
    "The bottom depth must be above the bottom of the interval below.";
inline constexpr const char* kTopDepthField = "TopDepth";
inline constexpr const char* kBottomDepthField = "BottomDepth";
inline constexpr const char* kLithologyField = "Lithology";

// One lithology interval, depths in the log's depth unit. An interval being entered may lack
// its bottom (NaN) or its lithology (empty); it is complete when it has both.
struct LithologInterval {
    double top = 0;
    double bottom = std::numeric_limits<double>::quiet_NaN();
    std::string lithology;

    bool hasBottom() const { return !std::isnan(bottom); }
    bool complete() const { return hasBottom() && !lithology.empty(); }
    bool operator==(const LithologInterval& o) const {
        return top == o.top && lithology == o.lithology &&
               (bottom == o.bottom || (!hasBottom() && !o.hasBottom()));
    }
};

// The message a depth outside the allowed range gets, naming the field.
std::string depthRangeMessage(double value, const char* field, double minimum, double maximum);

// The litholog of the loaded well: a run of intervals, each beginning where the one above it
// ends, between the first and the last depth of the log. Every edit is checked here and
// refused with lithora::Error carrying the message the user sees; a refused edit changes
// nothing. Indices are 0-based positions in table order.
class LithologModel {
  public:
    // The depths both depth fields accept, and where the column starts. The readers set all
    // three from the first and last depth of the imported log.
    void setLogRange(double firstDepth, double lastDepth);
    // New Table on a litholog that holds intervals starts the allowed range at the depth shown
    // on top (the filter's start under a filter).
    void setMinimum(double minimum) { minimum_ = minimum; }
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    double firstDepth() const { return firstDepth_; }

    const std::vector<LithologInterval>& intervals() const { return intervals_; }
    std::size_t size() const { return intervals_.size(); }
    bool empty() const { return intervals_.empty(); }

    // The top the next interval appended receives: the deepest bottom entered so far, or the
    // first depth of the log while no interval has a bottom.
    double nextTop() const;
    // The last depth of the log: the litholog is complete when the next top reaches it.
    double bottomLimit() const { return maximum_; }
    bool isComplete() const { return nextTop() == bottomLimit(); }

    // New Table: no intervals; the first one, appended at once, begins at firstTop.
    void startNew(double firstTop);
    // Replaces every interval, as a file or the table store gave them (already checked).
    void replace(std::vector<LithologInterval> intervals);
    void clear() { intervals_.clear(); }

    // Appends an interval beginning at nextTop(). Returns false, adding nothing, when the
    // litholog is already complete (no interval goes below the bottom of the log) or when the
    // last interval still lacks its bottom or lithology.
    bool append();
    // Navigator Insert before the interval at index (index == size() appends): the new
    // interval begins at the bottom of the interval above (the log's first depth on top).
    // Returns the new interval's index, or -1 when nothing was inserted because it would lie
    // below the bottom of the log.
    int insertBefore(std::size_t index);
    // A typed bottom depth: inside the allowed range, deeper than the interval's top, and
    // above the bottom of the interval below, whose top follows it.
    void setBottom(std::size_t index, double bottom);
    // A lithology chosen or read: one of the 60 names, exactly.
    void setLithology(std::size_t index, std::string_view name);
    // Navigator Delete: the interval above extends down to the top of the one below, closing
    // the gap; deleting the first interval changes no other. Returns the index of the interval
    // that was extended, or -1.
    int remove(std::size_t index);

    // Checks one interval as read from a file, before it is added below the others: the
    // range of both depths, the bottom deeper than the top, and the lithology name.
    void checkInterval(double top, double bottom, std::string_view lithology) const;

  private:
    void checkRange(double value, const char* field) const;
    LithologInterval& at(std::size_t index);

    std::vector<LithologInterval> intervals_;
    double minimum_ = 0;
    double maximum_ = 0;
    double firstDepth_ = 0;
};

}  // namespace lithora::exporter
