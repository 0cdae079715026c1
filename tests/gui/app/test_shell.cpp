// The main window as a shell: which commands it offers, and what it shows when an import
// fails, when the elastic parameters are computed from the "Graph" page, when a second file
// is asked for, and how the summary boxes and the elastic grid show long numbers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <memory>

#include "core/compute/elastic.h"
#include "core/store/table.h"
#include "gui/app/calculation_page.h"
#include "gui/display/track_panel.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/page_control.h"
#include "gui/widgets/summary_box.h"
#include "gui/widgets/table_grid.h"
#include "gui/widgets/text_fit.h"
#include "support/main_window.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"

namespace {

using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;
using lithora::test::testData;

class ShellTest : public lithora::test::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The program's own dialogs are cancelled.
        seam_->onDialog = [](QDialog&) { return int(QDialog::Rejected); };
    }

    TablePage& page() { return *form_->tablePage(); }
};

// Every menu item and tool button either runs a command or is greyed: none does nothing.
TEST_F(ShellTest, OnlyCommandsThatExistAreOffered) {
    CommandTable& commands = form_->commands();
    auto boundAction = [&](QAction* a) {
        for (int i = 0; i < kCommandCount; ++i) {
            const auto id = static_cast<CommandId>(i);
            if (commands.action(id) == a) return commands.isBound(id);
        }
        return false;
    };
    auto checkAll = [&] {
        for (QAction* a : form_->findChildren<QAction*>()) {
            if (a->objectName().isEmpty() || a->objectName() == "openSubmenu" ||
                a->objectName() == "recentSubmenu" || a->objectName() == "RecentEntry" ||
                a->isSeparator())
                continue;
            if (!boundAction(a)) {
                EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
            }
        }
    };
    checkAll();
    importLas("cli/well.las");
    ASSERT_EQ(form_->statusText(), "Ready");
    checkAll();
    for (CommandId id : {CommandId::EmptyTable, CommandId::SaveTable, CommandId::ElasticParameters})
        EXPECT_TRUE(form_->action(id)->isEnabled()) << commandName(id).toStdString();
    EXPECT_TRUE(
        form_->action(CommandId::CrossPlots)->isEnabled());  // Cross Plots, with or without results
    for (CommandId id : {CommandId::MergeFiles, CommandId::TimeLapse})
        EXPECT_TRUE(form_->action(id)->isEnabled()) << commandName(id).toStdString();
    // The page buttons of bound commands are available.
    EXPECT_TRUE(page().filterButton()->isEnabled());
    EXPECT_TRUE(page().columnsButton()->isEnabled());

    // A command registered anew is available as its condition allows, asked again after each
    // change of the workspace.
    int finds = 0;
    form_->addCommand({CommandId::FindDepth, [this] { return form_->workspace().loaded(); },
                       [&finds] { ++finds; }});
    EXPECT_TRUE(form_->action(CommandId::FindDepth)->isEnabled());
    form_->action(CommandId::FindDepth)->trigger();
    EXPECT_EQ(finds, 1);
    form_->action(CommandId::EmptyTable)->trigger();
    EXPECT_FALSE(form_->action(CommandId::FindDepth)->isEnabled());
}

// Every menu item runs a command that has a handler, and every command has a menu item; the
// one command without (Columns Configuration) is run by its button on the Table page.
TEST_F(ShellTest, EveryMenuItemHasABoundCommandAndEveryCommandAMenuItem) {
    CommandTable& commands = form_->commands();
    QList<QAction*> items;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            // The entries of the Recent list are files, opened as their kind is; a test of
            // their own checks them.
            if (a->isSeparator() || a->objectName() == "RecentEntry") continue;
            if (auto* submenu = a->menu<QMenu*>())
                collect(submenu);
            else
                items.append(a);
        }
    };
    for (QAction* top : form_->menuBar()->actions())
        if (auto* menu = top->menu<QMenu*>()) collect(menu);
    ASSERT_FALSE(items.isEmpty());

    for (QAction* item : items) {
        bool hasCommand = false;
        for (int i = 0; i < kCommandCount; ++i) {
            const auto id = static_cast<CommandId>(i);
            if (commands.action(id) != item) continue;
            hasCommand = true;
            EXPECT_TRUE(commands.isBound(id)) << commandName(id).toStdString();
        }
        EXPECT_TRUE(hasCommand) << "menu item without a command: " << item->text().toStdString();
    }
    for (int i = 0; i < kCommandCount; ++i) {
        const auto id = static_cast<CommandId>(i);
        EXPECT_TRUE(commands.isBound(id)) << commandName(id).toStdString();
        if (id == CommandId::ConfigureColumns) continue;
        EXPECT_TRUE(items.contains(commands.action(id)))
            << "command without a menu item: " << commandName(id).toStdString();
    }
    EXPECT_TRUE(page().columnsButton()->isEnabled());
}

