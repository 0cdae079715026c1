#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>

#include "core/common/error.h"
#include "core/compute/elastic.h"
#include "core/store/table.h"
#include "gui/display/depth_chart.h"
#include "gui/display/track_panel.h"
#include "support/elastic_captions.h"
#include "support/palette.h"
#include "support/pointer.h"
#include "support/test_paths.h"

namespace {

using lithora::store::FieldType;
using lithora::store::Table;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTol = 1e-9;

// A program folder whose "Patterns" folder is the one the build made.
class ProgramFolder {
  public:
    ProgramFolder() {
        std::filesystem::copy(LITHORA_PATTERNS_DIR, dir_.filePath("Patterns").toStdString(),
                              std::filesystem::copy_options::recursive);
    }
    QString path() const { return dir_.path(); }
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(dir_.filePath(name).toStdString());
    }

  private:
    QTemporaryDir dir_;
};

// A source table as a reader leaves it: Rec, the depth, one float field per curve (with its
// display label), Counting.
std::unique_ptr<Table> sourceTable(const std::filesystem::path& file,
                                   const std::vector<std::vector<double>>& curves,
                                   const std::vector<double>& depths) {
    auto t = std::make_unique<Table>(file);
    t->addFieldDef({"Rec", FieldType::Integer});
    t->addFieldDef({"DEPTH", FieldType::Float});
    for (std::size_t c = 0; c < curves.size(); ++c)
        t->addFieldDef({"C" + std::to_string(c + 1), FieldType::Float});
    t->addFieldDef({"Counting", FieldType::Float});
    t->createTable();
    t->open();
    t->setDisplayLabel(1, "DEPT(M)");
    for (std::size_t c = 0; c < curves.size(); ++c)
        t->setDisplayLabel(static_cast<int>(c) + 2, "C" + std::to_string(c + 1) + "(U)");
    std::vector<Table::BulkColumn> cols(curves.size() + 3);
    for (std::size_t r = 0; r < depths.size(); ++r)
        cols[0].integers.push_back(static_cast<std::int32_t>(r + 1));
    cols[1].floats = depths;
    for (std::size_t c = 0; c < curves.size(); ++c) cols[c + 2].floats = curves[c];
    t->loadColumns(std::move(cols));
    return t;
}

std::unique_ptr<Table> elasticTable(const std::filesystem::path& file) {
    using namespace lithora::compute;
    auto t = std::make_unique<Table>(file);
    for (const char* name : kElasticFieldNames) t->addFieldDef({name, FieldType::Float});
    t->createTable();
    t->open();
    for (int i = 0; i < kElasticFieldCount; ++i)
        if (kElasticFieldLabels[static_cast<std::size_t>(i)])
            t->setDisplayLabel(i, kElasticFieldLabels[static_cast<std::size_t>(i)]);
    return t;
}

QColor rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

// Pixels of a rendered track that carry the series' red ink (antialiased edges included).
bool reddish(QRgb p) {
    return qRed(p) > 180 && qRed(p) - std::max(qGreen(p), qBlue(p)) > 60;
}

int redPixelsInRow(const QImage& image, int y, int x0, int x1) {
    int n = 0;
    for (int x = std::max(x0, 0); x <= std::min(x1, image.width() - 1); ++x)
        if (reddish(image.pixel(x, y))) ++n;
    return n;
}

class TrackPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        page_ = std::make_unique<QWidget>();
        page_->resize(4000, 610);
        page_->show();
        panel_ = std::make_unique<TrackPanel>(page_.get(), folder_.path());
    }
    void TearDown() override {
        panel_.reset();
        QLocale::setDefault(QLocale::system());
    }

    // Lays the track out and draws it now, as the user would see it.
    QImage render(DepthChart* t) {
        t->plot()->replot();
        return t->grab().toImage();
    }

    ProgramFolder folder_;
    std::unique_ptr<QWidget> page_;
    std::unique_ptr<TrackPanel> panel_;
};

