// The popup commands and the zoom of the tracks, driven through the dialog seam on tracks of
// a real imported file, and the chart copy of a track.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <functional>
#include <limits>

#include "core/store/table.h"
#include "gui/app/calculation_page.h"
#include "gui/app/display_subsystem.h"
#include "gui/display/depth_chart.h"
#include "gui/display/set_min_max.h"
#include "gui/display/track_commands.h"
#include "gui/display/track_panel.h"
#include "gui/display/zoom_chart.h"
#include "gui/import/import_controller.h"
#include "gui/widgets/chart_copy.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/page_control.h"
#include "support/pdf_check.h"
#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;
constexpr double kTol = 1e-9;

class CommandSeam : public DialogSeam {
  public:
    QString openFile;
    QString saveFile;
    std::vector<QString> messages;
    std::function<int(QDialog&)> onDialog = [](QDialog&) { return QDialog::Rejected; };

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
        return QMessageBox::Ok;
    }
    int exec(QDialog& dialog) override { return onDialog(dialog); }
};

QString realFile() {
    return QString(LITHORA_TEST_DATA) + "/external/las-external/welly/tutorial/data/P-135_out.LAS";
}

// Drags a rectangle on a track from one (value, depth) to another, as the mouse would.
void drag(DepthChart* t, QPointF fromValueDepth, QPointF toValueDepth) {
    t->plot()->replot();
    const QPointF offset(t->plot()->pos());
    const QPoint from = (t->pixelOf(fromValueDepth.x(), fromValueDepth.y()) - offset).toPoint();
    const QPoint to = (t->pixelOf(toValueDepth.x(), toValueDepth.y()) - offset).toPoint();
    QTest::mousePress(t->plot(), Qt::LeftButton, {}, from);
    QTest::mouseMove(t->plot(), (from + to) / 2);
    QTest::mouseMove(t->plot(), to);
    QTest::mouseRelease(t->plot(), Qt::LeftButton, {}, to);
}

class TrackCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        oldCurrent_ = QDir::currentPath();
        folder_ = fs::path(dir_.path().toStdString());
        fs::create_directory_symlink(LITHORA_PATTERNS_DIR, folder_ / "Patterns");
        auto seam = std::make_unique<CommandSeam>();
        seam_ = seam.get();
        form_ = std::make_unique<TCalculationForm>(dir_.path(), std::move(seam));
        ASSERT_TRUE(form_->ready());
        seam_->openFile = realFile();
        form_->importSubsystem().controller()->importLas();
        ASSERT_GT(form_->trackPanel()->trackCount(), 3);
        seam_->messages.clear();
        form_->show();
        form_->pageControl()->setCurrentIndex(1);
        QApplication::processEvents();
    }
    void TearDown() override {
        form_.reset();
        QDir::setCurrent(oldCurrent_);
        QLocale::setDefault(QLocale::system());
    }
    DepthChart* track(int slot) { return form_->trackPanel()->track(slot); }
    TrackCommands* commands() { return form_->displaySubsystem().trackCommands(); }
    QAction* menuItem(int slot, int index) { return track(slot)->popupMenu()->actions()[index]; }

    QString oldCurrent_;
    QTemporaryDir dir_;
    fs::path folder_;
    CommandSeam* seam_ = nullptr;
    std::unique_ptr<TCalculationForm> form_;
};

struct MinMaxAnswer {
    const char* what;
    QString minimum, maximum;
    const char* button;  // "okButton", "cancelButton", "" the close box
    bool applies;
};

