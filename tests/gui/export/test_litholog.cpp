// The litholog panel and the depth filter with its search window, driven through the dialog
// seam on a workspace of 1500 to 1800 m every 0.5 m.
#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/export/litholog_file.h"
#include "core/export/litholog_table.h"
#include "gui/compute/filter_controller.h"
#include "gui/compute/search_page.h"
#include "gui/export/litholog_panel.h"
#include "gui/widgets/depth_scale.h"
#include "gui/widgets/number_box.h"
#include "support/fake_shell_services.h"
#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using lithora::exporter::LithologInterval;

class RecordingSeam : public DialogSeam {
  public:
    QString openFile, saveFile;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    std::vector<QString> messages;
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return openFile;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return saveFile;
    }
    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon, const QString&,
                                        const QString& text,
                                        QMessageBox::StandardButtons) override {
        messages.push_back(text);
        return answer;
    }
};

lithora::import::ImportResult wellFrom1500To1800() {
    lithora::import::ImportResult r;
    r.fieldNames = {"DEPTH", "GR"};
    r.fieldLabels = {"DEPT(M)", "GR(GAPI)"};
    r.catalog = {{"DEPT", "(M)", "DEPT(M)"}, {"GR", "(GAPI)", "GR(GAPI)"}};
    r.columns.resize(2);
    for (int i = 0; i <= 600; ++i) {
        r.columns[0].push_back(1500 + 0.5 * i);
        r.columns[1].push_back(40 + i % 50);
    }
    r.depthUnit = "m";
    r.headerLines = {"~A"};
    return r;
}

class LithologGui : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = fs::path(dir.path().toStdString());
        if (withPatterns) fs::create_directory_symlink(LITHORA_PATTERNS_DIR, folder / "Patterns");
        ws = std::make_unique<lithora::workspace::Workspace>(folder);
        ws->openShippedTables();
        ws->installImport(wellFrom1500To1800());
        page.resize(1000, 600);
        shell = std::make_unique<lithora::test::FakeShellServices>(*ws, seam, dir.path());
        panel = std::make_unique<LithologPanel>(*shell, &page);
        panel->logLoaded();
    }

    // Types into a grid cell through its editor, as a person does, and presses Enter.
    void typeInto(int row, int column, const QString& text) {
        QTableView* grid = panel->grid();
        const QModelIndex cell = grid->model()->index(row, column);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        QWidget* editor = grid->indexWidget(cell);
        if (!editor) editor = grid->findChild<QLineEdit*>();
        if (auto* box = grid->findChild<QComboBox*>(QStringLiteral("LithologyList"))) {
            box->setCurrentIndex(box->findText(text));
            editor = box;
        } else if (auto* line = grid->findChild<QLineEdit*>()) {
            line->setText(text);
            editor = line;
        }
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void enter(const QString& bottom, const QString& name) {
        const int row = panel->grid()->model()->rowCount() - 1;
        typeInto(row, 1, bottom);
        typeInto(row, 2, name);
    }
    std::vector<LithologInterval> stored() const {
        return lithora::exporter::readLithologTable(ws->litholog());
    }
    std::size_t complete() const {
        std::size_t n = 0;
        for (const auto& iv : panel->model().intervals()) n += iv.complete() ? 1 : 0;
        return n;
    }
    bool rowIsWhite(int y) const {
        for (int x = 0; x < 40; ++x)
            if (panel->column().pixelColor(x, y) != Qt::white) return false;
        return true;
    }

    bool withPatterns = true;
    QTemporaryDir dir;
    fs::path folder;
    RecordingSeam seam;
    QWidget page;
    std::unique_ptr<lithora::workspace::Workspace> ws;
    std::unique_ptr<lithora::test::FakeShellServices> shell;
    std::unique_ptr<LithologPanel> panel;
};

TEST_F(LithologGui, TypedIntervalsAreKeptDrawnAndStored) {
    panel->button("New Table")->click();
    ASSERT_EQ(panel->grid()->model()->rowCount(), 1);
    EXPECT_EQ(panel->grid()->model()->index(0, 0).data().toString(), "1500");
    enter("1600", "Shale");
    enter("1700", "Coarse Sandstone");
    EXPECT_TRUE(seam.messages.empty()) << seam.messages.front().toStdString();
    const auto& iv = panel->model().intervals();
    ASSERT_EQ(iv.size(), 3u);  // the third is the next interval, begun at 1700
    EXPECT_EQ(iv[1].top, 1600);
    EXPECT_EQ(iv[2].top, 1700);
    EXPECT_EQ(stored().size(), 2u);  // posted as soon as each was complete

    // Drawn over 1500 .. 1800 in 484 rows: 1600 .. 1700 is rows 161 .. 323, the rest white.
    EXPECT_FALSE(rowIsWhite(200));
    EXPECT_FALSE(rowIsWhite(100));
    EXPECT_TRUE(rowIsWhite(400));
    EXPECT_EQ(panel->column().size(), QSize(40, 484));
}

