#pragma once
#include <QFont>
#include <QRect>
#include <utility>

class QDialog;
class QLabel;
class QPushButton;

// What the two "Set Min, Max" dialogs share: their fonts, the heading, and the "Ok" (green,
// bold, named okButton, the default button) and "Cancel" (red, cancelButton) buttons.
QFont limitsDialogFont(const char* family, int pixels, bool bold);
// The heading across the top in bold 16-pixel Arial, or a smaller size where the desktop's
// Arial (or the font standing in for it) is too wide for the room, so it is never cut.
QLabel* addHeading(QDialog* dialog, const QString& text, const QRect& room);
std::pair<QPushButton*, QPushButton*> addOkCancel(QDialog* dialog, const QRect& ok,
                                                  const QRect& cancel);
