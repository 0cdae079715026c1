#include "gui/app/window_place.h"

#include <QSettings>
#include <QWidget>

namespace {
const QString kGeometryKey = QStringLiteral("MainWindow/geometry");
}  // namespace

void restoreWindowPlace(QWidget& window, const QSettings& settings) {
    const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
    if (geometry.isEmpty()) return;
    const QRect before = window.geometry();
    if (!window.restoreGeometry(geometry)) window.setGeometry(before);
}

void saveWindowPlace(const QWidget& window, QSettings& settings) {
    settings.setValue(kGeometryKey, window.saveGeometry());
    settings.sync();
}
