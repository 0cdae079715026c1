#include "gui/app/command_table.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include "gui/app/pictures.h"

namespace {

struct CommandSpec {
    const char* name;
    const char* text;
    QKeyCombination shortcut;
    const char* hint;
    bool dataCommand;
};

// The menu items with their captions, shortcuts and hints.
const CommandSpec kCommands[] = {
    {"ASCIIfile1", "ASCII File", Qt::Key_F2, "Open an ASCII file format", false},
    {"Lasfilez1", "LAS File", Qt::Key_F3, "Open LAS file format", false},
    {"Open21", "Open 2", QKeyCombination::fromCombined(0), "", false},
    {"Emptytable1", "Empty Table", Qt::CTRL | Qt::Key_E, "Empty existing table to open a new one",
     true},
    {"Savetable1", "Save Table", Qt::CTRL | Qt::Key_S, "Save current table to file", true},
    {"Printtracks1", "Print Tracks", Qt::CTRL | Qt::Key_T, "Print a number of tracks in one page",
     true},
    {"Printtable1", "Print Table", Qt::CTRL | Qt::Key_P, "Print tables", true},
    {"Exit1", "E&xit", Qt::CTRL | Qt::Key_X, "Exit the program", false},
    {"Find1", "Find", Qt::CTRL | Qt::Key_F, "Search for a specific depth or time", true},
    {"Filter1", "Filter", Qt::CTRL | Qt::Key_R, "Apply filter range on data", true},
    {"UndoFilter1", "Undo Filter", Qt::CTRL | Qt::Key_U, "Undo filter", true},
    {"ElasticCorrelations1", "Elastic Correlations", Qt::Key_F5, "Show combination logs", true},
    {"Lapse1", "Time Laps", Qt::Key_F6, "Show time laps page", false},
    {"N3", "Cross Plots", Qt::Key_F7, "Show cross plots", false},
    {"Elasticparameters1", "Elastic Parameters", Qt::Key_F8, "Calculate elastic parameters", true},
    {"Correlationcoefficients1", "Correlation Coefficients", Qt::Key_F9,
     "Calculate correlation coefficient", true},
    {"About2", "About", Qt::CTRL | Qt::Key_A, "", false},
};

// Menus by object name and caption, with their items; "-" is a separator, "Open1" the
// Open submenu.
struct MenuSpec {
    const char* name;
    const char* text;
    std::vector<const char*> items;
};
const MenuSpec kMenus[] = {
    {"File1",
     "&File",
     {"Open1", "Open21", "Emptytable1", "Savetable1", "-", "Printtracks1", "Printtable1", "-",
      "Exit1"}},
    {"Edit1", "&Edit", {"Find1", "Filter1", "UndoFilter1"}},
    {"View1", "&View", {"ElasticCorrelations1", "Lapse1", "N3"}},
    {"Calculation1", "&Calculation", {"Elasticparameters1", "Correlationcoefficients1"}},
    {"About1", "&About", {"About2"}},
};

// The tool bar from left to right: commands, "-" a divider, "gap:N" a gap of N pixels,
// "logos" the three logo pictures.
const char* const kToolBar[] = {"Emptytable1",
                                "Lasfilez1",
                                "ASCIIfile1",
                                "Savetable1",
                                "-",
                                "Printtracks1",
                                "Printtable1",
                                "-",
                                "Find1",
                                "gap:8",
                                "Elasticparameters1",
                                "Correlationcoefficients1",
                                "-",
                                "ElasticCorrelations1",
                                "Lapse1",
                                "N3",
                                "gap:285",
                                "logos",
                                "Exit1"};

}  // namespace

CommandTable::CommandTable(QMainWindow* window) : QObject(window) {
    for (const CommandSpec& c : kCommands)
        add(QString::fromLatin1(c.name), QString::fromLatin1(c.text), QKeySequence(c.shortcut),
            QString::fromLatin1(c.hint), c.dataCommand);
    createMenus(window);
    createToolBar(window);
}

