#pragma once
#include <string>
#include <string_view>

#include "core/common/curves.h"
#include "core/store/table.h"

namespace lithora::compute {

inline constexpr const char* kFilterOrderMessage =
    "The start depth must be smaller than the stop depth.";
inline constexpr const char* kDepthNotFoundMessage = "Requested depth/time not found.";
inline constexpr const char* kInvalidNumberMessage = "Please enter a valid NUMBER !";

// What a filter or an undo did, so the windows know what to redraw.
struct FilterOutcome {
    bool changed = false;          // false: nothing to do, nothing was touched
    bool elasticFiltered = false;  // the elastic table holds records and follows the filter
};

// Restricts the source table (on its depth field, field 1) and, when it holds records, the
// elastic table (on "Depth") to the records from start to stop, both included. The bounds
// are numbers handed to the store as numbers. A filter in force is undone first. Start not
// smaller than stop is refused with lithora::Error(kFilterOrderMessage) before anything
// changes; an empty source table changes nothing. The tables' controls are held while the
// records change and released whatever happens; the caller detaches the source table's
// after-scroll handler around the call.
FilterOutcome applyDepthFilter(store::Table& source, store::Table& elastic, DepthWindow& window,
                               double start, double stop);

// Brings back every record of both tables and sets the window to the first and last depth
// of the source table. Nothing happens without a filter in
// force or without source records.
FilterOutcome undoDepthFilter(store::Table& source, store::Table& elastic, DepthWindow& window);

// Finds a depth typed by the user: the first visible source record whose depth equals the
// number exactly becomes current, then the elastic record of that depth when the elastic
// table holds records. The text is read with the regional decimal separator, or with '.'.
// Returns the empty text when found, else kDepthNotFoundMessage, or kInvalidNumberMessage
// for a text that is no number and for any failure of the search.
std::string searchDepth(store::Table& source, store::Table& elastic, std::string_view entry,
                        char decimalSeparator);

}  // namespace lithora::compute
