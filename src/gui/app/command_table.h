#pragma once
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The commands of the main window: one QAction per menu item, named after the item
// ("Lasfilez1", "Exit1", "Open1" for the Open submenu, ...), with its caption, shortcut,
// hint and tool-bar picture, laid out in the menus and on the tool bar.
//
// A command runs the handler bound to it. A command without a handler is disabled for the
// whole run, so no menu item or tool button ever does nothing. The ten data commands are
// enabled only while a workspace is loaded.
class CommandTable : public QObject {
    Q_OBJECT
  public:
    explicit CommandTable(QMainWindow* window);

    QAction* action(const QString& name) const;
    // Binds the command to its handler and enables it as its state allows. A name that is
    // no menu item makes a command of its own (for a button of a page).
    void bind(const QString& name, std::function<void()> handler);
    bool isBound(const QString& name) const;
    // Runs the command's handler; false when it has none.
    bool run(const QString& name);

    // Empty Table, Save Table, Print Table, Print Tracks, Find, Filter, Undo Filter, Elastic
    // Correlations, Elastic Parameters, Correlation Coefficients.
    QList<QAction*> dataCommands() const;
    void setDataCommandsEnabled(bool enabled);
    bool dataCommandsEnabled() const { return dataEnabled_; }

  private:
    QAction* add(const QString& name, const QString& text, const QKeySequence& shortcut,
                 const QString& hint, bool dataCommand);
    void createMenus(QMainWindow* window);
    void createToolBar(QMainWindow* window);
    void updateState(QAction* a);

    QMap<QString, QAction*> actions_;
    QMap<QString, std::function<void()>> handlers_;
    QList<QAction*> dataCommands_;
    bool dataEnabled_ = false;
};
