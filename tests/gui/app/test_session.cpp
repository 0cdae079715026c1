// File > Save Session and Open Session, the Recent list and files dropped on the main window,
// driven through the dialog seam.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/session/session.h"
#include "gui/app/calculation_page.h"
#include "gui/app/session_controller.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/compute/select_logs.h"
#include "gui/crossplot/cross_plots.h"
#include "gui/crossplot/cross_plots_controller.h"
#include "gui/display/depth_chart.h"
#include "gui/display/track_panel.h"
#include "gui/export/litholog_panel.h"
#include "gui/export/save_controller.h"
#include "gui/widgets/number_box.h"
#include "support/main_window.h"
#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using lithora::test::testData;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Every cell of the visible records of a table, as text.
std::vector<std::vector<std::string>> cells(const lithora::store::Table& table) {
    std::vector<std::vector<std::string>> out;
    if (!table.isOpen()) return out;
    for (int r = 0; r < table.recordCount(); ++r) {
        std::vector<std::string> row;
        for (int f = 0; f < table.fieldCount(); ++f) row.push_back(table.cellText(r, f));
        out.push_back(std::move(row));
    }
    return out;
}

// What a session restores, as the window shows it.
struct Snapshot {
    std::vector<std::vector<std::string>> source, elastic;
    std::vector<lithora::exporter::LithologInterval> litholog;
    lithora::DepthWindow window;
    lithora::chart::TrackArrangement tracks;
    std::vector<std::tuple<int, double, double, bool, QString>> looks;
};

class SessionTest : public lithora::test::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // A copy of the well, so that a test may change or remove it.
        well_ = folder_.write("well.las", slurp(testData("cli/well.las").toStdString()));
    }

    SessionController& sessions() { return *form_->sessionController(); }
    QString sessionFile(const char* name = "well.lithora") { return folder_.qfile(name); }

    void importWell() {
        seam_->openFile = QString::fromStdString(well_.string());
        form_->action(CommandId::ImportLas)->trigger();
        ASSERT_TRUE(form_->workspace().loaded());
    }

    void filter(double top, double bottom) {
        form_->tablePage()->filterLowBox()->setValue(top);
        form_->tablePage()->filterHighBox()->setValue(bottom);
        form_->commands().run(CommandId::ApplyFilter);
        ASSERT_TRUE(form_->workspace().depthWindow().filterActive);
    }

    // A well worked on: a litholog, elastic parameters computed under one filter (Vs by the
    // linear equation), a second filter in force, tracks moved, hidden, widened, rescaled and
    // recoloured.
    void workOnTheWell() {
        importWell();
        LithologPanel* litholog = form_->exportSubsystem().lithologPanel();
        litholog->startNewLitholog();
        ASSERT_TRUE(litholog->typeBottom(0, "1500.25"));
        ASSERT_TRUE(litholog->chooseLithology(0, "Shale"));
        ASSERT_TRUE(litholog->typeBottom(1, "1500.5"));
        ASSERT_TRUE(litholog->chooseLithology(1, "Sandstone"));

        filter(1500, 1500.25);
        seam_->onDialog = [](QDialog& d) {
            if (auto* select = qobject_cast<TSelectPL*>(&d))
                select->findChild<QComboBox*>("sWaveBox")->setCurrentText("");
            return int(QDialog::Accepted);  // the Vs dialog with its defaults
        };
        form_->computeSubsystem().elasticController()->computeElasticParameters();
        ASSERT_EQ(form_->workspace().elastic().totalRecordCount(), 2u);
        filter(1500.25, 1500.5);

        TrackPanel* panel = form_->trackPanel();
        ASSERT_GT(panel->trackCount(), 5);
        panel->setTrackShown(2, false);
        panel->moveTrack(4, 0);
        panel->setTrackWidth(1, 150);
        panel->track(1)->setValueRange(1, 4);
        panel->track(1)->setColour(QColor(200, 0, 200));
        ASSERT_TRUE(panel->track(3)->setLogarithmic(true));
        seam_->messages.clear();
        seam_->dialogsRun.clear();
    }

    Snapshot snapshot() {
        Snapshot s;
        auto& ws = form_->workspace();
        s.source = cells(ws.source());
        s.elastic = cells(ws.elastic());
        s.litholog = form_->exportSubsystem().lithologPanel()->model().intervals();
        s.window = ws.depthWindow();
        TrackPanel* panel = form_->trackPanel();
        s.tracks = panel->arrangement();
        for (int slot = 1; slot <= panel->trackCount(); ++slot) {
            const DepthChart* t = panel->track(slot);
            const auto range = t->valueRange();
            s.looks.emplace_back(slot, range.lo, range.hi, t->isLogarithmic(), t->colour().name());
        }
        return s;
    }

    void expectSame(const Snapshot& before, const Snapshot& after) {
        EXPECT_EQ(after.source, before.source);
        EXPECT_EQ(after.elastic, before.elastic);
        EXPECT_EQ(after.litholog, before.litholog);
        EXPECT_EQ(after.window.filterActive, before.window.filterActive);
        EXPECT_DOUBLE_EQ(after.window.top, before.window.top);
        EXPECT_DOUBLE_EQ(after.window.bottom, before.window.bottom);
        EXPECT_EQ(after.tracks, before.tracks);
        ASSERT_EQ(after.looks.size(), before.looks.size());
        for (std::size_t i = 0; i < before.looks.size(); ++i) {
            const auto& [slot, lo, hi, log, colour] = before.looks[i];
            const auto& [slot2, lo2, hi2, log2, colour2] = after.looks[i];
            EXPECT_EQ(slot2, slot);
            EXPECT_NEAR(lo2, lo, 1e-9 * std::max(1.0, std::abs(lo))) << "track " << slot;
            EXPECT_NEAR(hi2, hi, 1e-9 * std::max(1.0, std::abs(hi))) << "track " << slot;
            EXPECT_EQ(log2, log) << "track " << slot;
            EXPECT_EQ(colour2, colour) << "track " << slot;
        }
    }

    fs::path well_;
};