TEST_F(TrackCommandsTest, SetMinMaxAppliesOnlyWhatOkAnswers) {
    DepthChart* t = track(2);
    const auto fitted = t->valueRange();
    const std::vector<MinMaxAnswer> answers = {
        {"Ok 0 / 0 is the Cancel answer", "0", "0", "okButton", false},
        {"Ok 0 / 150 applies", "0", "150", "okButton", true},
        {"Cancel", "5", "6", "cancelButton", false},
        {"minimum not below maximum", "150", "150", "okButton", false},
        {"close box after an earlier Ok", "1", "2", "", false},
    };
    for (const auto& a : answers) {
        form_->trackPanel()->rescaleTrack(2);
        int runs = 0;
        seam_->onDialog = [&](QDialog& d) {
            auto* dialog = dynamic_cast<TSetMinMax*>(&d);
            EXPECT_NE(dialog, nullptr);
            if (!dialog) return int(QDialog::Rejected);
            ++runs;
            // The dialog shows the track's range.
            EXPECT_NEAR(*dialog->minimumBox()->value(), fitted.lo, kTol);
            EXPECT_NEAR(*dialog->maximumBox()->value(), fitted.hi, kTol);
            dialog->minimumBox()->setText(a.minimum);
            dialog->maximumBox()->setText(a.maximum);
            if (*a.button)
                dialog->findChild<QPushButton*>(a.button)->click();
            else
                dialog->reject();  // what the close box does
            return dialog->result();
        };
        menuItem(2, 2)->trigger();
        EXPECT_EQ(runs, 1) << a.what;
        if (a.applies) {
            EXPECT_NEAR(t->valueRange().lo, a.minimum.toDouble(), kTol) << a.what;
            EXPECT_NEAR(t->valueRange().hi, a.maximum.toDouble(), kTol) << a.what;
            EXPECT_EQ(t->valueLabels(), (std::vector<QString>{a.minimum, a.maximum}));
        } else {
            EXPECT_NEAR(t->valueRange().lo, fitted.lo, kTol) << a.what;
            EXPECT_NEAR(t->valueRange().hi, fitted.hi, kTol) << a.what;
        }
    }
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(TrackCommandsTest, SetMinMaxSaysWhenABoxHoldsNoNumber) {
    bool stayedOpen = false;
    seam_->onDialog = [&](QDialog& d) {
        auto& dialog = dynamic_cast<TSetMinMax&>(d);
        dialog.minimumBox()->setText("abc");
        dialog.findChild<QPushButton*>("okButton")->click();
        stayedOpen = dialog.result() == 0 && !dialog.answer();
        dialog.findChild<QPushButton*>("cancelButton")->click();
        return dialog.result();
    };
    const auto before = track(1)->valueRange();
    menuItem(1, 2)->trigger();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0], "Enter a number in both boxes.");
    EXPECT_EQ(track(1)->valueRange().hi, before.hi);
}

TEST_F(TrackCommandsTest, LogarithmicTwiceReturnsToLinear) {
    DepthChart* t = track(1);
    const auto linear = t->valueRange();
    QAction* item = menuItem(1, 3);
    item->trigger();
    EXPECT_TRUE(t->isLogarithmic());
    EXPECT_EQ(item->text(), "Make Ordinal");
    EXPECT_GT(t->valueRange().lo, 0.0);
    item->trigger();
    EXPECT_FALSE(t->isLogarithmic());
    EXPECT_EQ(item->text(), "Make Logarithmic");
    EXPECT_NEAR(t->valueRange().lo, linear.lo, kTol);
    EXPECT_NEAR(t->valueRange().hi, linear.hi, kTol);
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(TrackCommandsTest, ChangeColorTakesTheChosenColourOnlyWhenConfirmed) {
    DepthChart* t = track(3);
    const QColor before = t->colour();
    int answer = QDialog::Rejected;
    seam_->onDialog = [&](QDialog& d) {
        dynamic_cast<QColorDialog&>(d).setCurrentColor(QColor(12, 34, 56));
        return answer;
    };
    menuItem(3, 4)->trigger();
    EXPECT_EQ(t->colour(), before);
    answer = QDialog::Accepted;
    menuItem(3, 4)->trigger();
    EXPECT_EQ(t->colour(), QColor(12, 34, 56));
}

TEST_F(TrackCommandsTest, ExportWritesThePictureAndLeavesTheProgramFolderCurrent) {
    seam_->saveFile = QDir(dir_.path()).filePath("out/track.png");
    QDir(dir_.path()).mkdir("out");
    seam_->onDialog = [&](QDialog& d) {
        auto& dialog = dynamic_cast<ChartExportDialog&>(d);
        QDir::setCurrent(QDir::tempPath());  // a file dialog may move elsewhere
        dialog.setFormat(PictureFormat::Png);
        dialog.setPictureSize(QSize(300, 1130));
        return dialog.save() ? QDialog::Accepted : QDialog::Rejected;
    };
    menuItem(1, 1)->trigger();
    const QImage picture(seam_->saveFile);
    EXPECT_EQ(picture.size(), QSize(300, 1130));
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(dir_.path()).canonicalPath());
}

