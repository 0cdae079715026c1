#pragma once
#include <QFont>
#include <QString>

// A font by family, size in pixels and weight, as the window layouts give them.
inline QFont pixelFont(const char* family, int pixels, bool bold) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}
