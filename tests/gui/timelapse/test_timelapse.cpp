// The time-lapse window and its print preview, driven through the dialog seam.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>

#include "core/workspace/workspace.h"
#include "gui/display/depth_chart.h"
#include "gui/timelapse/lapse_controller.h"
#include "gui/timelapse/lapse_page.h"
#include "gui/timelapse/lapse_print.h"
#include "gui/timelapse/track_selection.h"
#include "gui/widgets/page_header.h"
#include "gui/widgets/track_sheet.h"
#include "support/pdf_check.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"

namespace {

using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;
constexpr double kTol = 1e-9;

std::string las(const std::string& data, const std::string& nullValue = "-999.25") {
    return "~VERSION INFORMATION\n"
           " VERS.   2.0 :\n"
           " WRAP.   NO  :\n"
           "~WELL INFORMATION\n"
           " NULL.   " +
           nullValue +
           " : NULL VALUE\n"
           "~CURVE INFORMATION\n"
           " DEPT.M    : DEPTH\n"
           " GR.GAPI   : GAMMA RAY\n"
           " RHOB.G/CC : DENSITY\n"
           "~A\n" +
           data;
}

const char* kFirst =
    "1500.0 40 2.30\n"
    "1500.5 50 2.31\n"
    "1501.0 60 2.32\n"
    "1501.5 70 2.33\n"
    "1502.0 80 2.34\n";
// Logged again: the gamma ray higher by 5 and one sample null.
const char* kSecond =
    "1500.0 45 2.30\n"
    "1500.5 55 2.31\n"
    "1501.0 -999.25 2.32\n"
    "1501.5 75 2.33\n"
    "1502.0 85 2.34\n";

QPushButton* button(QWidget& w, const char* name) {
    auto* b = w.findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

class TimeLapseTest : public ::testing::Test {
  protected:
    ProgramFolder folder;
    lithora::workspace::Workspace ws{folder.path()};
    RecordingSeam seam;
    // The curve "LAS Tracks" chooses (1 = the first after the depth); 0 presses Cancel, -1
    // closes it with its close box.
    int choice = 1;
    std::function<int(QDialog&)> onOtherDialog = [](QDialog&) { return int(QDialog::Rejected); };

    CommandContext context() {
        return {ws, seam, nullptr, [](const QString&) {}, [] { return true; }};
    }

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        seam.onDialog = [this](QDialog& d) {
            if (auto* s = qobject_cast<TTrackSelection*>(&d)) {
                if (choice == -1) return int(QDialog::Rejected);
                if (choice == 0) {
                    button(*s, "cancelButton")->click();
                } else {
                    s->list()->setCurrentIndex(choice - 1);
                    button(*s, "okButton")->click();
                }
                return s->result();
            }
            return onOtherDialog(d);
        };
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    QString write(const std::string& name, const std::string& bytes) {
        return QString::fromStdString(folder.write(name, bytes).string());
    }

    // Opens a file into chart 1 or 2 with the given curve.
    void open(TTLapse& w, int chart, const QString& file, int curve) {
        seam.openFile = file;
        choice = curve;
        button(w, chart == 1 ? "openFirstButton" : "openSecondButton")->click();
    }

    // Which buttons are enabled, by name.
    static std::map<std::string, bool> states(TTLapse& w) {
        std::map<std::string, bool> out;
        for (const char* n :
             {"openFirstButton", "clearFirstButton", "openSecondButton", "clearSecondButton",
              "calculateButton", "clearAllButton", "printButton"})
            out[n] = button(w, n)->isEnabled();
        return out;
    }
    static std::map<std::string, bool> expect(bool open2, bool clear1, bool clear2, bool calculate,
                                              bool clearAll, bool print) {
        return {{"openFirstButton", true},      {"openSecondButton", open2},
                {"clearFirstButton", clear1},   {"clearSecondButton", clear2},
                {"calculateButton", calculate}, {"clearAllButton", clearAll},
                {"printButton", print}};
    }
};

TEST_F(TimeLapseTest, ButtonsFollowEachStep) {
    TTLapse w(context());
    w.show();
    EXPECT_EQ(w.windowTitle(), "Time Laps");
    EXPECT_EQ(states(w), expect(false, false, false, false, false, false));

    open(w, 1, write("a.las", las(kFirst)), 1);
    EXPECT_EQ(states(w), expect(true, true, false, false, true, false));
    open(w, 2, write("b.las", las(kSecond)), 1);
    EXPECT_EQ(states(w), expect(true, true, true, true, true, false));
    button(w, "calculateButton")->click();
    EXPECT_EQ(states(w), expect(true, true, true, false, true, true));

    // A difference belongs to the curves it came from: clearing one of them removes it.
    button(w, "clearFirstButton")->click();
    EXPECT_FALSE(w.hasCurve(1));
    EXPECT_FALSE(w.hasCurve(3));
    EXPECT_EQ(w.chart(3)->pointCount(), 0);
    EXPECT_EQ(states(w), expect(true, false, true, false, true, false));

    button(w, "clearAllButton")->click();
    EXPECT_EQ(states(w), expect(false, false, false, false, false, false));
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(w.chart(n)->pointCount(), 0) << n;
}

TEST_F(TimeLapseTest, DifferenceIsSecondMinusFirstWithNullAsGap) {
    TTLapse w(context());
    open(w, 1, write("a.las", las(kFirst)), 1);
    open(w, 2, write("b.las", las(kSecond)), 1);
    // each chart names its curve and the file it came from
    EXPECT_EQ(w.chart(1)->title(), "GR\na.las");
    EXPECT_EQ(w.chart(2)->title(), "GR\nb.las");
    EXPECT_EQ(w.chart(1)->depthTitle(), "Depth(m)");
    button(w, "calculateButton")->click();
    ASSERT_TRUE(w.difference());
    DepthChart* d = w.chart(3);
    EXPECT_EQ(d->title(), "Difference");
    EXPECT_EQ(d->seriesName(), "T_Lapse_Trace1");
    EXPECT_EQ(d->depthTitle(), "Depth(m)");
    const CurveView v = d->samples();
    ASSERT_EQ(v.size(), 5u);
    for (std::size_t i : {0u, 1u, 3u, 4u}) EXPECT_NEAR(v.values[i], 5, kTol) << i;
    EXPECT_TRUE(std::isnan(v.values[2]));
    // The null sample does not stretch the axes: whole numbers around the values.
    EXPECT_NEAR(w.chart(2)->valueRange().lo, 45, kTol);
    EXPECT_NEAR(w.chart(2)->valueRange().hi, 85, kTol);
    EXPECT_EQ(w.chart(2)->valueLabels(), (std::vector<QString>{"45", "85"}));
}

// Logs of different depth ranges share one depth scale: a depth stands on the same pixel
// row of the three charts.
TEST_F(TimeLapseTest, TheThreeChartsStandInDepthStep) {
    TTLapse w(context());
    w.show();
    const char* deeper =
        "1501.0 45 2.30\n"
        "1502.0 55 2.31\n"
        "1503.0 65 2.32\n"
        "1504.0 75 2.33\n";
    open(w, 1, write("a.las", las(kFirst)), 1);
    open(w, 2, write("b.las", las(deeper)), 1);
    QApplication::processEvents();
    for (double depth : {1500.0, 1501.5, 1504.0}) {
        const double row = w.chart(1)->pixelOf(50, depth).y();
        for (int n = 2; n <= 3; ++n)
            EXPECT_NEAR(w.chart(n)->pixelOf(50, depth).y(), row, 0.5) << n << " at " << depth;
    }
    EXPECT_EQ(w.chart(1)->plotArea().top(), w.chart(3)->plotArea().top());
    EXPECT_EQ(w.chart(2)->plotArea().bottom(), w.chart(3)->plotArea().bottom());
}

TEST_F(TimeLapseTest, TheDepthCursorAndTheWheelTakeTheThreeChartsTogether) {
    TTLapse w(context());
    w.show();
    open(w, 1, write("a.las", las(kFirst)), 1);
    open(w, 2, write("b.las", las(kFirst)), 1);
    QApplication::processEvents();
    QCustomPlot* plot = w.chart(2)->plot();
    const int row = static_cast<int>(plot->yAxis->coordToPixel(1501.0));
    QTest::mouseMove(plot, QPoint(plot->axisRect()->center().x(), row));
    ASSERT_TRUE(w.chart(2)->cursorDepth().has_value());
    for (int n : {1, 3}) EXPECT_EQ(w.chart(n)->cursorDepth(), w.chart(2)->cursorDepth()) << n;
    const QPoint at(plot->axisRect()->center().x(), row);
    QWheelEvent wheel(at, plot->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    const auto shown = w.chart(2)->depthRange();
    EXPECT_LT(shown.hi - shown.lo, w.chart(2)->ownDepthRange().hi - w.chart(2)->ownDepthRange().lo);
    for (int n : {1, 3}) {
        EXPECT_DOUBLE_EQ(w.chart(n)->depthRange().lo, shown.lo) << n;
        EXPECT_DOUBLE_EQ(w.chart(n)->depthRange().hi, shown.hi) << n;
    }
}

TEST_F(TimeLapseTest, OpenAgainReplacesTheCurve) {
    TTLapse w(context());
    const QString a = write("a.las", las(kFirst));
    open(w, 1, a, 1);
    open(w, 2, write("b.las", las(kSecond)), 1);
    button(w, "calculateButton")->click();
    open(w, 1, a, 2);
    EXPECT_EQ(w.chart(1)->title(), "RHOB\na.las");
    EXPECT_EQ(w.chart(1)->pointCount(), 5);
    EXPECT_NEAR(w.chart(1)->samples().values[0], 2.30, kTol);
    // The old difference is gone and can be computed again from the new pair.
    EXPECT_FALSE(w.hasCurve(3));
    EXPECT_TRUE(button(w, "calculateButton")->isEnabled());
}

TEST_F(TimeLapseTest, CancelOfLasTracksChangesNothing) {
    TTLapse w(context());
    const QString a = write("a.las", las(kFirst));
    open(w, 1, a, 1);
    const auto before = states(w);
    for (int cancel : {0, -1}) {  // the Cancel button and the close box
        open(w, 1, a, cancel);
        EXPECT_EQ(w.chart(1)->title(), "GR\na.las") << cancel;
        EXPECT_EQ(w.chart(1)->pointCount(), 5) << cancel;
        EXPECT_EQ(states(w), before) << cancel;
        // "Clear" still removes the curve shown before.
        EXPECT_TRUE(w.hasCurve(1));
    }
    // A cancelled file dialog reads nothing.
    open(w, 1, QString(), 2);
    EXPECT_EQ(w.chart(1)->title(), "GR\na.las");
}

TEST_F(TimeLapseTest, FaultsAreReportedAndChangeNothing) {
    TTLapse w(context());
    open(w, 1, write("a.las", las(kFirst)), 1);
    const auto before = states(w);
    open(w, 1, write("bad.las", "~VERSION\n VERS. 2.0 :\n"), 1);
    ASSERT_EQ(seam.messageTexts().size(), 1u);
    // the first line as always, then the file and why
    EXPECT_TRUE(seam.messageTexts().back().startsWith("Error reading file.\n"));
    EXPECT_TRUE(seam.messageTexts().back().contains("bad.las: "))
        << seam.messageTexts().back().toStdString();
    EXPECT_EQ(w.chart(1)->title(), "GR\na.las");
    EXPECT_EQ(states(w), before);

    struct Case {
        const char* data;
        const char* message;
    } cases[] = {
        {"1499.5 1 1\n1500.0 40 2.30\n1502.0 80 2.34\n", "Two logs have different start depths."},
        {"1500.0 40 2.30\n1503.0 80 2.34\n", "Two logs have different end depths."},
    };
    for (const Case& c : cases) {
        open(w, 2, write("c.las", las(c.data)), 1);
        button(w, "calculateButton")->click();
        EXPECT_EQ(seam.messageTexts().back(), c.message);
        EXPECT_FALSE(w.hasCurve(3));
    }
}

TEST_F(TimeLapseTest, WideningByThirtyPixelsWidensEachChartByTen) {
    TTLapse w(context());
    w.show();
    ASSERT_EQ(w.size(), QSize(719, 705));
    EXPECT_EQ(w.chartFrame(1)->geometry(), QRect(88, 40, 201, 625));
    EXPECT_EQ(w.chartFrame(2)->geometry(), QRect(296, 40, 201, 625));
    EXPECT_EQ(w.chartFrame(3)->geometry(), QRect(504, 40, 201, 625));
    w.resize(749, 725);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(w.chartFrame(n)->width(), 211) << n;
        EXPECT_EQ(w.chartFrame(n)->height(), 645) << n;
    }
    EXPECT_EQ(w.chartFrame(2)->x(), w.chartFrame(1)->geometry().right() + 1 + 7);
    EXPECT_EQ(w.chartFrame(3)->x(), w.chartFrame(2)->geometry().right() + 1 + 7);
    EXPECT_EQ(button(w, "openSecondButton")->x(), w.chartFrame(2)->x() + 8);
    EXPECT_EQ(button(w, "clearAllButton")->x(), w.chartFrame(3)->x() + 88);
    EXPECT_EQ(button(w, "printButton")->y(), 725 - 65);
    // Back to the first size: nothing drifts.
    w.resize(719, 705);
    EXPECT_EQ(w.chartFrame(3)->geometry(), QRect(504, 40, 201, 625));
}

TEST_F(TimeLapseTest, MainCommandShowsTheWindowModally) {
    LapseController controller(context());
    bool shown = false;
    onOtherDialog = [&](QDialog& d) {
        shown = qobject_cast<TTLapse*>(&d) != nullptr;
        return int(QDialog::Rejected);
    };
    controller.showTimeLapse();
    EXPECT_TRUE(shown);
}

class LapsePrintTest : public TimeLapseTest {
  protected:
    void computed(TTLapse& w) {
        open(w, 1, write("a.las", las(kFirst)), 1);
        open(w, 2, write("b.las", las(kSecond)), 1);
        button(w, "calculateButton")->click();
        ASSERT_TRUE(w.hasCurve(3));
    }
    // The chart files in the program folder: none, as every copy is made in memory.
    QStringList chartFiles() const {
        return QDir(folder.qpath()).entryList({QStringLiteral("*.tee")}, QDir::Files);
    }
    static void tick(TLapsePrint& p, int row, bool on) {
        p.checkList()->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
};

TEST_F(LapsePrintTest, CopiesComeInOrderDifferenceSecondFirstAndNoFileHoldsThem) {
    TTLapse w(context());
    computed(w);
    bool ran = false;
    onOtherDialog = [&](QDialog& d) {
        auto* p = qobject_cast<TLapsePrint*>(&d);
        if (!p) return int(QDialog::Rejected);
        ran = true;
        p->show();
        EXPECT_EQ(p->windowTitle(), "Print");
        QStringList entries;
        for (int i = 0; i < p->checkList()->count(); ++i) {
            entries << p->checkList()->item(i)->text();
            EXPECT_EQ(p->checkList()->item(i)->checkState(), Qt::Unchecked);
        }
        EXPECT_EQ(entries, (QStringList{"First Log", "Second Log", "Difference Log"}));
        EXPECT_EQ(chartFiles(), QStringList());  // the copies are made in memory
        // A copy holds the chart's curve and its whole-number axis.
        EXPECT_EQ(p->copy(3)->pointCount(), 5);
        EXPECT_EQ(p->copy(2)->valueLabels(), (std::vector<QString>{"45", "85"}));
        EXPECT_FALSE(button(*p, "printButton")->isEnabled());  // nothing ticked: nothing to print

        tick(*p, 2, true);
        EXPECT_EQ(p->previewList(), (std::vector<QCustomPlot*>{p->copy(3)->plot()}));
        for (int row : {0, 1}) tick(*p, row, true);
        EXPECT_EQ(p->previewList(),
                  (std::vector<QCustomPlot*>{p->copy(3)->plot(), p->copy(2)->plot(),
                                             p->copy(1)->plot()}));
        // The first log lies on top where charts are dragged over one another.
        EXPECT_EQ(p->page()->charts().front(), p->copy(1)->plot());
        EXPECT_TRUE(button(*p, "printButton")->isEnabled());

        auto* style = p->findChild<QComboBox*>("orientationBox");
        EXPECT_EQ(style->currentText(), "Portrait");
        EXPECT_EQ(p->page()->orientation(), QPageLayout::Portrait);
        EXPECT_LT(p->page()->sheetMm().width(), p->page()->sheetMm().height());
        style->setCurrentText("Landscape");
        EXPECT_EQ(p->page()->orientation(), QPageLayout::Landscape);
        EXPECT_GT(p->page()->sheetMm().width(), p->page()->sheetMm().height());

        // FormCanResize: the preview is the width less 250, Close follows the bottom.
        p->resize(875, 600);
        EXPECT_EQ(p->page()->width(), 625);
        EXPECT_EQ(button(*p, "closeButton")->y(), 600 - 65);
        button(*p, "closeButton")->click();
        return p->result();
    };
    button(w, "printButton")->click();
    EXPECT_TRUE(ran);
    EXPECT_EQ(chartFiles(), QStringList());
}

// At their first places, in portrait and in landscape, the three charts stand side by side in
// the window's order, each whole on the sheet, none over another, and each shows the handle of
// the corner that resizes it.
TEST_F(LapsePrintTest, ChartsStartSideBySideWithAVisibleHandleInEitherOrientation) {
    TTLapse w(context());
    computed(w);
    TLapsePrint p(context(), {w.chart(1), w.chart(2), w.chart(3)});
    p.show();
    for (int row : {0, 1, 2}) tick(p, row, true);
    // The page's header names each log by its curve and file, the depths logged and the date.
    EXPECT_EQ(p.page()->header(),
              "First log: GR a.las   Second log: GR b.las   Depth: 1500 - 1502   Date: " +
                  pageHeaderDate());
    auto* style = p.findChild<QComboBox*>("orientationBox");
    for (const char* orientation : {"Portrait", "Landscape", "Portrait"}) {
        SCOPED_TRACE(orientation);
        style->setCurrentText(orientation);
        TrackSheet* page = p.page();
        const QRectF sheet(QPointF(0, 0), page->sheetMm());
        std::array<QRectF, 3> places;
        for (int n = 1; n <= 3; ++n) {
            places[n - 1] = page->printRect(p.copy(n)->plot());
            EXPECT_TRUE(sheet.contains(places[n - 1])) << n;
        }
        for (int n = 0; n < 2; ++n) EXPECT_LT(places[n].right(), places[n + 1].left()) << n;

        const QImage shown = page->grab().toImage();
        const double scale = page->pxPerMm();
        for (const QRectF& place : places) {
            const QPoint inCorner =
                (page->sheetRect().topLeft() + place.bottomRight() * scale).toPoint() -
                QPoint(2, 2);
            EXPECT_EQ(shown.pixelColor(inCorner), TrackSheet::handleColour());
        }
        // The handle is the screen's only: the printed sheet has none.
        const QImage printed = page->sheetImage(scale);
        for (const QRectF& place : places) {
            const QPoint inCorner = (place.bottomRight() * scale).toPoint() - QPoint(2, 2);
            EXPECT_NE(printed.pixelColor(inCorner), TrackSheet::handleColour());
        }
    }
}

TEST_F(LapsePrintTest, ChartsAreDraggedAndResizedOnThePage) {
    TTLapse w(context());
    computed(w);
    TLapsePrint p(context(), {w.chart(1), w.chart(2), w.chart(3)});
    p.show();
    tick(p, 0, true);
    TrackSheet* page = p.page();
    QCustomPlot* plot = p.copy(1)->plot();
    const QRectF before = page->printRect(plot);
    const QRectF sheet = page->sheetRect();
    const double scale = page->pxPerMm();
    auto drag = [page](QPoint from, QPoint to) {
        QTest::mousePress(page, Qt::LeftButton, {}, from);
        QTest::mouseMove(page, to);
        QTest::mouseRelease(page, Qt::LeftButton, {}, to);
    };
    const QPoint centre = (sheet.topLeft() + before.center() * scale).toPoint();
    drag(centre, centre + QPoint(40, 20));
    const QRectF moved = page->printRect(plot);
    EXPECT_NEAR((moved.left() - before.left()) * scale, 40, 1);
    EXPECT_NEAR((moved.top() - before.top()) * scale, 20, 1);
    EXPECT_NEAR(moved.width(), before.width(), 1e-6);

    // The lower right corner resizes.
    const QPoint corner = (sheet.topLeft() + moved.bottomRight() * scale).toPoint() - QPoint(2, 2);
    drag(corner, corner + QPoint(30, 10));
    const QRectF resized = page->printRect(plot);
    EXPECT_NEAR(resized.topLeft().x(), moved.topLeft().x(), 1e-6);
    EXPECT_NEAR((resized.width() - moved.width()) * scale, 30, 1);
    EXPECT_NEAR((resized.height() - moved.height()) * scale, 10, 1);

    // Unticked and ticked again, the chart comes back where it was left.
    tick(p, 0, false);
    tick(p, 0, true);
    EXPECT_EQ(page->printRect(plot), resized);
}

TEST_F(LapsePrintTest, AChartWithoutCurveCannotBeTicked) {
    TTLapse w(context());
    open(w, 1, write("a.las", las(kFirst)), 1);
    TLapsePrint p(context(), {w.chart(1), w.chart(2), w.chart(3)});
    EXPECT_TRUE(p.checkList()->item(0)->flags() & Qt::ItemIsEnabled);
    for (int row : {1, 2}) EXPECT_FALSE(p.checkList()->item(row)->flags() & Qt::ItemIsEnabled);
    EXPECT_EQ(p.copy(2), nullptr);
    EXPECT_TRUE(seam.messageTexts().empty());
}

TEST_F(LapsePrintTest, PrintWithoutPrinterWritesOnePdfPageAndSaveWritesABitmap) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    TTLapse w(context());
    computed(w);
    TLapsePrint p(context(), {w.chart(1), w.chart(2), w.chart(3)});
    p.show();
    for (int row : {0, 1, 2}) tick(p, row, true);
    seam.saveFile = folder.qfile("lapse.pdf");
    button(p, "printButton")->click();
    const PdfCheck pdf = checkPdf(seam.saveFile);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_FALSE(pdf.landscape);
    EXPECT_GT(pdf.inkFraction, 0.01);

    seam.saveFile = folder.qfile("lapse.bmp");
    button(p, "saveButton")->click();
    EXPECT_EQ(seam.savesAsked.back(), "Save as Bitmap");
    QImage bmp;
    ASSERT_TRUE(bmp.load(seam.saveFile, "BMP"));
    EXPECT_LT(bmp.width(), bmp.height());
    long ink = 0;
    for (int y = 0; y < bmp.height(); y += 2)
        for (int x = 0; x < bmp.width(); x += 2) ink += qGray(bmp.pixel(x, y)) < 200;
    EXPECT_GT(ink, 100);
}

}  // namespace
