#include "gui/app/command_table.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <variant>

#include "gui/app/pictures.h"

namespace {

using Id = CommandId;

struct CommandSpec {
    CommandId id;
    const char* text;
    QKeyCombination shortcut;
    const char* hint;
};

// The commands with their captions, shortcuts and hints.
const CommandSpec kCommands[] = {
    {Id::ImportAscii, "ASCII File", Qt::Key_F2, "Open an ASCII file format"},
    {Id::ImportLas, "LAS File", Qt::Key_F3, "Open LAS file format"},
    {Id::MergeFiles, "Open 2", QKeyCombination::fromCombined(0), ""},
    {Id::OpenSession, "Open Session...", Qt::CTRL | Qt::SHIFT | Qt::Key_O,
     "Open a saved session: the well, its settings and its tracks"},
    {Id::SaveSession, "Save Session...", Qt::CTRL | Qt::SHIFT | Qt::Key_S,
     "Save the well's settings, litholog and tracks as a session"},
    {Id::ClearRecentList, "Clear List", QKeyCombination::fromCombined(0),
     "Empty the list of recent files and sessions"},
    {Id::EmptyTable, "Empty Table", Qt::CTRL | Qt::Key_E, "Empty existing table to open a new one"},
    {Id::SaveTable, "Save Table", Qt::CTRL | Qt::Key_S, "Save current table to file"},
    {Id::PrintTracks, "Print Tracks", Qt::CTRL | Qt::Key_T, "Print a number of tracks in one page"},
    {Id::PrintTable, "Print Table", Qt::CTRL | Qt::Key_P, "Print tables"},
    {Id::Exit, "E&xit", Qt::CTRL | Qt::Key_X, "Exit the program"},
    {Id::FindDepth, "Find", Qt::CTRL | Qt::Key_F, "Search for a specific depth or time"},
    {Id::ApplyFilter, "Filter", Qt::CTRL | Qt::Key_R, "Apply filter range on data"},
    {Id::UndoFilter, "Undo Filter", Qt::CTRL | Qt::Key_U, "Undo filter"},
    {Id::ElasticCorrelations, "Elastic Correlations", Qt::Key_F5, "Show combination logs"},
    {Id::TimeLapse, "Time Laps", Qt::Key_F6, "Show time laps page"},
    {Id::CrossPlots, "Cross Plots", Qt::Key_F7, "Show cross plots"},
    {Id::ElasticParameters, "Elastic Parameters", Qt::Key_F8, "Calculate elastic parameters"},
    {Id::CorrelationCoefficients, "Correlation Coefficients", Qt::Key_F9,
     "Calculate correlation coefficient"},
    {Id::FluidSubstitution, "Fluid Substitution...", QKeyCombination::fromCombined(0),
     "Replace the pore fluid of the rock (Gassmann)"},
    {Id::AvoModel, "AVO...", QKeyCombination::fromCombined(0),
     "Model the amplitude versus angle of the well's interfaces"},
    {Id::About, "About", Qt::CTRL | Qt::Key_A, ""},
    // Run by its button on the Table page; it has no menu item.
    {Id::ConfigureColumns, "Columns Configuration", QKeyCombination::fromCombined(0), ""},
};

// An entry of a menu: a command, a separator, the Open submenu or the Recent submenu.
struct Separator {};
struct OpenSubmenu {};
struct RecentSubmenu {};
using MenuEntry = std::variant<CommandId, Separator, OpenSubmenu, RecentSubmenu>;

struct MenuSpec {
    const char* name;
    const char* text;
    std::vector<MenuEntry> items;
};
const MenuSpec kMenus[] = {
    {"fileMenu",
     "&File",
     {OpenSubmenu{}, Id::MergeFiles, Id::EmptyTable, Id::SaveTable, Separator{}, Id::OpenSession,
      Id::SaveSession, RecentSubmenu{}, Separator{}, Id::PrintTracks, Id::PrintTable, Separator{},
      Id::Exit}},
    {"editMenu", "&Edit", {Id::FindDepth, Id::ApplyFilter, Id::UndoFilter}},
    {"viewMenu", "&View", {Id::ElasticCorrelations, Id::TimeLapse, Id::CrossPlots}},
    {"calculationMenu",
     "&Calculation",
     {Id::ElasticParameters, Id::CorrelationCoefficients, Separator{}, Id::FluidSubstitution,
      Id::AvoModel}},
    {"aboutMenu", "&About", {Id::About}},
};

// An entry of the tool bar: a command, a divider, a gap of so many pixels or the three logo
// pictures.
struct Gap {
    int width;
};
struct Logos {};
using ToolEntry = std::variant<CommandId, Separator, Gap, Logos>;

// The tool bar from left to right.
const ToolEntry kToolBar[] = {Id::EmptyTable,
                              Id::ImportLas,
                              Id::ImportAscii,
                              Id::SaveTable,
                              Separator{},
                              Id::PrintTracks,
                              Id::PrintTable,
                              Separator{},
                              Id::FindDepth,
                              Gap{8},
                              Id::ElasticParameters,
                              Id::CorrelationCoefficients,
                              Separator{},
                              Id::ElasticCorrelations,
                              Id::TimeLapse,
                              Id::CrossPlots,
                              Gap{285},
                              Logos{},
                              Id::Exit};

int slot(CommandId id) {
    return static_cast<int>(id);
}

}  // namespace

