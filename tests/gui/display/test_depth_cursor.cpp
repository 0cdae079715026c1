// The depth cursor, the depth navigation and the tracks the user arranges, driven through
// the main window with the mouse and the wheel.
#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "core/store/table.h"
#include "gui/app/display_subsystem.h"
#include "gui/app/table_page.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/display/chart_row.h"
#include "gui/display/depth_cursor.h"
#include "gui/display/depth_navigation.h"
#include "gui/display/elastic_correlation_dialogs.h"
#include "gui/display/elastic_correlations.h"
#include "gui/display/track_commands.h"
#include "gui/display/track_panel.h"
#include "gui/display/value_axis.h"
#include "gui/export/litholog_panel.h"
#include "gui/export/save_controller.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/page_control.h"
#include "gui/widgets/table_grid.h"
#include "support/main_window.h"

namespace lithora::test {
namespace {

using lithora::store::Table;
constexpr int kGraphPage = 1;

// Six records from 2000 to 2002.5 m; DT is null at 2001.5 and GR at 2001.0.
class DepthCursorTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        importLas("las/cross_plot_well.las");
        ASSERT_TRUE(form_->workspace().loaded());
        form_->pageControl()->setCurrentIndex(kGraphPage);
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        panel()->alignTracks();
        QApplication::processEvents();
        ASSERT_GE(panel()->trackCount(), 4);
    }

    TrackPanel* panel() const { return form_->trackPanel(); }
    DepthCursor* cursor() const { return panel()->row()->cursor(); }
    DepthChart* track(int slot) const { return panel()->track(slot); }

    // The pixel row of the plot of a track where it draws a depth.
    static int rowOf(const DepthChart& chart, double depth) {
        return static_cast<int>(std::lround(chart.plot()->yAxis->coordToPixel(depth)));
    }
    static QPoint inPlot(const DepthChart& chart, double depth) {
        return {chart.plot()->axisRect()->center().x(), rowOf(chart, depth)};
    }
    static void turnWheel(const DepthChart& chart, QPoint at, int notches,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWheelEvent wheel(at, chart.plot()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart.plot(), &wheel);
    }
};

