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
    const QChar sep = text.contains(',') ? QChar(',') : QChar('.');
    const qsizetype point = text.indexOf(sep);
    bool number = false;
    const double value = QString(text).replace(sep, '.').toDouble(&number);
    if (!number || point < 0) return;
    for (int decimals = static_cast<int>(text.size() - point - 2);
         decimals >= 0 && QFontMetrics(font()).horizontalAdvance(this->text()) > textRoom();
         --decimals) {
        QString shorter = QString::number(value, 'f', decimals);
        if (shorter.contains('.')) {
            while (shorter.endsWith('0')) shorter.chop(1);
            if (shorter.endsWith('.')) shorter.chop(1);
        }
        setText(shorter.replace('.', sep));
        fitLineEditText(*this, minWidth_, maxWidth_, baseFont_);
    }
}

void SummaryBox::clearValue() {
    setValueText(QString());
}

int SummaryBox::textRoom() const {
    return lineEditTextRoom(*this);
}
