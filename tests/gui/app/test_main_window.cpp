#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <limits>
#include <memory>

#include "core/compute/elastic.h"
#include "core/import/import_result.h"
#include "core/store/table.h"
#include "gui/app/about_page.h"
#include "gui/app/calculation_page.h"
#include "gui/app/splash_screen.h"
#include "gui/app/window_place.h"
#include "gui/export/litholog_panel.h"
#include "gui/export/save_controller.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/page_control.h"
#include "gui/widgets/summary_box.h"
#include "gui/widgets/table_grid.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"

namespace {

namespace fs = std::filesystem;
using lithora::store::Table;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;

// A program folder of its own for every test: the pattern bitmaps linked in, the shipped
// tables made by the window.
class MainWindowTest : public ::testing::Test {
  protected:
    void TearDown() override { forms_.clear(); }

    TCalculationForm& makeForm(RecordingSeam** seamOut = nullptr) {
        auto seam = std::make_unique<RecordingSeam>();
        if (seamOut) *seamOut = seam.get();
        forms_.push_back(std::make_unique<TCalculationForm>(folder_.qpath(), std::move(seam)));
        return *forms_.back();
    }

    // A loaded workspace: three depth samples of two curves.
    static void loadSource(TCalculationForm& form) {
        lithora::import::ImportResult r;
        r.fieldNames = {"DEPTH", "RHOB", "DT"};
        r.fieldLabels = {"DEPT(M)", "RHOB(G/C3)", "DT(US/F)"};
        r.columns = {{1000, 1000.5, 1001}, {2.25, kNaN, 2.5}, {90, 91, 92}};
        r.catalog = {{"DEPT", "(M)", "DEPT(M)"},
                     {"RHOB", "(G/C3)", "RHOB(G/C3)"},
                     {"DT", "(US/F)", "DT(US/F)"}};
        r.lasSource = true;
        r.headerLines = {"~VERSION INFORMATION", "~A DEPTH RHOB DT"};
        form.workspace().installImport(std::move(r));
        form.tablePage()->styleSourceGrid(true);
    }

    // Elastic results for the three depths.
    static void loadElastic(TCalculationForm& form) {
        std::vector<Table::BulkColumn> cols(lithora::compute::kElasticFieldCount);
        const double depths[] = {1000, 1000.5, 1001};
        for (int r = 0; r < 3; ++r) {
            cols[0].floats.push_back(r + 1);
            cols[1].floats.push_back(depths[r]);
            for (std::size_t f = 2; f < cols.size(); ++f) cols[f].floats.push_back(0.25 + r);
        }
        form.workspace().elastic().loadColumns(std::move(cols));
    }

    static void loadLitholog(TCalculationForm& form) {
        std::vector<Table::BulkColumn> cols(3);
        cols[0].floats = {1000};
        cols[1].floats = {1001};
        cols[2].texts = {"Shale"};
        form.workspace().litholog().loadColumns(std::move(cols));
    }

    static int recordsIn(const fs::path& file) {
        Table t(file);
        t.open();
        return t.recordCount();
    }