TEST_F(TrackCommandsTest, PrintPreviewsA200PixelCopyWithTheDepthTitleAndPrintsOnePage) {
    DepthChart* copy = nullptr;
    QObject::connect(commands(), &TrackCommands::printCopyReady, [&](DepthChart* c) { copy = c; });
    const QString pdf = QDir(dir_.path()).filePath("track.pdf");
    seam_->saveFile = pdf;
    bool printed = false;
    seam_->onDialog = [&](QDialog& d) {
        auto& preview = dynamic_cast<ChartPrintPreview&>(d);
        EXPECT_EQ(preview.windowTitle(), "Print Preview");
        if (copy) {
            EXPECT_EQ(copy->width(), 200);
            EXPECT_EQ(copy->depthTitle(), form_->workspace().source().field(1).label().c_str());
            EXPECT_EQ(copy->title(), track(2)->title());
            EXPECT_EQ(copy->pointCount(), track(2)->pointCount());
        }
        printed = preview.print();  // no printer here: a PDF file
        return QDialog::Accepted;
    };
    menuItem(2, 0)->trigger();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(printed);
    const PdfCheck check = checkPdf(pdf);
    EXPECT_EQ(check.pages, 1);
    EXPECT_GT(check.inkFraction, 0.002);
    // The copy is made in memory: no chart file is written to pass it on.
    EXPECT_FALSE(QFile::exists(QDir(dir_.path()).filePath(kChartCopyFileName)));
}

TEST_F(TrackCommandsTest, ADragOpensAZoomWindowOnTheDraggedPartWhileTheTrackShowsItAll) {
    DepthChart* t = track(2);
    const auto fullValue = t->valueRange();
    const auto fullDepth = t->depthRange();
    const double v0 = fullValue.lo + (fullValue.hi - fullValue.lo) * 0.3;
    const double v1 = fullValue.lo + (fullValue.hi - fullValue.lo) * 0.7;
    const double d0 = fullDepth.lo + (fullDepth.hi - fullDepth.lo) * 0.4;
    const double d1 = fullDepth.lo + (fullDepth.hi - fullDepth.lo) * 0.5;
    drag(t, {v0, d0}, {v1, d1});

    EXPECT_NEAR(t->valueRange().lo, fullValue.lo, kTol);
    EXPECT_NEAR(t->depthRange().hi, fullDepth.hi, kTol);
    auto windows = commands()->zoomWindows();
    ASSERT_EQ(windows.size(), 1u);
    TZoomChart* zoom = windows[0];
    EXPECT_TRUE(zoom->isVisible());
    EXPECT_EQ(zoom->windowTitle(), "Zoom");
    EXPECT_TRUE(zoom->windowFlags() & Qt::WindowStaysOnTopHint);
    DepthChart* chart = zoom->chart();
    // Only the dragged interval, within a pixel of the drag.
    const double valuePixel = (fullValue.hi - fullValue.lo) / t->plotArea().width();
    const double depthPixel = (fullDepth.hi - fullDepth.lo) / t->plotArea().height();
    EXPECT_NEAR(chart->valueRange().lo, v0, 2 * valuePixel);
    EXPECT_NEAR(chart->valueRange().hi, v1, 2 * valuePixel);
    EXPECT_NEAR(chart->depthRange().lo, d0, 2 * depthPixel);
    EXPECT_NEAR(chart->depthRange().hi, d1, 2 * depthPixel);
    chart->plot()->replot();
    const auto labels = chart->drawnLabels();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].placement, EndLabelPlacement::Left);
    EXPECT_EQ(labels[1].placement, EndLabelPlacement::Right);
    EXPECT_EQ(chart->depthTitle(), form_->workspace().source().field(1).label().c_str());

    // A second window on another part keeps its own ranges, and so does the first.
    const auto first = chart->valueRange();
    drag(track(3), {track(3)->valueRange().lo, d1}, {track(3)->valueRange().hi, fullDepth.hi});
    windows = commands()->zoomWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_NEAR(windows[1]->chart()->depthRange().lo, d1, 2 * depthPixel);
    EXPECT_EQ(windows[0]->chart()->valueRange().lo, first.lo);
    EXPECT_EQ(windows[0]->chart()->valueRange().hi, first.hi);
    // The second window opens below and right of the first, not over it.
    EXPECT_EQ(windows[1]->pos(), windows[0]->pos() + QPoint(28, 28));
}