TEST_F(TrackPanelTest, OneTrackPerCurveSideBySideWithTitlesAndPaletteColours) {
    std::vector<std::vector<double>> curves(10, std::vector<double>{1, 2, 3});
    auto source = sourceTable(folder_.file("Table.db"), curves, {100, 101, 102});
    panel_->buildSourceTracks(*source);

    ASSERT_EQ(panel_->sourceTrackCount(), 10);  // Rec, the depth and Counting get no track
    ASSERT_EQ(panel_->trackCount(), 10);
    for (int slot = 1; slot <= 10; ++slot) {
        DepthChart* t = panel_->track(slot);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->geometry(), QRect(488 + 150 * (slot - 1), 5, 150, 565)) << slot;
        EXPECT_EQ(t->parentWidget(), page_.get());
        EXPECT_EQ(t->title(), QString("C%1(U)").arg(slot));
        EXPECT_TRUE(t->titleFont().bold());
        EXPECT_EQ(t->seriesName(), QString("C%1").arg(slot));
        EXPECT_EQ(t->slot(), slot);
    }
    EXPECT_EQ(panel_->track(1)->colour(), rgb(92, 185, 0));
    EXPECT_EQ(panel_->track(4)->colour(), rgb(255, 0, 0));
    EXPECT_EQ(panel_->track(9)->colour(), rgb(128, 128, 0));  // olive
    EXPECT_EQ(panel_->track(10)->colour(), rgb(92, 185, 0));  // the palette starts again
    EXPECT_EQ(panel_->track(0), nullptr);
    EXPECT_EQ(panel_->track(11), nullptr);
}

TEST_F(TrackPanelTest, ManyCurvesGetAsManyTracks) {
    std::vector<std::vector<double>> curves(160, std::vector<double>{1});
    auto source = sourceTable(folder_.file("Table.db"), curves, {100});
    panel_->buildSourceTracks(*source);
    EXPECT_EQ(panel_->sourceTrackCount(), 160);
    EXPECT_EQ(panel_->track(160)->geometry().left(), 488 + 150 * 159);
}

TEST_F(TrackPanelTest, StairsHoldEachValueDownToTheNextSampleAndNullsAreGaps) {
    // depth 100: 10, 101: 20, 102: null, 103: 40, 104: 30
    auto source =
        sourceTable(folder_.file("Table.db"), {{10, 20, kNaN, 40, 30}}, {100, 101, 102, 103, 104});
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    DepthChart* t = panel_->track(1);
    t->setColour(rgb(255, 0, 0));
    const QImage image = render(t);

    // Deeper is lower.
    EXPECT_LT(t->pixelOf(10, 100).y(), t->pixelOf(10, 101).y());
    EXPECT_LT(t->pixelOf(10, 103).y(), t->pixelOf(10, 104).y());

    auto inkNear = [&](double value, double depth) {
        const QPointF p = t->pixelOf(value, depth);
        return redPixelsInRow(image, qRound(p.y()), qRound(p.x()) - 2, qRound(p.x()) + 2);
    };
    const QRect area = t->plotArea();
    auto inkInRow = [&](double depth) {
        return redPixelsInRow(image, qRound(t->pixelOf(0, depth).y()), area.left() + 3,
                              area.right() - 3);
    };
    // Between 100 and 101 the curve stands at 10, not yet at 20.
    EXPECT_GT(inkNear(10, 100.5), 0);
    EXPECT_EQ(inkNear(20, 100.5), 0);
    EXPECT_GT(inkNear(20, 101.5), 0);
    // The null sample at 102 leaves its step empty.
    EXPECT_EQ(inkInRow(102.5), 0);
    EXPECT_GT(inkNear(40, 103.5), 0);
}

TEST_F(TrackPanelTest, ANullStretchInALongCurveStaysAGap) {
    // Long enough for the plot to thin the curve out per pixel row.
    std::vector<double> depths, values;
    for (int i = 0; i < 200000; ++i) {
        depths.push_back(1000 + 0.1 * i);
        values.push_back(i >= 80000 && i < 100000 ? kNaN : 50 + 40 * std::sin(i / 500.0));
    }
    auto source = sourceTable(folder_.file("Table.db"), {values}, depths);
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    DepthChart* t = panel_->track(1);
    t->setColour(rgb(255, 0, 0));
    const QImage image = render(t);
    const QRect area = t->plotArea();
    auto inkInRow = [&](double depth) {
        return redPixelsInRow(image, qRound(t->pixelOf(0, depth).y()), area.left() + 3,
                              area.right() - 3);
    };
    EXPECT_GT(inkInRow(5000), 0);
    EXPECT_EQ(inkInRow(9100), 0);  // inside the null stretch 9000 .. 10999.9
    EXPECT_EQ(inkInRow(10500), 0);
    EXPECT_GT(inkInRow(15000), 0);
}