// The session saved and opened again gives the same tables, litholog, filter, track
// arrangement, scales and colours; the file written is read back by the program's reader.
TEST_F(SessionTest, ASessionSavedAndReopenedGivesTheSameWell) {
    workOnTheWell();
    const Snapshot before = snapshot();
    // A cross plots window is open; the session reopens it.
    form_->commands().run(CommandId::CrossPlots);
    const auto crossPlots = [&] {
        int shown = 0;
        for (const TCrossPlots* w : form_->crossPlotSubsystem().controller()->windows())
            shown += w && w->isVisible();
        return shown;
    };
    ASSERT_EQ(crossPlots(), 1);

    seam_->saveFile = sessionFile();
    form_->commands().run(CommandId::SaveSession);
    EXPECT_TRUE(seam_->messages.empty()) << seam_->messageTexts().front().toStdString();
    const auto read = lithora::session::readSessionFile(sessionFile().toStdString());
    ASSERT_TRUE(read.session) << read.error;
    const auto current = sessions().currentSession(false);
    ASSERT_TRUE(current);
    EXPECT_EQ(*read.session, *current);
    EXPECT_EQ(read.session->source.path, well_);
    ASSERT_TRUE(read.session->elastic);
    EXPECT_EQ(read.session->elastic->computedWithin,
              (lithora::session::DepthBounds{1500, 1500.25}));
    EXPECT_EQ(read.session->openWindows, std::vector<std::string>{"CrossPlots"});

    // The elastic results are in no file yet: the user is asked before they are replaced.
    seam_->openFile = sessionFile();
    seam_->answers = {QMessageBox::No};
    form_->commands().run(CommandId::OpenSession);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text,
              "The elastic parameters and the litholog have not been saved. Open the session in "
              "their place all the same?");
    expectSame(before, snapshot());

    // From an empty window, Yes opens the session; the cross plots window closed before
    // is opened again.
    for (TCrossPlots* w : form_->crossPlotSubsystem().controller()->windows()) w->close();
    ASSERT_EQ(crossPlots(), 0);
    seam_->messages.clear();
    seam_->answers = {QMessageBox::Yes};
    form_->commands().run(CommandId::EmptyTable);
    ASSERT_FALSE(form_->workspace().loaded());
    seam_->dialogsRun.clear();
    form_->commands().run(CommandId::OpenSession);
    EXPECT_EQ(seam_->messages.size(), 1u);  // the question of Empty Table only
    // Nothing was asked again: the session holds the answers.
    EXPECT_TRUE(seam_->dialogsRun.empty());
    expectSame(before, snapshot());
    EXPECT_EQ(crossPlots(), 1);
    EXPECT_EQ(form_->statusText(), "Session opened: " + sessionFile());
    // The restored session saves as the same session.
    EXPECT_EQ(*sessions().currentSession(false), *read.session);
}