    ProgramFolder folder_;
    std::vector<std::unique_ptr<TCalculationForm>> forms_;
};

TEST_F(MainWindowTest, StartsWithDataCommandsGreyedAndReady) {
    RecordingSeam* seam = nullptr;
    TCalculationForm& form = makeForm(&seam);
    ASSERT_TRUE(form.ready());
    EXPECT_TRUE(seam->messages.empty());
    EXPECT_EQ(form.windowTitle(), "Lithora");
    EXPECT_EQ(form.statusText(), "Ready");
    EXPECT_EQ(QDir::currentPath(), QDir(folder_.qpath()).canonicalPath());

    for (QAction* a : form.dataCommands())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    // Save Session and Clear List (of an empty Recent list) among them.
    EXPECT_EQ(form.dataCommands().size(), 14);
    for (CommandId id : {CommandId::ImportAscii, CommandId::ImportLas, CommandId::OpenSession,
                         CommandId::About, CommandId::Exit})
        EXPECT_TRUE(form.action(id)->isEnabled()) << commandName(id).toStdString();
    EXPECT_TRUE(fs::exists(folder_.path() / "ElasticTable.db"));
    EXPECT_TRUE(fs::exists(folder_.path() / "Litholog.db"));
    EXPECT_FALSE(fs::exists(folder_.path() / "Table.db"));
}

struct CommandCase {
    CommandId id;
    const char* menu;  // object name of the menu that holds it
    const char* text;
    QKeySequence shortcut;
    const char* hint;
};

class MenuCommandTest : public MainWindowTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(MenuCommandTest, ItemHasItsShortcutHintAndMenu) {
    const CommandCase& c = GetParam();
    TCalculationForm& form = makeForm();
    QAction* a = form.action(c.id);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), c.text);
    EXPECT_EQ(a->shortcut(), c.shortcut);
    EXPECT_EQ(a->statusTip(), c.hint);
    // Without a hint the tool tip is the caption without its access-key mark.
    const QString tip = QString(c.hint).isEmpty() ? QString(c.text).remove('&') : c.hint;
    EXPECT_EQ(a->toolTip(), tip);
    auto* menu = form.findChild<QMenu*>(c.menu);
    ASSERT_NE(menu, nullptr) << c.menu;
    EXPECT_TRUE(menu->actions().contains(a));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MenuCommandTest,
    ::testing::Values(
        CommandCase{CommandId::ImportAscii, "openMenu", "ASCII File", QKeySequence(Qt::Key_F2),
                    "Open an ASCII file format"},
        CommandCase{CommandId::ImportLas, "openMenu", "LAS File", QKeySequence(Qt::Key_F3),
                    "Open LAS file format"},
        CommandCase{CommandId::MergeFiles, "fileMenu", "Open 2", QKeySequence(), ""},
        CommandCase{CommandId::OpenSession, "fileMenu", "Open Session...",
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
                    "Open a saved session: the well, its settings and its tracks"},
        CommandCase{CommandId::SaveSession, "fileMenu", "Save Session...",
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                    "Save the well's settings, litholog and tracks as a session"},
        CommandCase{CommandId::ClearRecentList, "recentMenu", "Clear List", QKeySequence(),
                    "Empty the list of recent files and sessions"},
        CommandCase{CommandId::EmptyTable, "fileMenu", "Empty Table",
                    QKeySequence(Qt::CTRL | Qt::Key_E), "Empty existing table to open a new one"},
        CommandCase{CommandId::SaveTable, "fileMenu", "Save Table",
                    QKeySequence(Qt::CTRL | Qt::Key_S), "Save current table to file"},
        CommandCase{CommandId::PrintTracks, "fileMenu", "Print Tracks",
                    QKeySequence(Qt::CTRL | Qt::Key_T), "Print a number of tracks in one page"},
        CommandCase{CommandId::PrintTable, "fileMenu", "Print Table",
                    QKeySequence(Qt::CTRL | Qt::Key_P), "Print tables"},
        CommandCase{CommandId::Exit, "fileMenu", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_X),
                    "Exit the program"},
        CommandCase{CommandId::FindDepth, "editMenu", "Find", QKeySequence(Qt::CTRL | Qt::Key_F),
                    "Search for a specific depth or time"},
        CommandCase{CommandId::ApplyFilter, "editMenu", "Filter",
                    QKeySequence(Qt::CTRL | Qt::Key_R), "Apply filter range on data"},
        CommandCase{CommandId::UndoFilter, "editMenu", "Undo Filter",
                    QKeySequence(Qt::CTRL | Qt::Key_U), "Undo filter"},
        CommandCase{CommandId::ElasticCorrelations, "viewMenu", "Elastic Correlations",
                    QKeySequence(Qt::Key_F5), "Show combination logs"},
        CommandCase{CommandId::TimeLapse, "viewMenu", "Time Laps", QKeySequence(Qt::Key_F6),
                    "Show time laps page"},
        CommandCase{CommandId::CrossPlots, "viewMenu", "Cross Plots", QKeySequence(Qt::Key_F7),
                    "Show cross plots"},
        CommandCase{CommandId::ElasticParameters, "calculationMenu", "Elastic Parameters",
                    QKeySequence(Qt::Key_F8), "Calculate elastic parameters"},
        CommandCase{CommandId::CorrelationCoefficients, "calculationMenu",
                    "Correlation Coefficients", QKeySequence(Qt::Key_F9),
                    "Calculate correlation coefficient"},
        CommandCase{CommandId::FluidSubstitution, "calculationMenu", "Fluid Substitution...",
                    QKeySequence(), "Replace the pore fluid of the rock (Gassmann)"},
        CommandCase{CommandId::AvoModel, "calculationMenu", "AVO...", QKeySequence(),
                    "Model the amplitude versus angle of the well's interfaces"},
        CommandCase{CommandId::About, "aboutMenu", "About", QKeySequence(Qt::CTRL | Qt::Key_A),
                    ""}),
    [](const ::testing::TestParamInfo<CommandCase>& p) {
        return commandName(p.param.id).toStdString();
    });

