#include "gui/display/limits_dialog_parts.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

QFont limitsDialogFont(const char* family, int pixels, bool bold) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QLabel* addHeading(QDialog* dialog, const QString& text, const QRect& room) {
    auto* heading = new QLabel(text, dialog);
    heading->setObjectName(QStringLiteral("Heading"));
    QFont font = limitsDialogFont("Arial", 16, true);
    while (font.pixelSize() > 9 && QFontMetrics(font).horizontalAdvance(text) > room.width())
        font.setPixelSize(font.pixelSize() - 1);
    heading->setFont(font);
    heading->setGeometry(room);
    return heading;
}

std::pair<QPushButton*, QPushButton*> addOkCancel(QDialog* dialog, const QRect& ok,
                                                  const QRect& cancel) {
    auto* okButton = new QPushButton(QStringLiteral("Ok"), dialog);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(ok);
    okButton->setFont(limitsDialogFont("Tahoma", 13, true));
    okButton->setStyleSheet(QStringLiteral("color: green;"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setGeometry(cancel);
    cancelButton->setStyleSheet(QStringLiteral("color: red;"));
    return {okButton, cancelButton};
}