TEST_F(TrackPanelTest, ValueAxisFitsTheCurveWithTwoBoldEndLabelsInsideTheTrack) {
    auto source = sourceTable(folder_.file("Table.db"), {{10, 200, 55}}, {100, 101, 102});
    panel_->buildSourceTracks(*source);
    panel_->rescaleTrack(1);
    DepthChart* t = panel_->track(1);
    EXPECT_NEAR(t->valueRange().lo, 9.9, kTol);
    EXPECT_NEAR(t->valueRange().hi, 202.0, kTol);
    EXPECT_EQ(t->valueLabels(), (std::vector<QString>{"9.9", "202"}));

    const QImage image = render(t);
    const auto labels = t->drawnLabels();
    ASSERT_EQ(labels.size(), 2u);
    const QRect area = t->plotArea();
    EXPECT_EQ(labels[0].text, "9.9");
    EXPECT_EQ(labels[0].placement, EndLabelPlacement::Left);
    EXPECT_TRUE(labels[0].bold);
    EXPECT_EQ(labels[1].text, "202");
    EXPECT_EQ(labels[1].placement, EndLabelPlacement::Right);
    EXPECT_TRUE(labels[1].bold);
    // Both stand above the plotting area, the first starting at its left edge, the second
    // ending at its right edge, inside the track.
    for (const auto& l : labels) {
        EXPECT_LE(l.rect.bottom(), area.top());
        EXPECT_GE(l.rect.left(), area.left() - 0.5);
        EXPECT_LE(l.rect.right(), area.right() + 1.5);
    }
    EXPECT_LT(labels[0].rect.center().x(), area.center().x());
    EXPECT_GT(labels[1].rect.center().x(), area.center().x());

    // And the ink is really there: dark pixels of the left text in the left part of the
    // label band, of the right text in the right part, none outside the plotting width.
    const int y0 = static_cast<int>(labels[0].rect.top());
    const int y1 = static_cast<int>(labels[0].rect.bottom());
    int minX = image.width(), maxX = -1;
    for (int y = y0; y <= y1; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    ASSERT_GE(maxX, 0) << "no label text drawn";
    const double loX = t->pixelOf(9.9, 100).x();
    const double hiX = t->pixelOf(202, 100).x();
    EXPECT_NEAR(minX, loX, 3);  // "9.9" begins over the axis' left end
    EXPECT_NEAR(maxX, hiX, 3);  // "202" ends over its right end
    EXPECT_GE(minX, area.left());
    EXPECT_LE(maxX, area.right());
}

TEST_F(TrackPanelTest, FitEdgeCases) {
    auto source = sourceTable(folder_.file("Table.db"),
                              {{-50, 50, 0}, {100, 100, 100}, {kNaN, kNaN, kNaN}}, {100, 101, 102});
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    EXPECT_NEAR(panel_->track(1)->valueRange().lo, -50.5, kTol);
    EXPECT_NEAR(panel_->track(1)->valueRange().hi, 50.5, kTol);
    EXPECT_EQ(panel_->track(1)->valueLabels(), (std::vector<QString>{"-50.5", "50.5"}));
    EXPECT_NEAR(panel_->track(2)->valueRange().lo, 99.0, kTol);
    EXPECT_NEAR(panel_->track(2)->valueRange().hi, 101.0, kTol);
    // A curve without values fits to 0 .. 0, widened so the axis can be drawn; its one
    // label stands in the middle.
    DepthChart* empty = panel_->track(3);
    EXPECT_LT(empty->valueRange().lo, 0.0);
    EXPECT_GT(empty->valueRange().hi, 0.0);
    EXPECT_EQ(empty->valueLabels(), (std::vector<QString>{"0"}));
    render(empty);
    ASSERT_EQ(empty->drawnLabels().size(), 1u);
    EXPECT_EQ(empty->drawnLabels()[0].placement, EndLabelPlacement::Centred);
    EXPECT_FALSE(empty->drawnLabels()[0].bold);
}

TEST_F(TrackPanelTest, LabelsUseTheRegionalSeparators) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto source = sourceTable(folder_.file("Table.db"), {{1000, 2000.5}}, {1, 2});
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    // 990 and 2020.505 rounded up to 2020.6
    EXPECT_EQ(panel_->track(1)->valueLabels(), (std::vector<QString>{"990", "2.020,6"}));
}

