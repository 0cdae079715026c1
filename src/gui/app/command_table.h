#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <functional>

#include "gui/widgets/command_id.h"
#include "gui/widgets/shell_services.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The commands of the main window: one QAction per command, named after its id
// ("ImportLas"), with its caption, shortcut, hint and tool-bar picture, laid out in the menus
// and on the tool bar.
//
// A command runs what its subsystem registered for it, and is enabled when the program is
// ready and its subsystem's condition holds. A command nobody registered is disabled for the
// whole run, so no menu item or tool button ever does nothing.
class CommandTable : public QObject {
    Q_OBJECT
  public:
    explicit CommandTable(QMainWindow* window);

    QAction* action(CommandId id) const;
    // Registers what the command runs and when it may; it is enabled as refresh() decides.
    void add(Command command);
    bool isBound(CommandId id) const;
    // Runs the command; false when nothing is registered for it.
    bool run(CommandId id);

    // The commands whose state follows the workspace (those registered with a condition).
    QList<QAction*> dataCommands() const;
    // Enables each registered command whose condition holds, while ready; disables the rest.
    void refresh(bool ready);

    // File > Recent: the recent files and sessions are put in above its "Clear List".
    QMenu* recentMenu() const { return recentMenu_; }

  private:
    void addAction(CommandId id, const QString& text, const QKeySequence& shortcut,
                   const QString& hint);
    void createMenus(QMainWindow* window);
    void createToolBar(QMainWindow* window);

    std::array<QAction*, kCommandCount> actions_{};
    std::array<Command, kCommandCount> commands_{};
    bool ready_ = false;
    QMenu* recentMenu_ = nullptr;
};
