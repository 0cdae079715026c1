#pragma once
#include <QFont>
#include <QString>
#include <functional>

class QLineEdit;

// Pixels a line edit has for its text at its current width and font.
int lineEditTextRoom(const QLineEdit& box);

// Shows a line edit's whole text: the box takes minWidth and the font; a text too long for
// it widens the box up to maxWidth, then takes smaller fonts down to 6 points. The text is
// shown from its first character.
void fitLineEditText(QLineEdit& box, int minWidth, int maxWidth, const QFont& font);

// A number's text ("1234.5678", "1.25E-7", or with a decimal comma) as long as it fits: the text
// itself when fits says so, else the number's text with fewer and fewer decimals (the program's
// number text, so an exponent stays an exponent) until one fits, else the fewest. A text that is
// no number comes back as it is.
QString roundedToFit(const QString& number, const std::function<bool(const QString&)>& fits);
