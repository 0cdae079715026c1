#pragma once
#include <QFont>
#include <QRect>
#include <utility>

class QDialog;
class QPushButton;

// What the two "Set Min, Max" dialogs share: their fonts, and the "Ok" (green, bold,
// named sButton1, the default button) and "Cancel" (red, sButton2) buttons.
QFont limitsDialogFont(const char* family, int pixels, bool bold);
std::pair<QPushButton*, QPushButton*> addOkCancel(QDialog* dialog, const QRect& ok,
                                                  const QRect& cancel);
