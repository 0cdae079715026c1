#pragma once
#include <optional>

#include "core/common/curves.h"

namespace lithora::chart {

// The depth window a litholog column shows: top is drawn at row 0, bottom at row height.
using DepthWindow = lithora::DepthWindow;

// Height in pixels of the litholog column at its design size.
inline constexpr int kLithologColumnHeight = 484;
// Width in pixels of the litholog column.
inline constexpr int kLithologColumnWidth = 40;
// A depth label is written this many rows above the row of its depth.
inline constexpr int kLithologLabelRise = 10;

// Row of a depth in a column of the given height: height * (depth - top) / (bottom - top),
// rounded to the nearest row with halves to even. Rows outside 0 .. height are returned as
// they are (the image clips them), held to a range that no pixel arithmetic overflows.
// nullopt when the window has no extent (a log of a single depth) or a value is not finite:
// nothing is drawn then.
std::optional<int> depthRow(double depth, DepthWindow window, int height);

// Where one interval goes in the column: rows y1 (its top) to y2 (its bottom) and the row of
// its bottom-depth label.
struct IntervalRows {
    int y1 = 0;
    int y2 = 0;
    int labelRow = 0;
};
std::optional<IntervalRows> intervalRows(double top, double bottom, DepthWindow window, int height);

// Rows of the two window labels: the top depth at row 0, the bottom depth near the foot.
struct WindowLabelRows {
    int top = 0;
    int bottom = 0;
};
WindowLabelRows windowLabelRows(int height);

}  // namespace lithora::chart
