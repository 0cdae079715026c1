#include "gui/widgets/summary_box.h"

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
}

void SummaryBox::clearValue() {
    setValueText(QString());
}

int SummaryBox::textRoom() const {
    return lineEditTextRoom(*this);
}