TEST_F(ShellTest, AFailedImportLeavesTheEmptyWorkspaceAndReady) {
    folder_.write("bad.las", std::string("\x00\x01binary", 8));
    seam_->openFile = folder_.qfile("bad.las");
    form_->action(CommandId::ImportLas)->trigger();

    // The first line as always; the second names the file and why it could not be read.
    ASSERT_EQ(seam_->messages.size(), 1u);
    const QStringList lines = seam_->messages[0].text.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "Error reading file.");
    EXPECT_TRUE(lines[1].startsWith(folder_.qfile("bad.las") + ": ")) << lines[1].toStdString();
    EXPECT_EQ(seam_->messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(form_->statusText(), "Ready");
    for (QAction* a : form_->dataCommands())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(form_->trackPanel()->trackCount(), 0);
    EXPECT_EQ(page().sourceGrid()->model()->rowCount(), 0);
    EXPECT_EQ(page().sourceGrid()->model()->columnCount(), 0);
    EXPECT_TRUE(page().summaryBox(TablePage::Records)->text().isEmpty());
    EXPECT_TRUE(page().memo()->toPlainText().isEmpty());
    EXPECT_FALSE(form_->workspace().loaded());

    // The failed import leaves nothing in the way of the next one.
    importLas("cli/well.las");
    EXPECT_EQ(form_->trackPanel()->trackCount(), 4);
    EXPECT_EQ(page().summaryBox(TablePage::Records)->text(), "3");
}

TEST_F(ShellTest, ASecondFileOnALoadedWorkspaceSaysToEmptyTheTableFirst) {
    importLas("cli/well.las");
    ASSERT_EQ(form_->trackPanel()->trackCount(), 4);
    for (CommandId command : {CommandId::ImportLas, CommandId::ImportAscii}) {
        seam_->opensAsked.clear();
        form_->setStatusText("Ready");
        form_->action(command)->trigger();
        EXPECT_EQ(form_->statusText(), "Empty the table first (File > Empty Table).")
            << commandName(command).toStdString();
        EXPECT_TRUE(seam_->opensAsked.empty()) << commandName(command).toStdString();
        EXPECT_TRUE(seam_->messages.empty()) << commandName(command).toStdString();
    }
    EXPECT_EQ(form_->trackPanel()->trackCount(), 4);
}

TEST_F(ShellTest, StatusPanelShowsItsLongestTextsWhole) {
    form_->show();
    auto* panel = form_->findChild<QLabel*>("StatusPanel");
    ASSERT_NE(panel, nullptr);
    for (const char* text : {"Calculating elastic parameters, please wait...",
                             "Empty the table first (File > Empty Table).", "Ready"}) {
        form_->setStatusText(text);
        QApplication::processEvents();
        EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(text))
            << text;
        EXPECT_GE(panel->width(), 250);
    }
}

TEST_F(ShellTest, ElasticParametersFromTheGraphPageShowTheTablePage) {
    importLas("cli/well.las");
    form_->resize(1025, 737);
    form_->show();
    form_->pageControl()->setCurrentIndex(1);
    QApplication::processEvents();
    ASSERT_GT(form_->pageControl()->width(), 1000);
    form_->scrollArea()->horizontalScrollBar()->setValue(200);
    ASSERT_GT(form_->scrollArea()->horizontalScrollBar()->value(), 0);

    seam_->onDialog = [](QDialog&) { return int(QDialog::Accepted); };
    form_->action(CommandId::ElasticParameters)->trigger();
    ASSERT_EQ(form_->workspace().elastic().recordCount(), 3);

    EXPECT_EQ(form_->pageControl()->currentIndex(), 0);
    EXPECT_EQ(form_->pageControl()->size(), QSize(1000, 610));
    EXPECT_EQ(form_->scrollArea()->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(form_->scrollArea()->verticalScrollBar()->value(), 0);
}

TEST_F(ShellTest, SummaryBoxesShowEveryDigitBesideTheGrids) {
    lithora::workspace::Summary s;
    s.records = "1000000";
    s.tracks = "150";
    s.start = "-1234.5678";
    s.stop = "2153.8647";
    s.interval = "0.1524";
    page().showSummary(s);
    const QString texts[] = {"1000000", "150", "-1234.5678", "2153.8647", "0.1524"};
    for (int i = 0; i < 5; ++i) {
        SummaryBox* box = page().summaryBox(static_cast<TablePage::SummaryField>(i));
        EXPECT_EQ(box->text(), texts[i]);
        EXPECT_EQ(box->toolTip(), texts[i]);
        EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(texts[i]), box->textRoom())
            << texts[i].toStdString();
        // Readable, and clear of the grids and the memo that start at 80.
        EXPECT_GE(box->font().pointSize(), 6);
        EXPECT_LT(box->geometry().right(), 80);
    }
    // A mean step with more decimals than fit at the smallest font is rounded, never cut.
    SummaryBox* interval = page().summaryBox(TablePage::Interval);
    for (const QString& text :
         {QStringLiteral("0.15239990450123456"), QStringLiteral("0,1523999045")}) {
        interval->setValueText(text);
        EXPECT_EQ(interval->toolTip(), text);
        EXPECT_LE(QFontMetrics(interval->font()).horizontalAdvance(interval->text()),
                  interval->textRoom())
            << interval->text().toStdString();
        EXPECT_TRUE(interval->text().startsWith(text.left(4))) << interval->text().toStdString();
        EXPECT_NEAR(QString(interval->text()).replace(',', '.').toDouble(), 0.1524, 5e-4);
    }
    interval->setValueText(QStringLiteral("0.1524"));
    EXPECT_EQ(interval->text(), "0.1524");

    // A short value keeps the box at its size and font.
    EXPECT_EQ(page().summaryBox(TablePage::Tracks)->width(), 52);
    EXPECT_EQ(page().summaryBox(TablePage::Tracks)->font().pointSize(), 8);

    // The filter bounds, preset to the depth range, show every digit too.
    NumberBox* high = page().filterHighBox();
    const int shortWidth = high->width();
    high->setValue(152899.8476);
    EXPECT_LE(QFontMetrics(high->font()).horizontalAdvance(high->text()), lineEditTextRoom(*high));
    EXPECT_LT(high->geometry().right(), 80);
    EXPECT_EQ(high->cursorPosition(), 0);
    high->setValue(500);
    EXPECT_EQ(high->width(), shortWidth);
}

