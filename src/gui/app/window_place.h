#pragma once
class QSettings;
class QWidget;

// The main window's size and place between runs, kept in the user's settings. A place
// that no screen shows any more is brought onto the screen; a missing or damaged setting
// leaves the window as it is (its own size, centred).
void restoreWindowPlace(QWidget& window, const QSettings& settings);
void saveWindowPlace(const QWidget& window, QSettings& settings);