TEST_F(TrackCommandsTest, InsideTheZoomWindowZoomAndUndoMoveTheEndLabels) {
    DepthChart* t = track(2);
    const auto v = t->valueRange();
    const auto d = t->depthRange();
    drag(t, {v.lo + (v.hi - v.lo) * 0.1, d.lo + (d.hi - d.lo) * 0.2},
         {v.lo + (v.hi - v.lo) * 0.9, d.lo + (d.hi - d.lo) * 0.6});
    ASSERT_EQ(commands()->zoomWindows().size(), 1u);
    TZoomChart* zoom = commands()->zoomWindows()[0];
    DepthChart* chart = zoom->chart();
    const auto opened = chart->valueRange();
    const auto openedDepth = chart->depthRange();
    EXPECT_FALSE(zoom->undoZoomAction()->isEnabled());

    const double mid = (opened.lo + opened.hi) / 2;
    drag(chart, {opened.lo, openedDepth.lo + 1}, {mid, openedDepth.lo + 5});
    EXPECT_NEAR(chart->valueRange().hi, mid, (opened.hi - opened.lo) / 50);
    EXPECT_EQ(zoom->zoomTopRange().hi, chart->valueRange().hi);
    chart->plot()->replot();
    ASSERT_EQ(chart->drawnLabels().size(), 2u);
    EXPECT_EQ(chart->drawnLabels()[1].placement, EndLabelPlacement::Right);
    EXPECT_TRUE(zoom->undoZoomAction()->isEnabled());

    zoom->undoZoomAction()->trigger();
    EXPECT_EQ(chart->valueRange().lo, opened.lo);
    EXPECT_EQ(chart->valueRange().hi, opened.hi);
    EXPECT_NEAR(chart->depthRange().hi, openedDepth.hi, kTol);

    // The classic gesture: up and to the left undoes.
    drag(chart, {opened.lo, openedDepth.lo + 1}, {mid, openedDepth.lo + 5});
    drag(chart, {mid, openedDepth.lo + 4}, {opened.lo, openedDepth.lo + 1});
    EXPECT_EQ(chart->valueRange().hi, opened.hi);
    EXPECT_EQ(zoom->zoomTopRange().hi, opened.hi);
}