// Rounding for room keeps a number's size: an exponent stays an exponent, never 0 or 16 digits.
TEST(TextFit, RoundedNumbersKeepTheirSize) {
    auto atMost = [](qsizetype n) { return [n](const QString& t) { return t.size() <= n; }; };
    EXPECT_EQ(roundedToFit("1.26E-7", atMost(6)), "1.3E-7");
    EXPECT_EQ(roundedToFit("1.25E-7", atMost(4)), "1E-7");
    EXPECT_EQ(roundedToFit("1.5E15", atMost(4)), "2E15");
    EXPECT_EQ(roundedToFit("152899,8476", atMost(8)), "152899,8");
    // When no rounding fits, the whole number: the fewest decimals there are.
    EXPECT_EQ(roundedToFit("152899.8476", atMost(3)), "152900");
    EXPECT_EQ(roundedToFit("DEPT", atMost(2)), "DEPT");
}

TEST_F(ShellTest, TheEmptyElasticGridShowsWholeTitlesAtStart) {
    form_->show();
    QApplication::processEvents();
    TableGrid* grid = page().elasticGrid();
    TableModel* model = grid->tableModel();
    ASSERT_GT(model->columnCount(), 10);
    for (int c = 0; c < model->columnCount(); ++c) {
        const ColumnStyle& style = model->columnStyle(c);
        const QFontMetrics titles(style.titleFont.value_or(grid->horizontalHeader()->font()));
        EXPECT_GE(grid->columnWidth(c), titles.horizontalAdvance(model->title(c)) + 6)
            << model->title(c).toStdString();
    }
}

TEST_F(ShellTest, ElasticGridShowsWholeDepthsAndTitles) {
    using lithora::store::Table;
    std::vector<Table::BulkColumn> cols(lithora::compute::kElasticFieldCount);
    const double depths[] = {1669.8125, 2153.8647, 12345.6789};
    for (int r = 0; r < 3; ++r) {
        cols[0].floats.push_back(r + 1);
        cols[1].floats.push_back(depths[r]);
        for (std::size_t f = 2; f < cols.size(); ++f) cols[f].floats.push_back(-98765.4321 * r);
    }
    form_->workspace().elastic().loadColumns(std::move(cols));
    form_->show();
    QApplication::processEvents();

    TableGrid* grid = page().elasticGrid();
    TableModel* model = grid->tableModel();
    ASSERT_EQ(model->rowCount(), 3);
    for (int c = 0; c < model->columnCount(); ++c) {
        const ColumnStyle& style = model->columnStyle(c);
        const QFontMetrics titles(style.titleFont.value_or(grid->horizontalHeader()->font()));
        // The title is drawn 3 pixels in from each side of its cell.
        EXPECT_GE(grid->columnWidth(c), titles.horizontalAdvance(model->title(c)) + 6)
            << model->title(c).toStdString();
        const QFontMetrics cells(style.font.value_or(grid->font()));
        for (int r = 0; r < 3; ++r) {
            const QString text = model->data(model->index(r, c), Qt::DisplayRole).toString();
            // Qt elides a cell's text when it leaves less than its margins free.
            EXPECT_GE(grid->columnWidth(c), cells.horizontalAdvance(text) + 8)
                << text.toStdString();
        }
    }
    // Widths only grow: a column keeps at least its layout width.
    EXPECT_GE(grid->columnWidth(7), 148);
}

}  // namespace
