#pragma once
#include <QMessageBox>
#include <QString>
#include <functional>

#include "gui/widgets/command_context.h"
#include "gui/widgets/command_id.h"

class DialogSeam;
class QWidget;

namespace lithora::workspace {
class Workspace;
}

// A command as a subsystem registers it: when it may run, asked again after every change of
// the workspace (empty: whenever the program is ready), and what it does. Its caption,
// shortcut, hint and tool-bar picture are laid out by the shell with the menus, so that every
// text and shortcut of the menus stands in one table.
struct Command {
    CommandId id;
    std::function<bool()> enabledWhen;
    std::function<void()> run;
};

// What a subsystem may ask of the main window, and all it may ask: the workspace, the dialog
// seam, the status line, progress, the pages, and the registration of its commands. What the
// window shows of the workspace follows the workspace's own change reports, so no command
// tells the window what it did.
class ShellServices {
  public:
    virtual ~ShellServices() = default;

    virtual lithora::workspace::Workspace& workspace() = 0;
    // The seam every modal question goes through; it may be replaced while the program runs.
    virtual DialogSeam& seam() = 0;
    // The window that dialogs and windows belong to.
    virtual QWidget* dialogParent() = 0;
    virtual QString programFolder() const = 0;

    // The status line; the text is shown at once, also in the middle of a long command.
    virtual void setStatus(const QString& text) = 0;
    // Progress of a long command: the status line reads text and the window repaints; what the
    // user types or clicks waits until the command ends.
    virtual void showProgress(const QString& text) = 0;
    // Makes the program folder current again after a file dialog; says "Cannot find
    // directory" itself and returns false when it cannot.
    virtual bool restoreFolder() = 0;

    // Pages. The elastic grid follows the depth of the source grid's current row; a command
    // that changes the records turns this off while it runs.
    virtual void followSourceRow(bool on) = 0;

    // Registers a command: its menu item, tool button or page button runs it.
    virtual void addCommand(Command command) = 0;

    // A message box through the seam, titled with the program's name.
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    // What the windows of a subsystem are built with.
    CommandContext context();
};

// The commands and windows of one folder of the program. The shell makes one of each, then,
// once the workspace's tables are open, has each register its commands.
class Subsystem {
  public:
    virtual ~Subsystem() = default;
    virtual void registerCommands(ShellServices& shell) = 0;
};