TEST_F(TrackCommandsTest, TheZoomWindowPrintsOnePageAndSavesABitmap) {
    DepthChart* t = track(1);
    const auto v = t->valueRange();
    const auto d = t->depthRange();
    drag(t, {v.lo, d.lo + (d.hi - d.lo) * 0.1}, {v.hi, d.lo + (d.hi - d.lo) * 0.3});
    ASSERT_EQ(commands()->zoomWindows().size(), 1u);
    TZoomChart* zoom = commands()->zoomWindows()[0];
    const auto range = zoom->chart()->valueRange();

    const QString pdf = QDir(dir_.path()).filePath("zoom.pdf");
    seam_->saveFile = pdf;
    seam_->onDialog = [&](QDialog& dialog) {
        dynamic_cast<ChartPrintPreview&>(dialog).print();
        return QDialog::Accepted;
    };
    zoom->findChild<QPushButton*>("printButton")->click();
    const PdfCheck check = checkPdf(pdf);
    EXPECT_EQ(check.pages, 1);
    EXPECT_GT(check.inkFraction, 0.002);
    EXPECT_EQ(zoom->chart()->valueRange().lo, range.lo);

    seam_->saveFile = QDir(dir_.path()).filePath("zoom.bmp");
    EXPECT_TRUE(zoom->saveChart());
    EXPECT_FALSE(QImage(seam_->saveFile).isNull());

    zoom->findChild<QPushButton*>("closeButton")->click();  // Close frees the window
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(commands()->zoomWindows().empty());
}

// Tracks built on small tables, for the copy and the logarithmic axis.
class TrackCopyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        fs::create_directory_symlink(LITHORA_PATTERNS_DIR,
                                     fs::path(dir_.path().toStdString()) / "Patterns");
        page_.resize(2000, 610);
        page_.show();
        panel_ = std::make_unique<TrackPanel>(&page_, dir_.path());
        TrackCommands::Context c;
        c.panel = panel_.get();
        c.window = &page_;
        c.seam = [this]() -> DialogSeam& { return seam_; };
        c.programFolder = dir_.path();
        commands_ = std::make_unique<TrackCommands>(std::move(c));
    }
    void TearDown() override {
        commands_.reset();
        panel_.reset();
        table_.reset();
        QLocale::setDefault(QLocale::system());
    }
    void build(const std::vector<std::vector<double>>& curves, const std::vector<double>& depths) {
        using lithora::store::FieldType;
        using lithora::store::Table;
        table_ = std::make_unique<Table>(fs::path(dir_.path().toStdString()) / "Table.db");
        table_->addFieldDef({"Rec", FieldType::Integer});
        table_->addFieldDef({"DEPTH", FieldType::Float});
        for (std::size_t c = 0; c < curves.size(); ++c)
            table_->addFieldDef({"C" + std::to_string(c + 1), FieldType::Float});
        table_->addFieldDef({"Counting", FieldType::Float});
        table_->createTable();
        table_->open();
        std::vector<Table::BulkColumn> cols(curves.size() + 3);
        for (std::size_t r = 0; r < depths.size(); ++r) cols[0].integers.push_back(int(r + 1));
        cols[1].floats = depths;
        for (std::size_t c = 0; c < curves.size(); ++c) cols[c + 2].floats = curves[c];
        table_->loadColumns(std::move(cols));
        panel_->buildSourceTracks(*table_);
        panel_->rescaleAll();
    }

    QTemporaryDir dir_;
    QWidget page_;
    CommandSeam seam_;
    std::unique_ptr<lithora::store::Table> table_;
    std::unique_ptr<TrackPanel> panel_;
    std::unique_ptr<TrackCommands> commands_;
};

