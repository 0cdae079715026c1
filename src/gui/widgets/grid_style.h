#pragma once
#include <QColor>
#include <QFont>
#include <array>
#include <optional>

// Colours are written in the program as desktop colour values (0x00BBGGRR, in decimal), so
// the numbers in the code match the colour tables of the grids and tracks.
inline QColor desktopColor(unsigned value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

// The nine text and background colours of the source grid's curve columns. The text
// colours are also the series colours of the tracks.
inline constexpr std::array<unsigned, 9> kGridTextPalette = {
    47452, 16744448, 12615680, 255, 32768, 4210816, 16711808, 8421440, 32896};
inline constexpr std::array<unsigned, 9> kGridBackPalette = {
    14614489, 16770764, 16773070, 14013951, 14024661, 14540270, 16769007, 15658717, 14548991};

// Entry i of the palettes; the palettes repeat past their ninth entry.
inline QColor gridTextColor(int i) {
    return desktopColor(kGridTextPalette[static_cast<std::size_t>(i % 9)]);
}
inline QColor gridBackColor(int i) {
    return desktopColor(kGridBackPalette[static_cast<std::size_t>(i % 9)]);
}

// How one grid column looks: its cells and its title. Unset values take the grid's own.
struct ColumnStyle {
    int width = 0;  // 0: the view's default
    std::optional<QColor> text, back, titleText, titleBack;
    std::optional<QFont> font, titleFont;
    std::optional<Qt::Alignment> alignment;
};
