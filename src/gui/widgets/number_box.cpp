#include "gui/widgets/number_box.h"

#include <QRegularExpressionValidator>

#include "core/common/number_text.h"
#include "gui/widgets/locale_text.h"
#include "gui/widgets/text_fit.h"

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
    const QString sep = QRegularExpression::escape(QString(QChar(localeDecimalPoint())));
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[+-]?[0-9]*(%1[0-9]*)?([eE][+-]?[0-9]*)?").arg(sep)),
        this));
    clearValue();
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (text().trimmed().isEmpty()) clearValue();
    });
}

std::optional<double> NumberBox::value() const {
    return lithora::parseNumber(text().toStdString(), localeDecimalPoint());
}

void NumberBox::setValue(double value) {
    setText(QString::fromStdString(lithora::numberText(value, localeDecimalPoint())));
}

void NumberBox::setFit(int minWidth, int maxWidth, const QFont& font) {
    minWidth_ = minWidth;
    maxWidth_ = maxWidth;
    baseFont_ = font;
    fitLineEditText(*this, minWidth_, maxWidth_, baseFont_);
    connect(this, &QLineEdit::textChanged, this, [this] {
        const int cursor = cursorPosition();
        fitLineEditText(*this, minWidth_, maxWidth_, baseFont_);
        if (hasFocus()) setCursorPosition(cursor);
    });
}

void NumberBox::clearValue() {
    setText(QStringLiteral("0"));
}