TEST_F(TrackPanelTest, RescaleFollowsTheTableFilter) {
    auto source = sourceTable(folder_.file("Table.db"), {{1, 2, 3, 4, 5, 6, 7, 8}},
                              {100, 101, 102, 103, 104, 105, 106, 107});
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    DepthChart* t = panel_->track(1);
    EXPECT_EQ(t->pointCount(), 8);
    EXPECT_NEAR(t->valueRange().hi, 8.1, kTol);

    source->setFilterRange(1, 101, 104);
    source->setFiltered(true);
    panel_->rescaleTrack(1);
    EXPECT_EQ(t->pointCount(), 4);
    EXPECT_NEAR(t->valueRange().lo, 1.9, kTol);  // 2 - 0.02
    EXPECT_NEAR(t->valueRange().hi, 5.1, kTol);  // 5 + 0.05
    EXPECT_NEAR(t->depthRange().lo, 101 - 3.0 / 98, kTol);

    source->setFiltered(false);
    panel_->rescaleAll();
    EXPECT_EQ(t->pointCount(), 8);
}

TEST_F(TrackPanelTest, AnEditedRecordIsShownWithoutARescale) {
    auto source = sourceTable(folder_.file("Table.db"), {{1, 2, 3}}, {100, 101, 102});
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    DepthChart* t = panel_->track(1);
    source->moveTo(1);
    source->edit();
    source->setFloat(2, 42);
    source->post();
    QApplication::processEvents();
    EXPECT_EQ(t->tipTextFor(1), "X: 42  Y: 101");
    EXPECT_NEAR(t->valueRange().hi, 3.1, kTol);  // the axis keeps its fit
}

TEST_F(TrackPanelTest, ElasticTracksFollowTheSourceTracksAndBindAfterTheComputation) {
    auto source = sourceTable(folder_.file("Table.db"), {{1, 2}, {3, 4}, {5, 6}}, {100, 101});
    auto elastic = elasticTable(folder_.file("ElasticTable.db"));
    panel_->buildSourceTracks(*source);
    panel_->buildElasticTracks(*elastic);

    ASSERT_EQ(panel_->trackCount(), 16);
    EXPECT_EQ(panel_->sourceTrackCount(), 3);
    for (int k = 1; k <= 13; ++k) {
        DepthChart* t = panel_->track(3 + k);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->title(), lithora::test::kElasticTrackTitles[k - 1]);
        EXPECT_EQ(t->titleFont().family(), "Arial");
        EXPECT_EQ(t->titleFont().pointSize(), 8);
        EXPECT_TRUE(t->titleFont().bold());
        EXPECT_EQ(t->geometry().left(), 788 + 150 * k);
        EXPECT_EQ(t->pointCount(), 0);  // unbound until the computation has filled the table
    }
    EXPECT_EQ(panel_->track(4)->geometry().left(), 938);
    EXPECT_EQ(panel_->track(4)->colour(), rgb(92, 185, 0));
    EXPECT_EQ(panel_->track(12)->colour(), rgb(128, 128, 0));  // k = 9
    EXPECT_EQ(panel_->track(13)->colour(), rgb(92, 185, 0));   // k = 10
    EXPECT_EQ(panel_->track(16)->colour(), rgb(255, 0, 0));    // k = 13

    std::vector<Table::BulkColumn> cols(16);
    cols[0].floats = {1, 2};
    cols[1].floats = {100, 101};
    cols[2].floats = {0.25, 0.3};  // Poisson Ratio
    elastic->loadColumns(std::move(cols));
    EXPECT_EQ(panel_->track(4)->pointCount(), 0);
    panel_->bindElasticTracks();
    EXPECT_EQ(panel_->track(4)->pointCount(), 2);
    EXPECT_NEAR(panel_->track(4)->valueRange().lo, 0.2, kTol);
    EXPECT_NEAR(panel_->track(4)->valueRange().hi, 0.4, kTol);

    // A second run replaces the elastic tracks in the same slots.
    QPointer<DepthChart> old = panel_->track(4);
    panel_->buildElasticTracks(*elastic);
    QApplication::processEvents();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(panel_->trackCount(), 16);
    EXPECT_EQ(panel_->track(4)->geometry().left(), 938);
    EXPECT_EQ(panel_->graphPageWidth(true, 1000), 3000);
    EXPECT_EQ(panel_->graphPageWidth(false, 1000), 1050);
}