TEST_F(SessionTest, ASessionWhoseSourceChangedOrWentIsRefusedNamingTheFile) {
    workOnTheWell();
    // A session is never written over the file the well was read from.
    const std::string wellBytes = slurp(well_);
    seam_->saveFile = QString::fromStdString(well_.string());
    form_->commands().run(CommandId::SaveSession);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(
        seam_->messages[0].text,
        QString("The output %1 is the input file.").arg(QString::fromStdString(well_.string())));
    EXPECT_EQ(slurp(well_), wellBytes);
    seam_->messages.clear();

    seam_->saveFile = sessionFile();
    form_->commands().run(CommandId::SaveSession);
    ASSERT_TRUE(fs::exists(sessionFile().toStdString()));
    const Snapshot before = snapshot();

    // One digit of one sample changed, the size the same.
    std::string bytes = slurp(well_);
    const auto at = bytes.find("2.4000");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 6, "2.4001");
    folder_.write("well.las", bytes);
    seam_->openFile = sessionFile();
    seam_->answers = {QMessageBox::Yes};
    form_->commands().run(CommandId::OpenSession);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text,
              QString("The source file %1 has changed since the session was saved.\nThe session "
                      "%2 was not opened.")
                  .arg(QString::fromStdString(well_.string()), sessionFile()));
    // Nothing loaded is lost.
    expectSame(before, snapshot());

    fs::remove(well_);
    seam_->messages.clear();
    form_->commands().run(CommandId::OpenSession);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_TRUE(seam_->messages[0].text.startsWith(
        QString("The source file %1 cannot be found.").arg(QString::fromStdString(well_.string()))))
        << seam_->messages[0].text.toStdString();
    expectSame(before, snapshot());
}

// A well put together from curves of several files (File > Open 2) is no one file to read
// again: Save Session says so and writes nothing.
TEST_F(SessionTest, AMergedWellIsNotSavedAsASession) {
    importWell();
    form_->workspace().setSourceFiles({well_, well_}, true);
    seam_->saveFile = sessionFile();
    form_->commands().run(CommandId::SaveSession);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_TRUE(seam_->messages[0].text.contains("(File > Open 2)"))
        << seam_->messages[0].text.toStdString();
    EXPECT_TRUE(seam_->savesAsked.empty());
    EXPECT_FALSE(fs::exists(sessionFile().toStdString()));
}

// Damaged, truncated and newer session files are refused with the reason, and nothing
// loaded changes.
TEST_F(SessionTest, DamagedAndNewerSessionFilesAreRefusedWithTheirReason) {
    importWell();
    const Snapshot before = snapshot();
    const std::string good = slurp(testData("cli/well.las").toStdString());
    struct Case {
        const char* file;
        std::string bytes;
        const char* says;
    };
    const Case cases[] = {
        {"cut.lithora", "{\"version\": 1, \"source\": {\"path\": ", "not complete JSON"},
        {"newer.lithora", "{\"version\": 2}", "newer version of Lithora"},
        {"las.lithora", good, "not complete JSON"},
        {"empty.lithora", "", "not complete JSON"},
    };
    for (const Case& c : cases) {
        folder_.write(c.file, c.bytes);
        seam_->messages.clear();
        seam_->openFile = folder_.qfile(c.file);
        form_->commands().run(CommandId::OpenSession);
        ASSERT_EQ(seam_->messages.size(), 1u) << c.file;
        EXPECT_TRUE(seam_->messages[0].text.contains(folder_.qfile(c.file))) << c.file;
        EXPECT_TRUE(seam_->messages[0].text.contains(c.says))
            << seam_->messages[0].text.toStdString();
        expectSame(before, snapshot());
    }
}

