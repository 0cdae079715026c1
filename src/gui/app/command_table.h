#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <functional>

#include "gui/app/command_id.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The commands of the main window: one QAction per command, named after its id
// ("ImportLas"), with its caption, shortcut, hint and tool-bar picture, laid out in the menus
// and on the tool bar.
//
// A command runs the handler bound to it. A command without a handler is disabled for the
// whole run, so no menu item or tool button ever does nothing. The ten data commands are
// enabled only while a workspace is loaded.
class CommandTable : public QObject {
    Q_OBJECT
  public:
    explicit CommandTable(QMainWindow* window);

    QAction* action(CommandId id) const;
    // Binds the command to its handler and enables it as its state allows.
    void bind(CommandId id, std::function<void()> handler);
    bool isBound(CommandId id) const;
    // Runs the command's handler; false when it has none.
    bool run(CommandId id);

    // Empty Table, Save Table, Print Table, Print Tracks, Find, Filter, Undo Filter, Elastic
    // Correlations, Elastic Parameters, Correlation Coefficients.
    QList<QAction*> dataCommands() const;
    void setDataCommandsEnabled(bool enabled);
    bool dataCommandsEnabled() const { return dataEnabled_; }

  private:
    void add(CommandId id, const QString& text, const QKeySequence& shortcut, const QString& hint,
             bool dataCommand);
    void createMenus(QMainWindow* window);
    void createToolBar(QMainWindow* window);
    void updateState(CommandId id);

    std::array<QAction*, kCommandCount> actions_{};
    std::array<std::function<void()>, kCommandCount> handlers_;
    QList<QAction*> dataCommands_;
    bool dataEnabled_ = false;
};