TEST_F(LithologGui, RefusedValuesSayWhyAndChangeNothing) {
    panel->button("New Table")->click();
    enter("1600", "Shale");
    const auto before = panel->model().intervals();
    typeInto(1, 1, "1900");
    typeInto(1, 1, "1550");
    typeInto(1, 1, "abc");
    ASSERT_EQ(seam.messages.size(), 3u);
    EXPECT_EQ(seam.messages[0],
              "1900 is not a valid value for field 'BottomDepth'. The allowed range is 1500 to "
              "1800");
    EXPECT_EQ(seam.messages[1], "The bottom depth must be deeper than the top depth.");
    EXPECT_EQ(seam.messages[2], "'abc' is not a valid number.");
    EXPECT_TRUE(panel->chooseLithology(1, "Coal") == true);
    EXPECT_FALSE(panel->chooseLithology(1, "coal"));
    EXPECT_EQ(seam.messages.back(), "Please select a lithology from drop-down list.");
    EXPECT_EQ(panel->model().intervals()[0], before[0]);
}

TEST_F(LithologGui, NavigatorInsertSplitsAndDeleteClosesTheGap) {
    panel->button("New Table")->click();
    enter("1600", "Shale");
    enter("1700", "Limestone");
    panel->grid()->setCurrentIndex(panel->grid()->model()->index(1, 1));
    panel->navigatorButton("Insert")->click();
    ASSERT_EQ(panel->model().size(), 4u);
    EXPECT_EQ(panel->model().intervals()[1].top, 1600);
    typeInto(1, 1, "1650");
    typeInto(1, 2, "Coal");
    EXPECT_EQ(panel->model().intervals()[2].top, 1650);
    EXPECT_EQ(stored().size(), 3u);

    panel->grid()->setCurrentIndex(panel->grid()->model()->index(1, 1));
    seam.answer = QMessageBox::Cancel;
    panel->navigatorButton("Delete")->click();
    EXPECT_EQ(panel->model().size(), 4u);
    seam.answer = QMessageBox::Ok;
    panel->navigatorButton("Delete")->click();
    EXPECT_EQ(seam.messages.back(), "Delete record?");
    const auto s = stored();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].bottom, 1650);  // the interval above reaches the one below
    EXPECT_EQ(s[1].top, 1650);
}

TEST_F(LithologGui, ABottomAtTheLastDepthEndsTheLitholog) {
    panel->button("New Table")->click();
    enter("1800", "Basalt");
    EXPECT_EQ(panel->model().size(), 1u);  // no interval is begun below the log
    panel->grid()->setCurrentIndex({});
    panel->navigatorButton("Insert")->click();
    EXPECT_EQ(panel->model().size(), 1u);
}

TEST_F(LithologGui, SaveTableOpenTableAndSaveLithologReadBack) {
    seam.saveFile = QString();
    EXPECT_FALSE(panel->saveLithologFile());
    EXPECT_EQ(seam.messages.back(), "Litholog information table is empty.");
    panel->button("New Table")->click();
    enter("1600.5", "Shale");
    enter("1700", "Coal");
    const QImage drawn = panel->column();

    seam.saveFile = dir.filePath("well.llg");
    EXPECT_TRUE(panel->saveLithologFile());
    seam.saveFile = dir.filePath("column.bmp");
    EXPECT_TRUE(panel->saveLithologBitmap());
    QImage bmp(dir.filePath("column.bmp"), "BMP");
    ASSERT_EQ(bmp.size(), QSize(40, 484));
    EXPECT_EQ(bmp.convertToFormat(QImage::Format_RGB32),
              drawn.convertToFormat(QImage::Format_RGB32));

    // Open  Table does nothing to a litholog of two or more intervals, and says so.
    seam.openFile = seam.saveFile = dir.filePath("well.llg");
    const auto messages = seam.messages.size();
    panel->button("Open  Table")->click();
    EXPECT_EQ(seam.messages.size(), messages + 1);

    // Emptied, it reads the file back to the same intervals and the same drawing.
    ws->emptyTable();
    panel->workspaceEmptied();
    ws->installImport(wellFrom1500To1800());
    panel->logLoaded();
    panel->button("Open  Table")->click();
    ASSERT_EQ(complete(), 2u);
    EXPECT_EQ(panel->model().intervals()[0].bottom, 1600.5);
    EXPECT_EQ(stored().size(), 2u);
    EXPECT_EQ(panel->column(), drawn);
}

