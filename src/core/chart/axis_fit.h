#pragma once
#include <cstdint>
#include <string>

namespace lithora {

// The value-axis fit of a depth track. lo is the smallest value less one hundredth of its
// magnitude, rounded down to a multiple of 0.1; hi is the largest value plus one hundredth of
// its magnitude, rounded up to a multiple of 0.1. The margin is a hundredth of the value, not
// of the span, and always widens the range, so negative curves are not cut at their ends: a
// curve from -50 to 50 gets -50.5 .. 50.5. The result is ordered (lo <= hi).
// A series without points, or whose extremes are not finite, gives lo = hi = 0; the chart
// then widens the empty range itself.
struct AxisRange {
    double lo = 0;
    double hi = 0;
};
AxisRange rescaleLimits(double minX, double maxX);

// Smallest and largest finite value of a column (NaN is a null sample and is skipped).
// hasValue is false when the column holds no number; min and max are then 0.
struct ColumnExtent {
    double min = 0;
    double max = 0;
    bool hasValue = false;
};
ColumnExtent columnExtent(const double* values, std::size_t count);

// Width of the "Graph" page when it is shown. sourceFieldCount is the number of fields of
// the source table without "Counting" (0 when no table is loaded; the width then stays as
// it is). With elastic results the page holds (N - 2 + 13) tracks of 150 pixels plus 600;
// without, (N - 2) tracks plus 600, but never less than 1000, the width of the Table page.
int graphPageWidth(int sourceFieldCount, bool elasticHasRecords, int currentWidth);

// The text of an axis label in the format "#,##0.###": thousands grouped, at most three
// decimals (rounded half away from zero), trailing zeros dropped, at least one integer
// digit. A value that rounds to zero shows no sign. NaN and infinities give the empty text.
std::string axisLabelText(double v, char decimalSep, char groupSep);

// Geometry of the track panel in pixels. Slots are 1-based; the tracks stand side by side
// to the right of the litholog column.
inline constexpr int kTrackTop = 5;
inline constexpr int kTrackWidth = 150;
inline constexpr int kTrackHeight = 565;
inline constexpr int kFirstTrackLeft = 488;
inline int trackLeft(int slot) {
    return kFirstTrackLeft + kTrackWidth * (slot - 1);
}

// The nine series colours of the tracks, as red, green, blue. The track in slot i (and
// elastic track k) takes entry (i - 1) mod 9.
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline constexpr int kTrackPaletteSize = 9;
Rgb trackPaletteColour(int entry);
int trackPaletteEntry(int ordinal);  // 1-based ordinal -> palette entry

}  // namespace lithora