// The names of a menu's or tool bar's entries in order; "-" for a separator, the widget's
// object name for a spacer or a logo.
QStringList entries(const QList<QAction*>& actions, QToolBar* bar = nullptr) {
    QStringList out;
    for (QAction* a : actions) {
        if (a->isSeparator())
            out << "-";
        else if (!a->objectName().isEmpty())
            out << a->objectName();
        else if (bar && bar->widgetForAction(a))
            out << bar->widgetForAction(a)->objectName();
    }
    return out;
}

TEST_F(MainWindowTest, FileMenuAndToolBarAreInTheirOrder) {
    TCalculationForm& form = makeForm();
    auto* file = form.findChild<QMenu*>("fileMenu");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(entries(file->actions()),
              QStringList({"openSubmenu", "MergeFiles", "EmptyTable", "SaveTable", "-",
                           "OpenSession", "SaveSession", "recentSubmenu", "-", "PrintTracks",
                           "PrintTable", "-", "Exit"}));

    auto* bar = form.findChild<QToolBar*>("commandBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->height(), 37);
    EXPECT_EQ(entries(bar->actions(), bar), QStringList({"EmptyTable",
                                                         "ImportLas",
                                                         "ImportAscii",
                                                         "SaveTable",
                                                         "-",
                                                         "PrintTracks",
                                                         "PrintTable",
                                                         "-",
                                                         "FindDepth",
                                                         "ToolGap1",
                                                         "ElasticParameters",
                                                         "CorrelationCoefficients",
                                                         "-",
                                                         "ElasticCorrelations",
                                                         "TimeLapse",
                                                         "CrossPlots",
                                                         "ToolGap2",
                                                         "ToolLogo1",
                                                         "ToolLogo2",
                                                         "ToolLogo3",
                                                         "Exit"}));
    EXPECT_EQ(form.findChild<QWidget*>("ToolGap2")->width(), 285);
    // Each tool button is the menu item itself: same command, hint, picture and state.
    for (QAction* a : bar->actions()) {
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
        if (!button) continue;
        EXPECT_EQ(button->defaultAction(), a);
        EXPECT_EQ(button->size(), QSize(41, 33)) << a->objectName().toStdString();
        EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
        EXPECT_EQ(button->isEnabled(), a->isEnabled());
    }
}

TEST_F(MainWindowTest, PagesAndTablePageControlsStandInTheirPlaces) {
    TCalculationForm& form = makeForm();
    PageControl* pages = form.pageControl();
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->tabText(0), "Table");
    EXPECT_EQ(pages->tabText(1), "Graph");
    EXPECT_EQ(pages->tabBar()->tabRect(0).width(), 250);
    EXPECT_EQ(pages->size(), QSize(1001, 610));
    EXPECT_EQ(form.tablePage()->sourceGrid()->geometry(), QRect(80, 28, 737, 150));
    EXPECT_EQ(form.tablePage()->elasticGrid()->geometry(), QRect(80, 218, 737, 150));
    EXPECT_EQ(form.tablePage()->memo()->geometry(), QRect(80, 406, 737, 135));
    EXPECT_EQ(form.tablePage()->memo()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(form.tablePage()->summaryBox(TablePage::Interval)->geometry(),
              QRect(11, 519, 52, 22));
    EXPECT_EQ(form.tablePage()->filterLowBox()->text(), "0");
    EXPECT_EQ(form.exportSubsystem().lithologPanel()->columnImage()->geometry(),
              QRect(441, 58, 40, 484));

    // The elastic grid shows the result columns with their widths, up to "S-Impedance".
    TableModel* elastic = form.tablePage()->elasticGrid()->tableModel();
    ASSERT_EQ(elastic->columnCount(), 15);
    EXPECT_EQ(form.tablePage()->elasticGrid()->columnWidth(0), 38);
    // A column is as wide as its stated width, or wider where its title needs more in this font.
    TableGrid* grid = form.tablePage()->elasticGrid();
    EXPECT_EQ(grid->columnWidth(7), std::max(148, grid->neededWidth(7)));
    EXPECT_GE(grid->columnWidth(7), 148);
    EXPECT_EQ(elastic->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "POISSON RATIO");
    EXPECT_EQ(elastic->headerData(8, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
              QColor(255, 128, 0));
}

TEST_F(MainWindowTest, EmptyTableOnAnEmptyWorkspaceDoesNothing) {
    RecordingSeam* seam = nullptr;
    TCalculationForm& form = makeForm(&seam);
    form.tablePage()->memo()->setPlainText("kept");
    form.emptyTable();
    EXPECT_TRUE(seam->messages.empty());
    EXPECT_EQ(form.tablePage()->memo()->toPlainText(), "kept");
    EXPECT_FALSE(form.action(CommandId::EmptyTable)->isEnabled());
    EXPECT_TRUE(fs::exists(folder_.path() / "ElasticTable.db"));
}

TEST_F(MainWindowTest, EmptyTableReturnsALoadedWorkspaceToEmpty) {
    RecordingSeam* seam = nullptr;
    TCalculationForm& form = makeForm(&seam);
    loadSource(form);
    loadElastic(form);
    form.tablePage()->showSummary(form.workspace().summary());
    form.tablePage()->filterLowBox()->setValue(1000);
    form.tablePage()->memo()->setPlainText("~VERSION INFORMATION");
    form.tablePage()->referenceNameCaption()->setText("RHOB");
    form.tablePage()->newCorrelationRows(false);
    form.pageControl()->setCurrentIndex(1);
    ASSERT_EQ(form.tablePage()->sourceGrid()->tableModel()->rowCount(), 3);
    ASSERT_EQ(form.tablePage()->summaryBox(TablePage::Records)->text(), "3");

    form.emptyTable();

    // The elastic rows were loaded, not computed: nothing unsaved, nothing asked.
    EXPECT_TRUE(seam->messages.empty());
    EXPECT_FALSE(fs::exists(folder_.path() / "Table.db"));
    EXPECT_EQ(form.workspace().elastic().recordCount(), 0);
    EXPECT_EQ(form.workspace().sourceFieldCount(), 0);
    EXPECT_EQ(form.tablePage()->sourceGrid()->tableModel()->rowCount(), 0);
    EXPECT_EQ(form.tablePage()->elasticGrid()->tableModel()->rowCount(), 0);
    EXPECT_TRUE(form.tablePage()->summaryBox(TablePage::Records)->text().isEmpty());
    EXPECT_EQ(form.tablePage()->filterLowBox()->text(), "0");
    EXPECT_TRUE(form.tablePage()->memo()->toPlainText().isEmpty());
    EXPECT_TRUE(form.tablePage()->referenceNameCaption()->text().isEmpty());
    EXPECT_EQ(form.tablePage()->findChild<QWidget*>("SourceCorrelationRows"), nullptr);
    EXPECT_EQ(form.pageControl()->currentIndex(), 0);
    EXPECT_EQ(form.pageControl()->size(), QSize(1000, 610));
    for (QAction* a : form.dataCommands()) EXPECT_FALSE(a->isEnabled());
}

// How the litholog can be saved at exit: not at all (no litholog commands), or by a saver
// that writes its files or fails to.
enum class LithologSaver { None, Writes, Fails };

struct ExitCase {
    const char* label;
    bool elastic, litholog;
    LithologSaver saver;
    std::vector<QMessageBox::StandardButton> answers;
    bool closes;
    int lithologKept;  // intervals left in "Litholog.db" when the window closed
};

class ExitQuestionTest : public MainWindowTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitQuestionTest, AnswersDecideWhetherTheWindowClosesAndCleansUp) {
    const ExitCase& c = GetParam();
    RecordingSeam* seam = nullptr;
    TCalculationForm& form = makeForm(&seam);
    loadSource(form);
    if (c.elastic) loadElastic(form);
    if (c.litholog) loadLitholog(form);
    int saves = 0;
    if (c.saver == LithologSaver::None) form.setLithologSaver(nullptr);
    if (c.saver != LithologSaver::None)
        form.setLithologSaver([&saves, &c] {
            ++saves;
            return c.saver == LithologSaver::Writes;
        });
    for (auto a : c.answers) seam->answers.push_back(a);
    folder_.write("tempchart.tee", "");
    folder_.write("tempchart7.tee", "");
    form.show();

    EXPECT_EQ(form.close(), c.closes);

    const QString lithologQuestion =
        c.saver == LithologSaver::None
            ? "LithoLog table has changed. This version cannot save it to a file; its intervals "
              "are kept in the program folder for the next start.\n\nExit now?"
            : "LithoLog table has changed. Do you want to save it before exit?";
    const auto lithologButtons = c.saver == LithologSaver::None
                                     ? QMessageBox::Yes | QMessageBox::No
                                     : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    std::vector<std::pair<QString, QMessageBox::StandardButtons>> expected;
    if (c.elastic)
        expected.push_back({"Elastic table is not empty. Do you want to save it before exit?",
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel});
    if (c.litholog && (!c.elastic || c.answers.front() == QMessageBox::No))
        expected.push_back({lithologQuestion, lithologButtons});
    ASSERT_EQ(seam->messages.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(seam->messages[i].text, expected[i].first);
        EXPECT_EQ(seam->messages[i].icon, QMessageBox::Information);
        EXPECT_EQ(seam->messages[i].buttons, expected[i].second);
    }
    const bool yesToLitholog =
        c.litholog && !c.answers.empty() && c.answers.back() == QMessageBox::Yes && !c.elastic;
    EXPECT_EQ(saves, yesToLitholog && c.saver != LithologSaver::None ? 1 : 0);

    if (c.closes) {
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(fs::exists(folder_.file("Table.db")));
        EXPECT_FALSE(fs::exists(folder_.file("tempchart.tee")));
        EXPECT_FALSE(fs::exists(folder_.file("tempchart7.tee")));
        EXPECT_EQ(recordsIn(folder_.file("ElasticTable.db")), 0);
        EXPECT_EQ(recordsIn(folder_.file("Litholog.db")), c.lithologKept);
    } else {
        // Nothing changed: both grids still show their records.
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(fs::exists(folder_.file("Table.db")));
        EXPECT_TRUE(fs::exists(folder_.file("tempchart.tee")));
        EXPECT_EQ(form.tablePage()->sourceGrid()->tableModel()->rowCount(), 3);
        EXPECT_EQ(form.tablePage()->elasticGrid()->tableModel()->rowCount(), c.elastic ? 3 : 0);
        EXPECT_EQ(form.workspace().litholog().recordCount(), c.litholog ? 1 : 0);
        EXPECT_TRUE(form.action(CommandId::EmptyTable)->isEnabled());
    }
}

using enum LithologSaver;
using B = QMessageBox;
INSTANTIATE_TEST_SUITE_P(
    Answers, ExitQuestionTest,
    ::testing::Values(
        ExitCase{"ElasticCancel", true, false, None, {B::Cancel}, false, 0},
        ExitCase{"ElasticNo", true, false, None, {B::No}, true, 0},
        // The save dialog is cancelled: the table is not written, so the window stays.
        ExitCase{"ElasticYesButNotSaved", true, false, None, {B::Yes}, false, 0},
        ExitCase{"LithologCancel", false, true, Writes, {B::Cancel}, false, 0},
        ExitCase{"LithologNo", false, true, Writes, {B::No}, true, 0},
        ExitCase{"LithologYesWritten", false, true, Writes, {B::Yes}, true, 0},
        ExitCase{"LithologYesNotWritten", false, true, Fails, {B::Yes}, false, 0},
        ExitCase{"BothNo", true, true, Writes, {B::No, B::No}, true, 0},
        ExitCase{"ElasticNoLithologCancel", true, true, Writes, {B::No, B::Cancel}, false, 0},
        // Without a way to save the litholog the question says so; Yes ends the program
        // and the intervals stay in their table.
        ExitCase{"UnsavableLithologYes", false, true, None, {B::Yes}, true, 1},
        ExitCase{"UnsavableLithologNo", false, true, None, {B::No}, false, 0},
        ExitCase{"NothingToAsk", false, false, None, {}, true, 0}),
    [](const ::testing::TestParamInfo<ExitCase>& p) { return p.param.label; });

TEST_F(MainWindowTest, ExitWithoutWorkspaceLeavesTheShippedTables) {
    TCalculationForm& form = makeForm();
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(fs::exists(folder_.path() / "ElasticTable.db"));
    EXPECT_TRUE(fs::exists(folder_.path() / "Litholog.db"));
}

TEST_F(MainWindowTest, SecondCopyInTheSameFolderIsRefusedAndTouchesNothing) {
    TCalculationForm& first = makeForm();
    loadSource(first);
    loadElastic(first);

    RecordingSeam* seam = nullptr;
    TCalculationForm& second = makeForm(&seam);
    EXPECT_FALSE(second.ready());
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_TRUE(seam->messages[0].text.contains("already running"));
    // Closing the refused copy asks nothing and removes nothing of the first one's.
    second.show();
    EXPECT_TRUE(second.close());
    EXPECT_EQ(seam->messages.size(), 1u);
    EXPECT_TRUE(fs::exists(folder_.path() / "Table.db"));
    EXPECT_EQ(first.workspace().elastic().recordCount(), 3);
    EXPECT_EQ(recordsIn(folder_.path() / "ElasticTable.db"), 3);

    // Once the first copy has gone, the folder is free again.
    forms_.clear();
    RecordingSeam* third = nullptr;
    EXPECT_TRUE(makeForm(&third).ready());
    EXPECT_TRUE(third->messages.empty());
}

// The window takes any size from its first one up, larger and smaller again; its first size,
// which holds every page, is the minimum.
TEST_F(MainWindowTest, WindowResizesDownToItsFirstSize) {
    TCalculationForm& form = makeForm();
    form.show();
    QApplication::processEvents();
    EXPECT_GE(form.width(), 1025);
    EXPECT_GE(form.height(), 737);
    EXPECT_EQ(form.minimumSize(), QSize(1025, 737));
    for (const QSize size : {QSize(1100, 800), QSize(1050, 900), QSize(1025, 737)}) {
        form.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(form.size(), size);
    }
    form.resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(form.size(), QSize(1025, 737));
}

// The window's size and place are kept in the settings and given back at the next start; a
// missing or damaged setting leaves the window as it is.
TEST_F(MainWindowTest, SizeAndPlaceAreRememberedAndDamagedSettingsIgnored) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("lithora.conf"), QSettings::IniFormat);
    TCalculationForm& first = makeForm();
    first.show();
    first.setGeometry(40, 50, 1200, 820);
    QApplication::processEvents();
    const QRect place = first.geometry();
    saveWindowPlace(first, settings);
    forms_.clear();

    QSettings again(dir.filePath("lithora.conf"), QSettings::IniFormat);
    TCalculationForm& second = makeForm();
    restoreWindowPlace(second, again);
    second.show();
    QApplication::processEvents();
    EXPECT_EQ(second.size(), place.size());
    EXPECT_EQ(second.geometry().topLeft(), place.topLeft());
    forms_.clear();

    for (const QVariant& damaged : {QVariant(QByteArray("not a geometry")), QVariant(17)}) {
        again.setValue("MainWindow/geometry", damaged);
        TCalculationForm& third = makeForm();
        restoreWindowPlace(third, again);
        EXPECT_EQ(third.size(), QSize(1025, 737));
        forms_.clear();
    }
    QSettings empty(dir.filePath("none.conf"), QSettings::IniFormat);
    TCalculationForm& fourth = makeForm();
    restoreWindowPlace(fourth, empty);
    EXPECT_EQ(fourth.size(), QSize(1025, 737));
}