// The elastic tracks have one- and two-line titles and long end labels (P-IMPEDANCE's
// "11,802.6"): every track of the page still puts a depth on the same pixel row, and no end
// label runs into a title.
TEST_F(TrackPanelTest, EveryTrackStandsInDepthStepAndEndLabelsKeepOffTheTitles) {
    const std::vector<double> depths{100, 100.5, 101};
    auto source = sourceTable(folder_.file("Table.db"), {{2.3, 2.4, 2.5}, {300, 280, 260}}, depths);
    auto elastic = elasticTable(folder_.file("ElasticTable.db"));
    panel_->buildSourceTracks(*source);
    panel_->buildElasticTracks(*elastic);
    std::vector<Table::BulkColumn> cols(16);
    cols[0].floats = {1, 2, 3};
    cols[1].floats = depths;
    for (int f = 2; f <= 14; ++f) cols[static_cast<std::size_t>(f)].floats = {0.25, 0.3, 0.28};
    cols[13].floats = {7590.4, 10941.7, 11802.6};  // P-Impedance
    cols[14].floats = {3794.9, 5012.3, 6242.2};    // S-Impedance
    cols[15].floats = {2300, 2400, 2500};
    elastic->loadColumns(std::move(cols));
    panel_->bindElasticTracks();
    panel_->rescaleAll();

    ASSERT_EQ(panel_->trackCount(), 15);
    DepthChart* first = panel_->track(1);
    int twoLineTitles = 0;
    for (int slot = 1; slot <= panel_->trackCount(); ++slot) {
        DepthChart* t = panel_->track(slot);
        SCOPED_TRACE(t->title().toStdString());
        render(t);
        for (double depth : depths)
            EXPECT_NEAR(t->pixelOf(t->valueRange().lo, depth).y(),
                        first->pixelOf(first->valueRange().lo, depth).y(), 0.5);
        const auto titles = t->titleRects();
        ASSERT_EQ(titles.size(), 1u);
        twoLineTitles += titles[0].height() > 1.5 * QFontMetrics(t->titleFont()).height();
        const auto labels = t->drawnLabels();
        ASSERT_EQ(labels.size(), 2u);
        for (const auto& l : labels) {
            EXPECT_FALSE(l.rect.intersects(QRectF(titles[0])))
                << l.text.toStdString() << " over the title";
            EXPECT_LE(l.rect.bottom(), t->plotArea().top());
        }
        EXPECT_FALSE(labels[0].rect.intersects(labels[1].rect));
    }
    EXPECT_GE(twoLineTitles, 2);  // P- and S-IMPEDANCE at least
}

TEST_F(TrackPanelTest, RemoveAllDestroysEveryTrack) {
    auto source = sourceTable(folder_.file("Table.db"), {{1, 2}, {3, 4}}, {100, 101});
    auto elastic = elasticTable(folder_.file("ElasticTable.db"));
    panel_->buildSourceTracks(*source);
    panel_->buildElasticTracks(*elastic);
    QPointer<DepthChart> first = panel_->track(1);
    QPointer<DepthChart> last = panel_->track(15);
    panel_->removeAll();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(last.isNull());
    EXPECT_EQ(panel_->trackCount(), 0);
    EXPECT_EQ(panel_->sourceTrackCount(), 0);
    EXPECT_TRUE(page_->findChildren<DepthChart*>().isEmpty());
    // The table goes on without the removed tracks listening.
    source->moveTo(0);
    source->edit();
    source->setFloat(2, 7);
    source->post();
    QApplication::processEvents();
}

TEST_F(TrackPanelTest, AMissingBackgroundBitmapFailsTheBuild) {
    QTemporaryDir bare;
    TrackPanel panel(page_.get(), bare.path());
    auto source = sourceTable(folder_.file("Table.db"), {{1, 2}}, {100, 101});
    EXPECT_THROW(panel.buildSourceTracks(*source), lithora::Error);
    EXPECT_EQ(panel.trackCount(), 0);
}