TEST_F(DepthCursorTest, TheCursorStandsAtOneDepthOnEveryTrackAndReadsTheTable) {
    const Table& source = form_->workspace().source();
    // Over track 3 at 2001.4 m: the nearest record is 2001.5 m, where DT is null.
    QTest::mouseMove(track(3)->plot(), inPlot(*track(3), 2001.4));
    const auto depth = cursor()->depth();
    ASSERT_TRUE(depth.has_value());
    EXPECT_NEAR(*depth, 2001.4, 0.01);
    const int pageRow =
        track(1)->plot()->mapTo(form_->graphPage(), QPoint(0, rowOf(*track(1), *depth))).y();
    for (int slot = 1; slot <= panel()->trackCount(); ++slot) {
        const DepthChart& t = *track(slot);
        ASSERT_EQ(t.cursorDepth(), depth) << slot;
        EXPECT_EQ(t.plot()->mapTo(form_->graphPage(), QPoint(0, rowOf(t, *depth))).y(), pageRow)
            << slot;
    }

    // The read-out: the depth, then every curve's value at the nearest record, as the table
    // holds it (null: no value).
    const auto readings = cursor()->readings();
    ASSERT_EQ(readings.size(), static_cast<std::size_t>(panel()->trackCount()) + 1);
    EXPECT_EQ(readings[0].name, "Depth");
    int nearest = 0;
    for (int row = 0; row < source.recordCount(); ++row)
        if (std::abs(source.cellFloat(row, 1) - *depth) <
            std::abs(source.cellFloat(nearest, 1) - *depth))
            nearest = row;
    ASSERT_DOUBLE_EQ(source.cellFloat(nearest, 1), 2001.5);
    for (int slot = 1; slot <= panel()->trackCount(); ++slot) {
        const int field = slot + 1;
        EXPECT_EQ(readings[static_cast<std::size_t>(slot)].name,
                  QString::fromStdString(source.field(field).def.name));
        const QString expected = source.cellIsNull(nearest, field)
                                     ? QString()
                                     : valueaxis::labelText(source.cellFloat(nearest, field));
        EXPECT_EQ(readings[static_cast<std::size_t>(slot)].value, expected) << slot;
    }
    EXPECT_EQ(readings[2].name, "DT");
    EXPECT_TRUE(readings[2].value.isEmpty());
    QLabel* readout = form_->findChild<QLabel*>("DepthReadout");
    ASSERT_NE(readout, nullptr);
    EXPECT_TRUE(readout->isVisible());
    EXPECT_TRUE(readout->text().contains("RHOB"));

    // The litholog column beside the tracks shows the cursor too, and moves it.
    LithologPanel* litholog = form_->exportSubsystem().lithologPanel();
    EXPECT_TRUE(litholog->cursorLine()->isVisible());
    QLabel* column = litholog->columnImage();
    QTest::mouseMove(column, QPoint(column->width() / 2, column->height() / 2));
    const auto window = form_->workspace().depthWindow();
    ASSERT_TRUE(cursor()->depth().has_value());
    EXPECT_NEAR(*cursor()->depth(), (window.top + window.bottom) / 2,
                (window.bottom - window.top) / column->height());
    EXPECT_EQ(track(2)->cursorDepth(), cursor()->depth());
    EXPECT_NEAR(litholog->cursorLine()->y(), column->y() + column->height() / 2, 1);

    // Out of the plotting area the line and the read-out go.
    QTest::mouseMove(track(3)->plot(), QPoint(5, 2));
    EXPECT_FALSE(cursor()->depth().has_value());
    EXPECT_FALSE(track(1)->cursorDepth().has_value());
    EXPECT_FALSE(readout->isVisible());
    EXPECT_FALSE(litholog->cursorLine()->isVisible());
}

