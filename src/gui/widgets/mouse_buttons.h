#pragma once

class QEvent;

// True for a mouse event of any button but the left one (or a move with such a button held):
// on a chart the right button opens the menu only and must not start a zoom rectangle.
bool isOtherThanLeftButton(const QEvent* event);
