#pragma once
#include <QPointF>
#include <QString>
#include <functional>

class QPainter;
class QPaintDevice;

// The header every printed page and exported picture carries: the well, its field and
// company, the depths shown and the date, as the main window words it for its workspace
// (items three blanks apart). The parts that print or export ask for it when they draw, so it
// names what is shown then. Empty while nobody gives one (a chart window on its own).
void setPageHeaderSource(std::function<QString()> source);
QString pageHeaderText();

// Today's date as headers show it (2026-12-11).
QString pageHeaderDate();

// The header's font size in pixels of an exported picture.
inline constexpr double kPictureHeaderPixels = 11;

// The height the header takes when drawn `width` wide with a font `pixels` high on device:
// its items are laid out in as few lines as hold them, a line broken only between items and
// an item too long for a line shortened with an ellipsis. 0 for an empty text.
double pageHeaderHeight(const QString& text, double width, double pixels,
                        QPaintDevice* device = nullptr);
// Draws the header so from topLeft, in black; returns the height it took.
double drawPageHeader(QPainter& painter, QPointF topLeft, double width, double pixels,
                      const QString& text);