TEST_F(LithologGui, IntervalsLeftByAnUncleanEndAreNamedAndCanBeSaved) {
    panel->button("New Table")->click();
    enter("1600", "Shale");
    enter("1700", "Coal");
    seam.messages.clear();

    // The run ends without its clean-up; the next one opens the same program folder.
    panel.reset();
    shell.reset();
    ws.reset();
    auto next = std::make_unique<lithora::workspace::Workspace>(folder);
    next->openShippedTables();
    lithora::test::FakeShellServices nextShell(*next, seam, dir.path());
    LithologPanel restarted(nextShell, &page);
    restarted.workspaceEmptied();
    seam.answer = QMessageBox::Yes;
    seam.saveFile = dir.filePath("kept.llg");
    restarted.offerKeptIntervals();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(
        seam.messages[0].startsWith("The litholog of the last session was kept: 2 intervals."))
        << seam.messages[0].toStdString();
    std::ifstream saved(seam.saveFile.toStdString());
    const std::string text{std::istreambuf_iterator<char>(saved), {}};
    EXPECT_NE(text.find("1500\t1600\tShale\t"), std::string::npos) << text;
    EXPECT_NE(text.find("1600\t1700\tCoal\t"), std::string::npos) << text;

    // A clean exit empties the table: the run after that has nothing to offer.
    next->exitCleanup();
    next.reset();
    lithora::workspace::Workspace clean(folder);
    clean.openShippedTables();
    lithora::test::FakeShellServices cleanShell(clean, seam, dir.path());
    LithologPanel afterClean(cleanShell, &page);
    afterClean.workspaceEmptied();
    afterClean.offerKeptIntervals();
    EXPECT_EQ(seam.messages.size(), 1u);
    clean.exitCleanup();
}

TEST_F(LithologGui, ABadLineKeepsTheIntervalsBeforeItAndNamesTheLine) {
    {
        std::ofstream f(folder / "bad.llg", std::ios::binary);
        f << "\r\nTopDepth       BottomDepth    Lithology\r\n1500\t1600\tShale\t\r\n"
             "1600\t1700\tCoal\r\n";
    }
    seam.openFile = dir.filePath("bad.llg");
    panel->button("Open  Table")->click();
    EXPECT_EQ(complete(), 1u);
    EXPECT_EQ(stored().size(), 1u);
    EXPECT_EQ(seam.messages.back(), "Line 4: Please select a lithology from drop-down list.");

    // A file with only its two header lines empties the litholog.
    {
        std::ofstream f(folder / "empty.llg", std::ios::binary);
        f << "\r\nTopDepth       BottomDepth    Lithology\r\n";
    }
    seam.openFile = dir.filePath("empty.llg");
    panel->button("Open  Table")->click();
    EXPECT_EQ(panel->model().size(), 0u);
    EXPECT_TRUE(stored().empty());
}

TEST_F(LithologGui, WithoutASourceTableTheButtonsSaySo) {
    ws->emptyTable();
    panel->workspaceEmptied();
    panel->button("New Table")->click();
    panel->button("Open  Table")->click();
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_EQ(seam.messages[0], "Source Table is empty.");
    EXPECT_EQ(seam.messages[1], "Source Table is empty.");
}

class LithologWithoutPatterns : public LithologGui {
  protected:
    void SetUp() override {
        withPatterns = false;
        LithologGui::SetUp();
    }
};

TEST_F(LithologWithoutPatterns, AMissingPatternWarnsOnceAndStaysWhite) {
    panel->button("New Table")->click();
    enter("1600", "Shale");
    enter("1700", "Shale");
    panel->redraw();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains("Shale")) << seam.messages[0].toStdString();
    EXPECT_TRUE(rowIsWhite(200));
}

// ---- filter, undo filter and find ----

class FilterGui : public LithologGui {
  protected:
    void SetUp() override {
        LithologGui::SetUp();
        start = new NumberBox(&page);
        stop = new NumberBox(&page);
        filter = std::make_unique<FilterController>(*shell, start, stop);
        windowChanges = ws->subscribe([this](lithora::workspace::Change c) {
            if (c == lithora::workspace::Change::DepthWindowChanged) ++windowMoves;
        });
    }
    NumberBox* start = nullptr;
    NumberBox* stop = nullptr;
    std::unique_ptr<FilterController> filter;
    lithora::store::Subscription windowChanges;
    int windowMoves = 0;
};

