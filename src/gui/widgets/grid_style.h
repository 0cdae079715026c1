#pragma once
#include <QColor>
#include <QFont>
#include <array>
#include <optional>

#include "core/chart/axis_fit.h"

// Colours are written in the program as desktop colour values (0x00BBGGRR, in decimal), so
// the numbers in the code match the colour tables of the grids and tracks.
inline QColor desktopColor(unsigned value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

// Entry i of the nine track colours, which repeat past their ninth entry.
inline QColor paletteColor(int i) {
    const lithora::Rgb c = lithora::trackPaletteColour(i);
    return QColor(c.r, c.g, c.b);
}

// The source grid's curve columns: the text in the track colour of the same entry, on a
// light background of its own.
inline constexpr std::array<unsigned, lithora::kTrackPaletteSize> kGridBackPalette = {
    14614489, 16770764, 16773070, 14013951, 14024661, 14540270, 16769007, 15658717, 14548991};
inline QColor gridTextColor(int i) {
    return paletteColor(i);
}
inline QColor gridBackColor(int i) {
    const int n = lithora::kTrackPaletteSize;
    return desktopColor(kGridBackPalette[static_cast<std::size_t>(((i % n) + n) % n)]);
}

// How one grid column looks: its cells and its title. Unset values take the grid's own.
struct ColumnStyle {
    int width = 0;  // 0: the view's default
    std::optional<QColor> text, back, titleText, titleBack;
    std::optional<QFont> font, titleFont;
    std::optional<Qt::Alignment> alignment;
};
