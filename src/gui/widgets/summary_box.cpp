#include "gui/widgets/summary_box.h"

#include <QFontMetrics>

#include "gui/widgets/text_fit.h"

SummaryBox::SummaryBox(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
}

void SummaryBox::setFit(int minWidth, int maxWidth, const QFont& font) {
    minWidth_ = minWidth;
    maxWidth_ = maxWidth;
    baseFont_ = font;
    fitLineEditText(*this, minWidth_, maxWidth_, baseFont_);
}

void SummaryBox::setValueText(const QString& text) {
    setText(text);
    setToolTip(text);
    fitLineEditText(*this, minWidth_, maxWidth_, baseFont_);
    // A number with more decimals than the box can show at its smallest font (the mean step
    // of merged files, say) is shown rounded, never cut short; the tool tip keeps every digit.
    roundedToFit(text, [this](const QString& shown) {
        setText(shown);
        fitLineEditText(*this, minWidth_, maxWidth_, baseFont_);
        return QFontMetrics(font()).horizontalAdvance(shown) <= textRoom();
    });
}

void SummaryBox::clearValue() {
    setValueText(QString());
}

int SummaryBox::textRoom() const {
    return lineEditTextRoom(*this);
}