struct BadTableCase {
    const char* label;
    const char* file;
    QByteArray content;  // empty: a folder of that name
};

class BadShippedTableTest : public MainWindowTest,
                            public ::testing::WithParamInterface<BadTableCase> {};

TEST_P(BadShippedTableTest, GivesAMessageNotACrash) {
    const BadTableCase& c = GetParam();
    const QString path = QString::fromStdString((folder_.path() / c.file).string());
    if (c.content.isEmpty()) {
        ASSERT_TRUE(QDir().mkpath(path));
    } else {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
    }
    RecordingSeam* seam = nullptr;
    TCalculationForm& form = makeForm(&seam);
    EXPECT_FALSE(form.ready());
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(seam->messages[0].text.contains("cannot be opened"));
    // The bad file is left as it was for the user to look at.
    if (!c.content.isEmpty()) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), c.content);
    }
    form.show();
    EXPECT_TRUE(form.close());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadShippedTableTest,
    ::testing::Values(
        BadTableCase{"BinaryElastic", "ElasticTable.db", QByteArray(4096, '\xA5')},
        BadTableCase{"TextLitholog", "Litholog.db", QByteArray("TopDepth BottomDepth\r\n1 2\r\n")},
        BadTableCase{"TruncatedDatabase", "ElasticTable.db",
                     // The first bytes of a database header, cut off.
                     QByteArray::fromHex("53514c69746520666f726d617420330010000101004020")},
        BadTableCase{"FolderInPlaceOfTable", "ElasticTable.db", QByteArray()}),
    [](const ::testing::TestParamInfo<BadTableCase>& p) { return p.param.label; });