CommandTable::CommandTable(QMainWindow* window) : QObject(window) {
    for (const CommandSpec& c : kCommands)
        addAction(c.id, QString::fromLatin1(c.text), QKeySequence(c.shortcut),
                  QString::fromLatin1(c.hint));
    createMenus(window);
    createToolBar(window);
}

void CommandTable::addAction(CommandId id, const QString& text, const QKeySequence& shortcut,
                             const QString& hint) {
    auto* a = new QAction(text, parent());
    a->setObjectName(commandName(id));
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    if (!hint.isEmpty()) {
        a->setStatusTip(hint);
        a->setToolTip(hint);
    }
    const QIcon icon = pictures::commandIcon(id);
    if (!icon.isNull()) a->setIcon(icon);
    // The icon belongs on the tool button; the menus show text only.
    a->setIconVisibleInMenu(false);
    connect(a, &QAction::triggered, this, [this, id] { run(id); });
    a->setEnabled(false);
    actions_[slot(id)] = a;
}

void CommandTable::createMenus(QMainWindow* window) {
    for (const MenuSpec& m : kMenus) {
        QMenu* menu = window->menuBar()->addMenu(QString::fromLatin1(m.text));
        menu->setObjectName(QString::fromLatin1(m.name));
        for (const MenuEntry& item : m.items) {
            if (const auto* id = std::get_if<CommandId>(&item)) {
                menu->addAction(action(*id));
            } else if (std::holds_alternative<Separator>(item)) {
                menu->addSeparator();
            } else if (std::holds_alternative<RecentSubmenu>(item)) {
                recentMenu_ = menu->addMenu(QStringLiteral("Recent"));
                recentMenu_->setObjectName(QStringLiteral("recentMenu"));
                recentMenu_->menuAction()->setObjectName(QStringLiteral("recentSubmenu"));
                recentMenu_->addAction(action(Id::ClearRecentList));
            } else {
                QMenu* open = menu->addMenu(QStringLiteral("Open"));
                open->setObjectName(QStringLiteral("openMenu"));
                open->menuAction()->setObjectName(QStringLiteral("openSubmenu"));
                open->addAction(action(Id::ImportAscii));
                open->addAction(action(Id::ImportLas));
            }
        }
    }
}

void CommandTable::createToolBar(QMainWindow* window) {
    QToolBar* bar = window->addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("commandBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(37);
    bar->setIconSize(QSize(32, 26));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->toggleViewAction()->setVisible(false);

    int gaps = 0;
    for (const ToolEntry& entry : kToolBar) {
        if (const auto* id = std::get_if<CommandId>(&entry)) {
            QAction* a = action(*id);
            bar->addAction(a);
            if (QWidget* w = bar->widgetForAction(a)) {
                w->setFixedSize(41, 33);
                w->setObjectName(QStringLiteral("ToolButton_") + commandName(*id));
            }
        } else if (std::holds_alternative<Separator>(entry)) {
            bar->addSeparator();
        } else if (const auto* gap = std::get_if<Gap>(&entry)) {
            auto* spacer = new QWidget(bar);
            spacer->setObjectName(QStringLiteral("ToolGap%1").arg(++gaps));
            spacer->setFixedSize(gap->width, 33);
            bar->addWidget(spacer);
        } else {
            for (int i = 0; i < 3; ++i) {
                auto* logo = new QLabel(bar);
                logo->setObjectName(QStringLiteral("ToolLogo%1").arg(i + 1));
                logo->setPixmap(pictures::toolBarLogo(i));
                logo->setFixedSize(41, 33);
                bar->addWidget(logo);
            }
        }
    }
}

QAction* CommandTable::action(CommandId id) const {
    return actions_[slot(id)];
}

void CommandTable::add(Command command) {
    const CommandId id = command.id;
    commands_[slot(id)] = std::move(command);
    refresh(ready_);
}

bool CommandTable::isBound(CommandId id) const {
    return static_cast<bool>(commands_[slot(id)].run);
}

bool CommandTable::run(CommandId id) {
    if (!isBound(id)) return false;
    // A copy: the command may register commands anew while it runs.
    const std::function<void()> command = commands_[slot(id)].run;
    command();
    return true;
}

QList<QAction*> CommandTable::dataCommands() const {
    QList<QAction*> out;
    for (const CommandSpec& c : kCommands)
        if (commands_[slot(c.id)].enabledWhen) out.append(action(c.id));
    return out;
}

void CommandTable::refresh(bool ready) {
    ready_ = ready;
    for (const CommandSpec& c : kCommands) {
        const Command& command = commands_[slot(c.id)];
        action(c.id)->setEnabled(ready && command.run &&
                                 (!command.enabledWhen || command.enabledWhen()));
    }
}
