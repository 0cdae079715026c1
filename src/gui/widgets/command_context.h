#pragma once
#include <QMessageBox>
#include <QString>
#include <functional>

#include "gui/widgets/dialog_seam.h"

class QWidget;

namespace lithora::workspace {
class Workspace;
}

// What a subsystem's command controller is built with: the workspace it works on, the seam
// every modal question goes through, the status bar's first panel, the program folder, and
// the window its dialogs belong to.
struct CommandContext {
    lithora::workspace::Workspace& workspace;
    DialogSeam& seam;
    QWidget* parent;
    std::function<void(const QString&)> status;  // shows a text in the status bar
    // Makes the program folder current again (after a file dialog); says "Cannot find
    // directory" itself and returns false when it cannot.
    std::function<bool()> restoreFolder;

    // A message box through the seam, titled with the program's name.
    QMessageBox::StandardButton message(
        QMessageBox::Icon icon, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok) const {
        return seam.message(parent, icon, QStringLiteral("Lithora"), text, buttons);
    }
};

// The hourglass for the length of a command, also when it ends by an error.
class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