TEST_F(TrackCopyTest, ACopyThroughTheChartFileDrawsTheSameTrack) {
    std::vector<double> depths, values;
    for (int i = 0; i < 3000; ++i) {
        depths.push_back(1500 + 0.25 * i);
        values.push_back(i % 500 == 7 ? std::numeric_limits<double>::quiet_NaN()
                                      : 2.3 + 0.3 * std::sin(i / 40.0));
    }
    build({values}, depths);
    DepthChart* t = panel_->track(1);
    t->setColour(QColor(12, 200, 40));
    t->setValueRange(2.1, 2.8);
    ASSERT_TRUE(t->setLogarithmic(true));

    const QString file = QDir(dir_.path()).filePath(kChartCopyFileName);
    ASSERT_EQ(saveChartCopy(t->copy(), file), "");
    ChartCopy loaded;
    ASSERT_EQ(loadChartCopy(file, loaded), "");
    std::unique_ptr<DepthChart> copy(
        DepthChart::fromCopy(loaded, loadTrackBackground(dir_.path())));
    copy->setChartSize(t->size());
    EXPECT_EQ(copy->title(), t->title());
    EXPECT_EQ(copy->colour(), QColor(12, 200, 40));
    EXPECT_TRUE(copy->isLogarithmic());
    EXPECT_EQ(copy->valueLabels(), t->valueLabels());
    EXPECT_NEAR(copy->valueRange().lo, 2.1, kTol);
    EXPECT_NEAR(copy->depthRange().hi, t->depthRange().hi, kTol);
    ASSERT_EQ(copy->pointCount(), 3000);
    EXPECT_TRUE(std::isnan(copy->samples().values[7]));

    const QSize size = t->plot()->size();
    EXPECT_EQ(chartImage(*copy->plot(), size), chartImage(*t->plot(), size));
}

TEST_F(TrackCopyTest,
       ALogarithmicAxisLeavesOutZeroAndNegativeSamplesAndRefusesACurveWithoutPositives) {
    build({{-5, 0, 10, 100, 1000}, {-3, -2, 0, -1, -7}}, {100, 101, 102, 103, 104});
    DepthChart* t = panel_->track(1);
    EXPECT_NEAR(t->valueRange().lo, -5.1, kTol);
    panel_->track(1)->popupMenu()->actions()[3]->trigger();
    ASSERT_TRUE(t->isLogarithmic());
    EXPECT_NEAR(t->valueRange().lo, 9.9, kTol);  // from the positive samples
    EXPECT_NEAR(t->valueRange().hi, 1010, kTol);
    t->rescale();  // a fit on a logarithmic axis also counts the positive samples only
    EXPECT_NEAR(t->valueRange().lo, 9.9, kTol);
    t->setColour(QColor(255, 0, 0));
    t->plot()->replot();
    const QImage image = t->grab().toImage();
    auto redInRow = [&](double depth) {
        int n = 0;
        const int y = qRound(t->pixelOf(100, depth).y());
        for (int x = t->plotArea().left() + 3; x < t->plotArea().right() - 3; ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 180 && qRed(p) - std::max(qGreen(p), qBlue(p)) > 60) ++n;
        }
        return n;
    };
    EXPECT_EQ(redInRow(100.5), 0);  // -5: a gap
    EXPECT_EQ(redInRow(101.5), 0);  // 0: a gap
    EXPECT_GT(redInRow(102.5), 0);
    EXPECT_TRUE(seam_.messages.empty());
    // The track says how many samples the logarithmic axis leaves out, until it is linear.
    EXPECT_EQ(t->logarithmicNote(), "2 samples ≤ 0 not drawn");
    EXPECT_EQ(t->popupMenu()->actions()[3]->text(), "Make Ordinal");
    t->popupMenu()->actions()[3]->trigger();
    EXPECT_FALSE(t->isLogarithmic());
    EXPECT_EQ(t->logarithmicNote(), "");

    DepthChart* negative = panel_->track(2);
    negative->popupMenu()->actions()[3]->trigger();
    EXPECT_FALSE(negative->isLogarithmic());
    EXPECT_EQ(negative->popupMenu()->actions()[3]->text(), "Make Logarithmic");
    ASSERT_EQ(seam_.messages.size(), 1u);
    EXPECT_NE(seam_.messages[0].indexOf("no value above 0"), -1);
}

}  // namespace