TEST_F(DepthCursorTest, AClickShowsTheRecordOfThatDepthInTheGrids) {
    Table& source = form_->workspace().source();
    source.moveTo(0);
    const QPoint at = inPlot(*track(2), 2002.1);
    QTest::mousePress(track(2)->plot(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(track(2)->plot(), Qt::LeftButton, {}, at);
    EXPECT_EQ(source.currentRow(), 4);  // 2002.0 m
    EXPECT_EQ(form_->tablePage()->sourceGrid()->currentIndex().row(), 4);
}

TEST_F(DepthCursorTest, WheelScrollsAndCtrlWheelZoomsEveryTrackTogether) {
    DepthNavigation* nav = panel()->row()->navigation();
    const auto whole = nav->whole();
    // Zoom in twice about 2001.0 m: the depth under the mouse keeps its place.
    const QPoint at = inPlot(*track(2), 2001.0);
    turnWheel(*track(2), at, 2, Qt::ControlModifier);
    const auto zoomed = nav->shown();
    EXPECT_NEAR(zoomed.bottom - zoomed.top, (whole.bottom - whole.top) * 0.64, 1e-6);
    EXPECT_NEAR(track(2)->plot()->yAxis->pixelToCoord(at.y()), 2001.0, 0.01);
    // Scroll one notch towards the surface, from another track.
    turnWheel(*track(4), inPlot(*track(4), 2001.0), 1);
    const auto scrolled = nav->shown();
    EXPECT_NEAR(scrolled.top, zoomed.top - (zoomed.bottom - zoomed.top) / 10, 1e-9);
    for (int slot = 1; slot <= panel()->trackCount(); ++slot) {
        EXPECT_DOUBLE_EQ(track(slot)->depthRange().lo, scrolled.top) << slot;
        EXPECT_DOUBLE_EQ(track(slot)->depthRange().hi, scrolled.bottom) << slot;
    }
    // A rectangle zoom opens the zoomed part in a zoom window; the track stays on the range
    // of the window's other tracks.
    QCustomPlot* plot2 = track(2)->plot();
    const QPoint from = inPlot(*track(2), scrolled.top + (scrolled.bottom - scrolled.top) / 4);
    const QPoint to = from + QPoint(30, 60);
    QTest::mousePress(plot2, Qt::LeftButton, {}, from - QPoint(30, 0));
    QTest::mouseMove(plot2, to);
    QTest::mouseRelease(plot2, Qt::LeftButton, {}, to);
    QApplication::processEvents();
    EXPECT_EQ(form_->displaySubsystem().trackCommands()->zoomWindows().size(), 1u);
    EXPECT_DOUBLE_EQ(track(2)->depthRange().lo, scrolled.top);
    EXPECT_DOUBLE_EQ(track(2)->depthRange().hi, scrolled.bottom);

    // Far past the top the range stops at the top of the well.
    turnWheel(*track(1), inPlot(*track(1), 2001.0), 30);
    EXPECT_DOUBLE_EQ(nav->shown().top, whole.top);

    // The depth-range box shows the range and takes a typed one; "Whole well" goes back.
    auto* top = form_->graphPage()->findChild<QDoubleSpinBox*>("DepthTop");
    auto* bottom = form_->graphPage()->findChild<QDoubleSpinBox*>("DepthBottom");
    auto* wholeWell = form_->graphPage()->findChild<QPushButton*>("WholeWell");
    ASSERT_TRUE(top && bottom && wholeWell);
    EXPECT_NEAR(top->value(), whole.top, 0.01);
    bottom->setValue(2000.5);  // typed above the top: taken the other way round
    top->setValue(2001.5);
    emit top->editingFinished();
    EXPECT_DOUBLE_EQ(track(4)->depthRange().lo, 2000.5);
    EXPECT_DOUBLE_EQ(track(4)->depthRange().hi, 2001.5);
    wholeWell->click();
    for (int slot = 1; slot <= panel()->trackCount(); ++slot)
        EXPECT_DOUBLE_EQ(track(slot)->depthRange().lo, whole.top) << slot;
}

TEST_F(DepthCursorTest, TracksHideMoveAndWidenAndAHiddenTrackStaysHiddenAfterAFilter) {
    // "Hide Track" from track 2's menu; its neighbour takes its place.
    const int left2 = track(2)->x();
    QAction* hide = nullptr;
    for (QAction* a : track(2)->popupMenu()->actions())
        if (a->text() == "Hide Track") hide = a;
    ASSERT_NE(hide, nullptr);
    hide->trigger();
    EXPECT_TRUE(track(2)->isHidden());
    EXPECT_EQ(track(3)->x(), left2);
    // The hidden curve leaves the read-out.
    QTest::mouseMove(track(1)->plot(), inPlot(*track(1), 2001.0));
    for (const auto& r : cursor()->readings()) EXPECT_NE(r.name, "DT");

    // The right border of track 1 dragged 40 pixels widens it.
    QCustomPlot* plot1 = track(1)->plot();
    const int w1 = track(1)->width();
    const QPoint border(plot1->width() - 2, plot1->height() / 2);
    QTest::mousePress(plot1, Qt::LeftButton, {}, border);
    QTest::mouseMove(plot1, border + QPoint(40, 0));
    QTest::mouseRelease(plot1, Qt::LeftButton, {}, border + QPoint(40, 0));
    EXPECT_EQ(track(1)->width(), w1 + 40);
    EXPECT_EQ(track(3)->x(), track(1)->x() + w1 + 40);

    // Track 4's title dragged left of track 1 puts it first.
    QCustomPlot* plot4 = track(4)->plot();
    const QPoint title(20, 3);
    const QPoint target =
        plot4->mapFrom(form_->graphPage(), QPoint(track(1)->x() + 10, track(1)->y() + 3));
    QTest::mousePress(plot4, Qt::LeftButton, {}, title);
    QTest::mouseMove(plot4, target);
    QTest::mouseRelease(plot4, Qt::LeftButton, {}, target);
    const auto arranged = panel()->arrangement();
    ASSERT_FALSE(arranged.tracks.empty());
    EXPECT_EQ(arranged.tracks.front().slot, 4);
    EXPECT_LT(track(4)->x(), track(1)->x());
    // The read-out lists the curves as they stand now.
    QTest::mouseMove(track(1)->plot(), inPlot(*track(1), 2001.0));
    const auto readings = cursor()->readings();
    ASSERT_GE(readings.size(), 3u);
    EXPECT_EQ(readings[1].name, "GR");
    EXPECT_EQ(readings[2].name, "RHOB");

    // A filter keeps the arrangement: track 2 stays hidden, the others where they were.
    form_->tablePage()->filterLowBox()->setValue(2000.5);
    form_->tablePage()->filterHighBox()->setValue(2002.0);
    ASSERT_TRUE(form_->commands().run(CommandId::ApplyFilter));
    QApplication::processEvents();
    EXPECT_TRUE(track(2)->isHidden());
    EXPECT_EQ(panel()->arrangement(), arranged);
    ASSERT_TRUE(form_->commands().run(CommandId::UndoFilter));
    EXPECT_TRUE(track(2)->isHidden());

    // The arrangement is a value given back whole; the last shown track cannot be hidden.
    auto all = arranged;
    for (auto& p : all.tracks) p.shown = p.slot == 1;
    panel()->setArrangement(all);
    EXPECT_TRUE(track(3)->isHidden());
    panel()->setTrackShown(1, false);
    EXPECT_FALSE(track(1)->isHidden());
}

TEST_F(DepthCursorTest, TheTabsStayInViewWhenTheGraphPageIsScrolledRight) {
    auto wide = panel()->arrangement();
    for (auto& p : wide.tracks) p.width = 500;
    panel()->setArrangement(wide);
    QApplication::processEvents();
    QScrollBar* across = form_->scrollArea()->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    across->setValue(across->maximum());
    QTabBar* tabs = form_->pageControl()->tabBar();
    const QPoint left = tabs->mapTo(form_->scrollArea()->viewport(), QPoint(0, 0));
    EXPECT_GE(left.x(), 0);
    EXPECT_LE(left.x() + tabs->width(), form_->scrollArea()->viewport()->width());
    across->setValue(0);
    EXPECT_EQ(tabs->mapTo(form_->scrollArea()->viewport(), QPoint(0, 0)).x(), left.x());
}

TEST_F(DepthCursorTest, TheElasticCorrelationsWindowHasTheCursorAndTheNavigation) {
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    ASSERT_FALSE(form_->workspace().elastic().isEmpty());
    seam_->onDialog = [](QDialog& d) -> int {
        if (auto* s = qobject_cast<Tdgselection*>(&d)) {
            s->confirm();  // the curves it proposes
            return s->result();
        }
        return int(QDialog::Accepted);
    };
    form_->commands().run(CommandId::ElasticCorrelations);
    const auto windows = form_->displaySubsystem().elasticCorrelations()->windows();
    ASSERT_FALSE(windows.empty());
    TElasticCorrelationPage* w = windows.back();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QApplication::processEvents();
    DepthChart* first = w->track(1);
    QTest::mouseMove(first->plot(), inPlot(*first, 2001.0));
    for (int k = 1; k <= TElasticCorrelationPage::kTrackCount; ++k)
        EXPECT_EQ(w->track(k)->cursorDepth(), first->cursorDepth()) << k;
    turnWheel(*w->track(5), inPlot(*w->track(5), 2001.0), 1, Qt::ControlModifier);
    for (int k = 2; k <= TElasticCorrelationPage::kTrackCount; ++k)
        EXPECT_DOUBLE_EQ(w->track(k)->depthRange().lo, first->depthRange().lo) << k;
}

}  // namespace
}  // namespace lithora::test
