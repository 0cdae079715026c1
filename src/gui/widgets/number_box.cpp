#include "gui/widgets/number_box.h"

#include <QLocale>
#include <QRegularExpressionValidator>

#include "core/common/number_text.h"

char NumberBox::decimalSeparator() {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 128) return point.at(0).toLatin1();
    return '.';
}

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
    const QString sep = QRegularExpression::escape(QString(QChar(decimalSeparator())));
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[+-]?[0-9]*(%1[0-9]*)?([eE][+-]?[0-9]*)?").arg(sep)),
        this));
    clearValue();
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (text().trimmed().isEmpty()) clearValue();
    });
}

std::optional<double> NumberBox::value() const {
    return lithora::parseNumber(text().toStdString(), decimalSeparator());
}

void NumberBox::setValue(double value) {
    setText(QString::fromStdString(lithora::numberText(value, decimalSeparator())));
}

void NumberBox::clearValue() {
    setText(QStringLiteral("0"));
}