QAction* CommandTable::add(const QString& name, const QString& text, const QKeySequence& shortcut,
                           const QString& hint, bool dataCommand) {
    auto* a = new QAction(text, parent());
    a->setObjectName(name);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    if (!hint.isEmpty()) {
        a->setStatusTip(hint);
        a->setToolTip(hint);
    }
    const QIcon icon = pictures::commandIcon(name);
    if (!icon.isNull()) a->setIcon(icon);
    // The icon belongs on the tool button; the menus show text only.
    a->setIconVisibleInMenu(false);
    connect(a, &QAction::triggered, this, [this, name] { run(name); });
    actions_.insert(name, a);
    if (dataCommand) dataCommands_.append(a);
    updateState(a);
    return a;
}

void CommandTable::createMenus(QMainWindow* window) {
    for (const MenuSpec& m : kMenus) {
        QMenu* menu = window->menuBar()->addMenu(QString::fromLatin1(m.text));
        menu->setObjectName(QString::fromLatin1(m.name));
        for (const char* item : m.items) {
            const QString name = QString::fromLatin1(item);
            if (name == QLatin1String("-")) {
                menu->addSeparator();
            } else if (name == QLatin1String("Open1")) {
                QMenu* open = menu->addMenu(QStringLiteral("Open"));
                open->setObjectName(QStringLiteral("Open1Menu"));
                open->menuAction()->setObjectName(name);
                actions_.insert(name, open->menuAction());
                open->addAction(action(QStringLiteral("ASCIIfile1")));
                open->addAction(action(QStringLiteral("Lasfilez1")));
            } else {
                menu->addAction(action(name));
            }
        }
    }
}

void CommandTable::createToolBar(QMainWindow* window) {
    QToolBar* bar = window->addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(37);
    bar->setIconSize(QSize(32, 26));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->toggleViewAction()->setVisible(false);

    int gaps = 0;
    for (const char* entry : kToolBar) {
        const QString item = QString::fromLatin1(entry);
        if (item == QLatin1String("-")) {
            bar->addSeparator();
        } else if (item.startsWith(QLatin1String("gap:"))) {
            auto* spacer = new QWidget(bar);
            spacer->setObjectName(QStringLiteral("ToolGap%1").arg(++gaps));
            spacer->setFixedSize(item.mid(4).toInt(), 33);
            bar->addWidget(spacer);
        } else if (item == QLatin1String("logos")) {
            for (int i = 0; i < 3; ++i) {
                auto* logo = new QLabel(bar);
                logo->setObjectName(QStringLiteral("ToolLogo%1").arg(i + 1));
                logo->setPixmap(pictures::toolBarLogo(i));
                logo->setFixedSize(41, 33);
                bar->addWidget(logo);
            }
        } else {
            QAction* a = action(item);
            bar->addAction(a);
            if (QWidget* w = bar->widgetForAction(a)) {
                w->setFixedSize(41, 33);
                w->setObjectName(QStringLiteral("ToolButton_") + item);
            }
        }
    }
}

QAction* CommandTable::action(const QString& name) const {
    return actions_.value(name);
}

void CommandTable::bind(const QString& name, std::function<void()> handler) {
    QAction* a = action(name);
    if (!a) a = add(name, name, QKeySequence(), QString(), false);
    handlers_.insert(name, std::move(handler));
    updateState(a);
}

bool CommandTable::isBound(const QString& name) const {
    return handlers_.contains(name);
}

bool CommandTable::run(const QString& name) {
    const auto it = handlers_.constFind(name);
    if (it == handlers_.constEnd() || !*it) return false;
    // A copy: the handler may bind commands anew while it runs.
    const std::function<void()> handler = *it;
    handler();
    return true;
}

QList<QAction*> CommandTable::dataCommands() const {
    return dataCommands_;
}

void CommandTable::setDataCommandsEnabled(bool enabled) {
    dataEnabled_ = enabled;
    for (QAction* a : dataCommands_) updateState(a);
}

void CommandTable::updateState(QAction* a) {
    const bool data = dataCommands_.contains(a);
    a->setEnabled(isBound(a->objectName()) && (!data || dataEnabled_));
}