TEST_F(FilterGui, FilterRedrawsTheLithologOverTheWindowAndUndoRestores) {
    panel->button("New Table")->click();
    enter("1600", "Shale");
    enter("1700", "Coal");
    start->setValue(1600);
    stop->setValue(1700);
    filter->applyFilter();
    EXPECT_EQ(ws->source().recordCount(), 201);
    EXPECT_EQ(windowMoves, 1);  // what the tracks and the litholog follow
    EXPECT_TRUE(shell->followingSourceRow);
    EXPECT_EQ(shell->followChanges, 2);  // off while the records changed, then on again
    EXPECT_EQ(shell->statuses.back(), "Ready");
    EXPECT_FALSE(rowIsWhite(20));  // the Coal interval now fills the column
    EXPECT_FALSE(rowIsWhite(460));

    start->setValue(1700);
    filter->applyFilter();
    EXPECT_EQ(seam.messages.back(), "The start depth must be smaller than the stop depth.");
    EXPECT_EQ(ws->source().recordCount(), 201);

    filter->undoFilter();
    EXPECT_EQ(ws->source().recordCount(), 601);
    EXPECT_FALSE(ws->depthWindow().filterActive);
    EXPECT_TRUE(rowIsWhite(400));  // 1700 .. 1800 has no interval
}

TEST_F(FilterGui, FindOpensAnOnTopSearchWindowThatFindsDepths) {
    filter->findDepth();
    ASSERT_EQ(filter->searchPages().size(), 1u);
    TSearchPage* search = filter->searchPages().front();
    EXPECT_TRUE(search->isVisible());
    EXPECT_FALSE(search->isModal());
    EXPECT_TRUE(search->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(search->size(), QSize(216, 124));

    search->entry()->setText("1650.5");
    QTest::keyClick(search->entry(), Qt::Key_Return);
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_EQ(ws->source().cellFloat(ws->source().currentRow(), 1), 1650.5);
    EXPECT_TRUE(search->isVisible());

    // A bad number and Enter: said once, not once for each handler of the key.
    search->entry()->setText("xyz");
    QTest::keyPress(search->entry(), Qt::Key_Return);
    QTest::keyRelease(search->entry(), Qt::Key_Return);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0], "Please enter a valid NUMBER !");
    seam.messages.clear();
    // Find again brings the open window to the front instead of stacking another on it.
    filter->findDepth();
    EXPECT_EQ(filter->searchPages().size(), 1u);

    search->entry()->setText("1650.4");
    search->searchDepth();
    search->entry()->setText("abc");
    search->searchDepth();
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_EQ(seam.messages[0], "Requested depth/time not found.");
    EXPECT_EQ(seam.messages[1], "Please enter a valid NUMBER !");
    search->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
    EXPECT_FALSE(search->isVisible());
    EXPECT_EQ(search->entry()->text(), "abc");
}

}  // namespace

// A depth of a long log does not fit the 40-pixel column with every decimal: its label is
// rounded until it fits, never cut, and stays the same depth to the decimals it shows.
TEST(LithologColumnLabels, LongDepthsAreRoundedToFitTheColumn) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(8);
    font.setBold(true);
    const QFontMetrics metrics(font);
    for (const double depth : {152899.8476, 1500.5, 99999.99999, 1234567.25}) {
        const QString text = columnDepthText(depth, metrics, 40);
        SCOPED_TRACE(text.toStdString());
        const double shown = text.toDouble();
        EXPECT_LT(std::abs(shown - depth), 0.5 + 1e-9);
        if (metrics.horizontalAdvance(QString::number(std::round(depth), 'f', 0)) <= 40) {
            EXPECT_LE(metrics.horizontalAdvance(text), 40);
        }
    }
    EXPECT_EQ(columnDepthText(1500.5, metrics, 40), "1500.5");
}

// The depth scale beside the column reads true: the window's top depth stands level with the
// column's first row and its bottom depth with the row below its last.
TEST_F(LithologGui, TheDepthScaleLinesUpWithTheColumn) {
    const DepthScale* scale = panel->depthScale();
    ASSERT_EQ(scale->depthRange().lo, 1500);
    ASSERT_EQ(scale->depthRange().hi, 1800);
    const QLabel* column = panel->columnImage();
    EXPECT_NEAR(scale->rowOf(1500), column->y(), 1);
    EXPECT_NEAR(scale->rowOf(1800), column->y() + 484, 1);
    EXPECT_NEAR(scale->rowOf(1600), column->y() + 161, 1);
}
