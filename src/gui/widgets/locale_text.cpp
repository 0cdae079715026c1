#include "gui/widgets/locale_text.h"

#include <QLocale>

char localeDecimalPoint() {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 128) return point.at(0).toLatin1();
    return '.';
}