// Imports and sessions go to the top of the Recent list, which the settings keep; an entry
// whose file is gone is said and taken off the list.
TEST_F(SessionTest, TheRecentListKeepsFilesAndSessionsAndDropsMissingOnes) {
    const QString settingsFile = folder_.qfile("lithora.conf");
    form_->useSettings(std::make_unique<QSettings>(settingsFile, QSettings::IniFormat));
    EXPECT_FALSE(form_->action(CommandId::ClearRecentList)->isEnabled());
    importWell();
    seam_->saveFile = sessionFile();
    form_->commands().run(CommandId::SaveSession);
    using Recent = SessionController::Recent;
    const QString well = QString::fromStdString(well_.string());
    EXPECT_EQ(sessions().recentEntries(),
              (QList<Recent>{{"session", sessionFile()}, {"las", well}}));
    EXPECT_TRUE(form_->action(CommandId::ClearRecentList)->isEnabled());

    // The menu shows them, newest first, and an entry opens its file.
    QStringList shown;
    QAction* lasEntry = nullptr;
    for (QAction* a : sessions().recentMenu()->actions())
        if (a->objectName() == "RecentEntry") {
            shown << a->text();
            if (a->text().endsWith("(LAS)")) lasEntry = a;
        }
    EXPECT_EQ(shown, (QStringList{"&1 well.lithora (session)", "&2 well.las (LAS)"}));
    ASSERT_NE(lasEntry, nullptr);
    form_->commands().run(CommandId::EmptyTable);
    ASSERT_FALSE(form_->workspace().loaded());
    lasEntry->trigger();
    EXPECT_TRUE(form_->workspace().loaded());

    // The file opened again is the newest entry; the settings keep the list.
    {
        QSettings kept(settingsFile, QSettings::IniFormat);
        EXPECT_EQ(kept.value("Recent/entries").toStringList(),
                  (QStringList{"las:" + well, "session:" + sessionFile()}));
    }

    fs::remove(sessionFile().toStdString());
    seam_->messages.clear();
    EXPECT_FALSE(sessions().openRecent("session", sessionFile()));
    EXPECT_EQ(seam_->messageTexts(),
              (std::vector<QString>{QString("The file %1 cannot be found. It is taken off the list "
                                            "of recent files.")
                                        .arg(sessionFile())}));
    EXPECT_EQ(sessions().recentEntries(), (QList<Recent>{{"las", well}}));

    form_->commands().run(CommandId::ClearRecentList);
    EXPECT_TRUE(sessions().recentEntries().isEmpty());
    EXPECT_FALSE(form_->action(CommandId::ClearRecentList)->isEnabled());
}

// A LAS file dropped on the window imports as LAS File does, with its refusal on a loaded
// well; a text file imports as ASCII File; a session opens.
TEST_F(SessionTest, AFileDroppedOnTheWindowImportsAsItsCommandWould) {
    auto drop = [&](const fs::path& file, int copies = 1) {
        QMimeData data;
        QList<QUrl> urls;
        for (int i = 0; i < copies; ++i)
            urls << QUrl::fromLocalFile(QString::fromStdString(file.string()));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &dropped);
        QApplication::processEvents();
    };
    drop(well_);
    ASSERT_TRUE(form_->workspace().loaded());
    EXPECT_EQ(form_->workspace().source().recordCount(), 3);
    EXPECT_TRUE(form_->workspace().importInfo().lasSource);

    drop(well_);
    EXPECT_EQ(form_->statusText(), "Empty the table first (File > Empty Table).");

    form_->commands().run(CommandId::EmptyTable);
    const fs::path text = folder_.write("well.txt",
                                        "Column 1 : Depth m\r\n"
                                        "Column 2 : Density (Density) - Units : G/CC\r\n"
                                        "1500\t2.5\r\n1500.25\t2.4\r\n");
    drop(text);
    EXPECT_TRUE(form_->workspace().loaded());
    EXPECT_FALSE(form_->workspace().importInfo().lasSource);

    // A session dropped opens as Open Session does; several files at once are refused.
    seam_->saveFile = sessionFile();
    form_->commands().run(CommandId::SaveSession);
    form_->commands().run(CommandId::EmptyTable);
    seam_->messages.clear();
    drop(well_, 2);
    EXPECT_EQ(seam_->messageTexts(),
              (std::vector<QString>{"One well is read at a time: drop a single file."}));
    EXPECT_FALSE(form_->workspace().loaded());
    drop(sessionFile().toStdString());
    EXPECT_TRUE(form_->workspace().loaded());
    EXPECT_EQ(form_->statusText(), "Session opened: " + sessionFile());
    EXPECT_EQ(form_->workspace().importInfo().sourceFiles, std::vector<fs::path>{text});
}

}  // namespace