TEST_F(TrackPanelTest, ClickShowsTheValueAndDepthUnderTheMouse) {
    auto source = sourceTable(folder_.file("Table.db"), {{10, 20, 30}}, {100, 101, 102});
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    DepthChart* t = panel_->track(1);
    render(t);
    const QPoint onStep = (t->pixelOf(20, 101.5) - QPointF(t->plot()->pos())).toPoint();
    pressAndRelease(t->plot(), Qt::LeftButton, onStep);
    EXPECT_EQ(t->lastTip(), "X: 20  Y: 101");
}

TEST_F(TrackPanelTest, PopupMenuReportsTheSlot) {
    auto source = sourceTable(folder_.file("Table.db"), {{1, 2}, {3, 4}}, {100, 101});
    panel_->buildSourceTracks(*source);
    DepthChart* t = panel_->track(2);
    const auto actions = t->popupMenu()->actions();
    // The chart's five commands, then (after a separator) the arrangement of the page.
    ASSERT_EQ(actions.size(), 8);
    const char* texts[] = {"Print", "Export", "Set Min,Max", "Make Logarithmic", "Change Color"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(actions[i]->text(), texts[i]);
        EXPECT_EQ(actions[i]->data().toInt(), 2);
    }
    EXPECT_TRUE(actions[5]->isSeparator());
    EXPECT_EQ(actions[6]->text(), "Hide Track");
    EXPECT_EQ(actions[7]->text(), "Show Track");
    QSignalSpy print(panel_.get(), &TrackPanel::printRequested);
    QSignalSpy minMax(panel_.get(), &TrackPanel::minMaxRequested);
    QSignalSpy colour(panel_.get(), &TrackPanel::colourRequested);
    actions[0]->trigger();
    actions[2]->trigger();
    actions[4]->trigger();
    ASSERT_EQ(print.count(), 1);
    EXPECT_EQ(print.at(0).at(0).toInt(), 2);
    ASSERT_EQ(minMax.count(), 1);
    EXPECT_EQ(minMax.at(0).at(0).toInt(), 2);
    EXPECT_EQ(colour.count(), 1);

    t->setLogarithmic(true);
    EXPECT_EQ(actions[3]->text(), "Make Ordinal");
    t->setLogarithmic(false);
    EXPECT_EQ(actions[3]->text(), "Make Logarithmic");
}

TEST_F(TrackPanelTest, DraggingARectangleZoomsAndUndoReturnsToTheFullRange) {
    auto source =
        sourceTable(folder_.file("Table.db"), {{10, 20, 30, 40, 50}}, {100, 101, 102, 103, 104});
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    DepthChart* t = panel_->track(1);
    render(t);
    const auto full = t->valueRange();
    const auto fullDepth = t->depthRange();
    QSignalSpy zoomed(panel_.get(), &TrackPanel::zoomed);

    const QPointF offset(t->plot()->pos());
    const QPoint from = (t->pixelOf(15, 100.5) - offset).toPoint();
    const QPoint to = (t->pixelOf(35, 102.5) - offset).toPoint();
    QTest::mousePress(t->plot(), Qt::LeftButton, {}, from);
    QTest::mouseMove(t->plot(), (from + to) / 2);
    QTest::mouseMove(t->plot(), to);
    QTest::mouseRelease(t->plot(), Qt::LeftButton, {}, to);

    ASSERT_EQ(zoomed.count(), 1);
    EXPECT_EQ(zoomed.at(0).at(0).toInt(), 1);
    // The dragged part now fills the plotting area.
    render(t);
    const QRect area = t->plotArea();
    EXPECT_NEAR(t->pixelOf(15, 100.5).x(), area.left(), 4.0);
    EXPECT_NEAR(t->pixelOf(35, 100.5).x(), area.right(), 4.0);
    EXPECT_NEAR(t->pixelOf(15, 100.5).y(), area.top(), 4.0);
    EXPECT_NEAR(t->pixelOf(15, 102.5).y(), area.bottom(), 4.0);

    t->undoZoom();
    EXPECT_EQ(t->valueRange().lo, full.lo);
    EXPECT_EQ(t->valueRange().hi, full.hi);
    EXPECT_NEAR(t->depthRange().lo, fullDepth.lo, kTol);
    EXPECT_NEAR(t->depthRange().hi, fullDepth.hi, kTol);
}

