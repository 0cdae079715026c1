#pragma once
#include <QFont>

class QLineEdit;

// Pixels a line edit has for its text at its current width and font.
int lineEditTextRoom(const QLineEdit& box);

// Shows a line edit's whole text: the box takes minWidth and the font; a text too long for
// it widens the box up to maxWidth, then takes smaller fonts down to 6 points. The text is
// shown from its first character.
void fitLineEditText(QLineEdit& box, int minWidth, int maxWidth, const QFont& font);