TEST_F(MainWindowTest, MissingProgramFolderSaysCannotFindDirectory) {
    RecordingSeam* seam = nullptr;
    auto s = std::make_unique<RecordingSeam>();
    seam = s.get();
    TCalculationForm form(folder_.qpath() + "/missing", std::move(s));
    ASSERT_FALSE(seam->messages.empty());
    EXPECT_EQ(seam->messages[0].text, "Cannot find directory");
    EXPECT_EQ(seam->messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(seam->messages[0].buttons, QMessageBox::Ok);
    EXPECT_FALSE(form.ready());
}

TEST_F(MainWindowTest, SourceGridShowsTheTableInRegionalNumbersAndFollowsItsRecord) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TCalculationForm& form = makeForm();
    loadSource(form);
    loadElastic(form);
    form.attachTableScroll();
    QLocale::setDefault(QLocale::c());

    TableModel* model = form.tablePage()->sourceGrid()->tableModel();
    // "Rec", the depth and the two curves; "Counting" stays hidden.
    ASSERT_EQ(model->columnCount(), 4);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "DEPT(M)");
    EXPECT_EQ(model->data(model->index(1, 1), Qt::DisplayRole).toString(), "1000,5");
    EXPECT_EQ(model->data(model->index(1, 2), Qt::DisplayRole).toString(), "");  // null
    EXPECT_EQ(model->data(model->index(2, 0), Qt::DisplayRole).toString(), "3");

    // Choosing a row in the grid moves the table, and the elastic grid keeps to its depth.
    form.tablePage()->sourceGrid()->setCurrentIndex(model->index(2, 1));
    EXPECT_EQ(form.workspace().source().currentRow(), 2);
    EXPECT_EQ(form.workspace().elastic().currentRow(), 2);
    EXPECT_EQ(form.tablePage()->elasticGrid()->currentIndex().row(), 2);
    // Moving the table moves the grid.
    form.workspace().source().moveTo(0);
    EXPECT_EQ(form.tablePage()->sourceGrid()->currentIndex().row(), 0);
    EXPECT_EQ(form.tablePage()->elasticGrid()->currentIndex().row(), 0);
}