TEST_F(TrackPanelTest, SetValueRangeKeepsLabelsAtTheEnds) {
    auto source = sourceTable(folder_.file("Table.db"), {{10, 20}}, {100, 101});
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    DepthChart* t = panel_->track(1);
    t->setValueRange(0, 150);
    EXPECT_EQ(t->valueLabels(), (std::vector<QString>{"0", "150"}));
    t->setValueRange(5, 5);  // not a range: ignored
    EXPECT_NEAR(t->valueRange().hi, 150, kTol);
    render(t);
    const auto labels = t->drawnLabels();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].placement, EndLabelPlacement::Left);
    EXPECT_EQ(labels[1].placement, EndLabelPlacement::Right);
}

// Draws three tracks of synthetic curves; with LITHORA_TRACKS_PNG set, saves the picture
// there for a person to look at.
TEST_F(TrackPanelTest, ThreeTracksRender) {
    std::vector<double> depths, a, b, c;
    for (int i = 0; i < 400; ++i) {
        depths.push_back(1500 + 0.5 * i);
        a.push_back(2.3 + 0.2 * std::sin(i / 15.0));
        b.push_back(i % 97 == 0 ? kNaN : 60 + 40 * std::sin(i / 40.0) + (i % 7));
        c.push_back(300 + 80 * std::cos(i / 25.0));
    }
    auto source = sourceTable(folder_.file("Table.db"), {a, b, c}, depths);
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    for (int s = 1; s <= 3; ++s) panel_->track(s)->plot()->replot();
    const QImage shot = page_->grab(QRect(480, 0, 480, 575)).toImage();
    // Each curve is drawn, in the colour of its slot.
    for (int entry = 0; entry < 3; ++entry)
        EXPECT_TRUE(lithora::test::showsColour(shot, lithora::test::trackColour(entry), 50))
            << "no curve in colour " << entry;
    const QByteArray out = qgetenv("LITHORA_TRACKS_PNG");
    if (!out.isEmpty()) {
        EXPECT_TRUE(shot.save(QString::fromLocal8Bit(out)));
    }
}

}  // namespace

namespace {

TEST_F(TrackPanelTest, LongEndLabelsDoNotRunIntoEachOther) {
    auto source = sourceTable(folder_.file("Table.db"), {{28799.5, 51467.8}}, {100, 101});
    panel_->buildSourceTracks(*source);
    panel_->rescaleAll();
    DepthChart* t = panel_->track(1);
    render(t);
    const auto labels = t->drawnLabels();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_FALSE(labels[0].rect.intersects(labels[1].rect));
    // Both stay readable (not shrunk to a few pixels) and inside the track, above its plot.
    for (const auto& l : labels) {
        EXPECT_GE(l.rect.height(), 9.0);
        EXPECT_GE(l.rect.top(), 0.0);
        EXPECT_LE(l.rect.bottom(), t->plotArea().top());
    }
}

TEST_F(TrackPanelTest, LongTitlesAreBrokenAtSpacesNotCut) {
    auto source = sourceTable(folder_.file("Table.db"), {{1, 2}}, {100, 101});
    auto elastic = elasticTable(folder_.file("ElasticTable.db"));
    panel_->buildSourceTracks(*source);
    panel_->buildElasticTracks(*elastic);
    for (int slot : {1 + 6, 1 + 12, 1 + 13}) {  // LAMBDA.RHO, P- and S-IMPEDANCE
        DepthChart* t = panel_->track(slot);
        const QImage image = render(t);
        // The title's ink stays off the track's two side edges.
        const int titleBottom = t->plot()->plotLayout()->element(0, 0)->outerRect().bottom();
        for (int y = 2; y < titleBottom; ++y) {
            EXPECT_GT(qGray(image.pixel(2, y)), 100) << t->title().toStdString() << " y " << y;
            EXPECT_GT(qGray(image.pixel(image.width() - 3, y)), 100)
                << t->title().toStdString() << " y " << y;
        }
        EXPECT_TRUE(t->title().contains(' '));  // the title itself is unchanged
    }
}

}  // namespace
