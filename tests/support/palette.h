#pragma once
#include <QColor>

#include "core/chart/axis_fit.h"

class QImage;

namespace lithora::test {

// Entry i of the nine track colours (repeating), as the windows draw them.
inline QColor trackColour(int entry) {
    const Rgb c = trackPaletteColour(entry);
    return QColor(c.r, c.g, c.b);
}

// True when the picture holds at least minPixels pixels of this colour, each of red, green
// and blue within tolerance (lines are drawn smoothed, so few pixels are exact).
bool showsColour(const QImage& picture, const QColor& colour, int minPixels = 1,
                 int tolerance = 24);

}  // namespace lithora::test