TEST_F(MainWindowTest, SourceGridStylesColourColumnsByImportKind) {
    TCalculationForm& form = makeForm();
    lithora::import::ImportResult r;
    for (int i = 0; i < 12; ++i) {
        const std::string name = i == 0 ? "DEPTH" : "C" + std::to_string(i);
        r.fieldNames.push_back(name);
        r.fieldLabels.push_back(name);
        r.columns.push_back({1.0 + i, 2.0 + i});
        r.catalog.push_back({name, "", name});
    }
    form.workspace().installImport(std::move(r));
    TableModel* model = form.tablePage()->sourceGrid()->tableModel();
    auto back = [model](int c) {
        return model->data(model->index(0, c), Qt::BackgroundRole).value<QColor>();
    };
    auto text = [model](int c) {
        return model->data(model->index(0, c), Qt::ForegroundRole).value<QColor>();
    };
    auto align = [model](int c) {
        return model->data(model->index(0, c), Qt::TextAlignmentRole).toInt() &
               Qt::AlignHorizontal_Mask;
    };

    form.tablePage()->styleSourceGrid(true);
    // The index column is 37 pixels wide, or wider where its title needs it.
    EXPECT_GE(form.tablePage()->sourceGrid()->columnWidth(0), 37);
    EXPECT_EQ(back(1), QColor(Qt::black));
    EXPECT_EQ(text(1), QColor(255, 255, 0));
    EXPECT_EQ(back(2), QColor(206, 239, 255));  // entry 2
    EXPECT_EQ(text(8), QColor(128, 128, 0));    // entry 8
    EXPECT_EQ(back(9), QColor(217, 255, 222));  // entry 0 again
    EXPECT_EQ(text(10), QColor(0, 128, 255));   // entry 1
    EXPECT_EQ(model->headerData(3, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), back(3));
    // The elastic grid's depth column takes the source grid's depth title.
    EXPECT_EQ(form.tablePage()->elasticGrid()->tableModel()->title(1), "DEPTH");

    form.tablePage()->styleSourceGrid(false);
    EXPECT_EQ(align(0), Qt::AlignLeft);
    EXPECT_EQ(align(1), Qt::AlignHCenter);
    EXPECT_EQ(back(1), QColor(217, 255, 222));   // entry 0
    EXPECT_EQ(text(9), QColor(128, 128, 0));     // entry 8
    EXPECT_EQ(back(10), QColor(217, 255, 222));  // entry 0 again
}

TEST_F(MainWindowTest, AboutRunsItsModalWindowThroughTheSeam) {
    RecordingSeam* seam = nullptr;
    TCalculationForm& form = makeForm(&seam);
    form.action(CommandId::About)->trigger();
    ASSERT_EQ(seam->dialogsRun.size(), 1u);
    EXPECT_EQ(seam->dialogsRun[0], "TAboutForm");
}

TEST(SplashWindow, IsABorderlessOnTopWindowWithItsPicture) {
    TSplashForm splash;
    EXPECT_EQ(splash.size(), QSize(478, 323));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QImage image = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // "Loading..." in green at the top right.
    int green = 0;
    for (int y = 3; y < 40; ++y)
        for (int x = 320; x < 475; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 90 && c.red() < 80 && c.blue() < 80) ++green;
        }
    EXPECT_GT(green, 20);
}

}  // namespace
