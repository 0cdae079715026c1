#pragma once
// Mouse input for widget tests.
#include <QPoint>
#include <QTest>
#include <QWidget>

// Presses and releases a mouse button on a widget at `at` (the widget's centre when null),
// as a user's single press of the button does.
inline void pressAndRelease(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
                            QPoint at = {}) {
    QTest::mousePress(widget, button, {}, at);
    QTest::mouseRelease(widget, button, {}, at);
}
