// The printing commands driven through the dialog seam on imported files: the track print
// preview, the table print into PDF files, and the column configuration of the source grid.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListView>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTest>
#include <functional>

#include "core/store/table.h"
#include "gui/app/calculation_page.h"
#include "gui/app/table_page.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/display/depth_chart.h"
#include "gui/display/track_panel.h"
#include "gui/export/litholog_panel.h"
#include "gui/export/save_controller.h"
#include "gui/import/import_controller.h"
#include "gui/print/chart_print_page.h"
#include "gui/print/column_configuration.h"
#include "gui/print/grid_print.h"
#include "gui/print/page_preview.h"
#include "gui/print/table_print.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/page_header.h"
#include "gui/widgets/table_grid.h"
#include "gui/widgets/track_sheet.h"
#include "support/main_window.h"
#include "support/pdf_check.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"

namespace {

using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;
using lithora::test::testData;

class PrintTest : public lithora::test::MainWindowTest {
  protected:
    void importLas(const char* name) {
        MainWindowTest::importLas(name);
        ASSERT_TRUE(form_->workspace().loaded()) << name;
        seam_->messages.clear();
        seam_->dialogsRun.clear();
    }
    // Runs a command whose window the test drives in `drive`; the window is then closed.
    template <class Window>
    int runWindow(CommandId command, std::function<void(Window&)> drive) {
        int runs = 0;
        seam_->onDialog = [&](QDialog& d) {
            auto* w = qobject_cast<Window*>(&d);
            if (!w) return int(QDialog::Accepted);  // a printer dialog, ...
            ++runs;
            drive(*w);
            w->done(QDialog::Accepted);
            return w->result();
        };
        form_->commands().run(command);
        seam_->onDialog = [](QDialog&) { return int(QDialog::Accepted); };
        return runs;
    }
    // The chart files in the program folder: none, as every copy is made in memory.
    QStringList chartFiles() const {
        return QDir(folder_.qpath()).entryList({QStringLiteral("*.tee")}, QDir::Files);
    }
};

// The share of an image's pixels that are not white.
double inkShare(const QImage& image) {
    long ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 200;
    return double(ink) / (double(image.width()) * image.height());
}

void tick(QListWidget* list, int entry, bool on = true) {
    list->item(entry)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

TEST_F(PrintTest, TrackListOfThreeCurvesCopiedInMemory) {
    // Nothing to print on an empty workspace: no window.
    EXPECT_EQ(runWindow<TChartPrintP>(CommandId::PrintTracks, [](TChartPrintP&) {}), 0);

    importLas("print/three_curves.las");
    const int runs = runWindow<TChartPrintP>(CommandId::PrintTracks, [&](TChartPrintP& w) {
        QListWidget* list = w.tracksList();
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), "RHOB(G/CC)");
        EXPECT_EQ(list->item(1)->text(), "DT(US/M)");
        EXPECT_EQ(list->item(2)->text(), "GR(GAPI)");
        for (int e = 0; e < 3; ++e) EXPECT_EQ(list->item(e)->checkState(), Qt::Unchecked);
        EXPECT_EQ(chartFiles(), QStringList());
        EXPECT_EQ(w.styleBox()->currentText(), "Portrait");
        EXPECT_TRUE(w.sheet()->charts().empty());
        // The copy is prepared for the sheet: 170 wide, the depth title of the log, the
        // value axis fitted to its curve (GR 45 .. 75 -> 44.5 .. 75.8).
        DepthChart* gr = w.printCopy(3);
        ASSERT_NE(gr, nullptr);
        EXPECT_EQ(gr->width(), 170);
        EXPECT_EQ(gr->depthTitle(), "DEPT(M)");
        EXPECT_NEAR(gr->valueRange().lo, 44.5, 1e-9);
        EXPECT_NEAR(gr->valueRange().hi, 75.8, 1e-9);
    });
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(chartFiles(), QStringList());
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(PrintTest, ElasticEntriesShowTheirOwnTracksAndTheSheetPrintsOnePage) {
    importLas("cli/well.las");
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    TrackPanel* panel = form_->trackPanel();
    ASSERT_EQ(panel->trackCount(), 4 + 13);
    const QString pdf = folder_.qfile("tracks.pdf");
    const QString bmp = folder_.qfile("tracks.bmp");
    double sheetInk = 0;

    runWindow<TChartPrintP>(CommandId::PrintTracks, [&](TChartPrintP& w) {
        QListWidget* list = w.tracksList();
        ASSERT_EQ(list->count(), 4 + 13);
        // Every elastic entry carries the title of the track it shows, impedances included.
        for (int slot = 5; slot <= 17; ++slot) {
            EXPECT_EQ(list->item(slot - 1)->text(), panel->track(slot)->title()) << slot;
        }
        EXPECT_EQ(chartFiles(), QStringList());
        EXPECT_EQ(list->item(16)->text(), "S-IMPEDANCE (Mg/sm2)");

        // Ticking the Vp entry shows the copy of the Vp track: its curve and range.
        tick(list, 4 + 8);
        ASSERT_EQ(w.sheet()->charts().size(), 1u);
        QCustomPlot* shown = w.sheet()->charts().front();
        EXPECT_EQ(shown, w.printCopy(13)->plot());
        EXPECT_EQ(w.printCopy(13)->title(), "Vp (m/s)");
        EXPECT_NEAR(w.printCopy(13)->valueRange().lo, 3960, 1e-9);
        EXPECT_NEAR(w.printCopy(13)->valueRange().hi, 5050, 1e-9);

        // A second ticked copy stands beside the first, in list order, neither covering the
        // other; the first ticked entry lies on top.
        tick(list, 0);
        ASSERT_EQ(w.sheet()->charts().size(), 2u);
        EXPECT_EQ(w.sheet()->charts().front(), w.printCopy(1)->plot());
        auto placeOf = [&](int slot) { return w.sheet()->printRect(w.printCopy(slot)->plot()); };
        const QRectF first = placeOf(1);
        EXPECT_FALSE(first.isEmpty());
        EXPECT_LE(first.right(), placeOf(13).left());
        // Inside the sheet, as tall as it fits.
        EXPECT_TRUE(QRectF(QPointF(0, 0), w.sheet()->sheetMm()).contains(first));
        EXPECT_TRUE(QRectF(QPointF(0, 0), w.sheet()->sheetMm()).contains(placeOf(13)));

        // Landscape turns the sheet and keeps the charts side by side.
        w.styleBox()->setCurrentIndex(0);
        EXPECT_GT(w.sheet()->sheetMm().width(), w.sheet()->sheetMm().height());
        EXPECT_EQ(w.sheet()->charts().size(), 2u);
        const QRectF turned = placeOf(1);
        EXPECT_TRUE(QRectF(QPointF(0, 0), w.sheet()->sheetMm()).contains(turned));
        EXPECT_LE(turned.right(), placeOf(13).left());

        // Drag one copy aside (as the mouse does it): it stays where it was put when a third
        // track is ticked, and the others share the sheet beside each other.
        w.resize(775, 575);
        w.show();
        QApplication::processEvents();
        TrackSheet* sheet = w.sheet();
        const QPointF at = sheet->sheetRect().topLeft() + turned.center() * sheet->pxPerMm();
        QTest::mousePress(sheet, Qt::LeftButton, {}, at.toPoint());
        QTest::mouseMove(sheet, (at + QPointF(0, 30)).toPoint());
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, (at + QPointF(0, 30)).toPoint());
        const QRectF moved = placeOf(1);
        EXPECT_NEAR(moved.top() - turned.top(), 30 / sheet->pxPerMm(), 1);
        tick(list, 1);
        ASSERT_EQ(sheet->charts().size(), 3u);
        EXPECT_EQ(placeOf(1), moved);
        EXPECT_LE(placeOf(2).right(), placeOf(13).left());

        // Print: with no printer the sheet goes into a PDF file, one landscape page.
        seam_->saveFile = pdf;
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            w.findChild<QPushButton*>("printButton")->click();
        } else {
            QPrinter printer(QPrinter::ScreenResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            EXPECT_EQ(w.printSheet(printer), "");
        }
        sheetInk = inkShare(w.sheetImage());
        // Save writes the sheet as a bitmap the program reads back.
        seam_->saveFile = bmp;
        w.findChild<QPushButton*>("saveButton")->click();
    });
    EXPECT_TRUE(seam_->messages.empty()) << seam_->messages.front().text.toStdString();
    const PdfCheck check = checkPdf(pdf);
    EXPECT_EQ(check.pages, 1);
    EXPECT_TRUE(check.landscape);
    // The printed page shows what the sheet shows: as much ink, not blank, not overdrawn.
    EXPECT_GT(check.inkFraction, sheetInk / 2);
    EXPECT_LT(check.inkFraction, sheetInk * 2);
    const QImage saved(bmp, "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_GT(saved.width(), saved.height());
    EXPECT_GT(inkShare(saved), 0.005);
    EXPECT_EQ(chartFiles(), QStringList());
}

// The text of a PDF file, as pdftotext reads it.
QString pdfText(const QString& path) {
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// What leaves the program names the well: the printed track sheet, a track's own print, an
// exported picture and a printed table page carry the well, field and company from ~W, the depths
// shown and the date.
TEST_F(PrintTest, PrintedPagesAndPicturesCarryTheWellHeader) {
    importLas("external/las-external/welly/tutorial/data/P-135_out.LAS");
    ASSERT_TRUE(form_->workspace().loaded());
    const QStringList header = {"Well: Eastrock Lauren #1", "Field: Lauren",
                                "Company: Eastrock Resources LTD.", "Depth: 197.5104 - 951.8904 m",
                                "Date: " + pageHeaderDate()};
    const QString sheetPdf = folder_.qfile("sheet.pdf"), trackPdf = folder_.qfile("track.pdf"),
                  picture = folder_.qfile("picture.pdf"), tablePdf = folder_.qfile("table.pdf");
    runWindow<TTablePrint>(CommandId::PrintTable, [&](TTablePrint& w) {
        w.printerBox()->setCurrentText("PDF file");
        w.previewButton()->click();
        seam_->saveFile = tablePdf;
        w.fromBox()->setValue(1);
        w.toBox()->setValue(1);
        w.printRangeButton()->click();
    });
    runWindow<TChartPrintP>(CommandId::PrintTracks, [&](TChartPrintP& w) {
        tick(w.tracksList(), 0);
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(sheetPdf);
        EXPECT_EQ(w.printSheet(printer), "");
    });
    QCustomPlot* track = form_->trackPanel()->track(1)->plot();
    ChartPrintPreview preview(ChartPrintPreview::chartPage(*track), *seam_);
    EXPECT_EQ(preview.printToPdf(trackPdf), "");
    EXPECT_EQ(exportChart(*track, picture, PictureFormat::Pdf, QSize(300, 700)), "");
    for (const QString& file : {sheetPdf, trackPdf, picture, tablePdf}) {
        const QString text = pdfText(file).simplified();
        for (const QString& item : header)
            EXPECT_TRUE(text.contains(item))
                << file.toStdString() << ": " << item.toStdString() << "\n"
                << text.toStdString();
    }
    // The header takes the top of the picture; the chart stands below it.
    const QImage withHeader = chartImage(*track, QSize(300, 700));
    setPageHeaderSource({});
    const QImage without = chartImage(*track, QSize(300, 700));
    auto inkInTopRows = [](const QImage& image) {
        int ink = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
        return ink;
    };
    EXPECT_GT(inkInTopRows(withHeader), inkInTopRows(without) + 50);
}

TEST_F(PrintTest, TablePrintClosedWithoutPreviewKeepsPrintingOffAndReattachesTableScroll) {
    importLas("print/three_curves.las");
    auto& source = form_->workspace().source();
    ASSERT_TRUE(source.hasAfterScroll());
    const int runs = runWindow<TTablePrint>(CommandId::PrintTable, [&](TTablePrint& w) {
        EXPECT_FALSE(source.hasAfterScroll());
        EXPECT_EQ(w.tableBox()->currentText(), "Source Table");
        EXPECT_TRUE(w.landscapeButton()->isChecked());
        EXPECT_TRUE(w.printerBox()->findText("PDF file") >= 0);
        for (QPushButton* b : {w.printAllButton(), w.printCurrentButton(), w.printRangeButton()})
            EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
        EXPECT_EQ(w.pageCount(), 0);
    });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(source.hasAfterScroll());
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(PrintTest, SourceTableOfARealFilePrintsItsPagesIntoAPdfFile) {
    importLas("external/las-external/liblas/las_files/5070-14-SESW.las");
    const int records = form_->workspace().source().recordCount();
    ASSERT_EQ(records, 247);
    const QString all = folder_.qfile("all.pdf");
    const QString one = folder_.qfile("one.pdf");
    const QString range = folder_.qfile("range.pdf");
    runWindow<TTablePrint>(CommandId::PrintTable, [&](TTablePrint& w) {
        w.printerBox()->setCurrentText("PDF file");
        w.previewButton()->click();
        EXPECT_TRUE(w.printAllButton()->isEnabled());
        EXPECT_FALSE(w.progressBar()->isVisible());
        EXPECT_EQ(w.progressMaximum(), 247 / 22 + 8);
        // 22 records a landscape A4 page, every column on one sheet across.
        EXPECT_EQ(w.pageCount(), 12);
        EXPECT_EQ(w.preview()->currentPage(), 1);
        EXPECT_EQ(w.thumbnails()->model()->rowCount(), 12);
        // The last page holds the last 5 records.
        EXPECT_EQ(w.layout()->page(12)->recordCount, 247u - 11 * 22);

        seam_->saveFile = all;
        w.printAllButton()->click();
        w.preview()->nextPage();
        seam_->saveFile = one;
        w.printCurrentButton()->click();

        // A range outside the pages prints nothing and says why.
        seam_->saveFile = range;
        w.fromBox()->setValue(3);
        w.toBox()->setValue(13);
        w.printRangeButton()->click();
        EXPECT_FALSE(QFile::exists(range));
        w.toBox()->setValue(2);
        w.printRangeButton()->click();
        EXPECT_FALSE(QFile::exists(range));
        w.toBox()->setValue(5);
        w.printRangeButton()->click();

        // Portrait lays the same table out on fewer, taller pages.
        w.portraitButton()->setChecked(true);
        EXPECT_LT(w.pageCount(), 12);
        EXPECT_GT(w.pageCount(), 1);
    });
    EXPECT_EQ(seam_->messageTexts(),
              (std::vector<QString>{"The page range must lie between 1 and 12.",
                                    "The page range must lie between 1 and 12."}));
    const PdfCheck whole = checkPdf(all);
    EXPECT_EQ(whole.pages, 12);
    EXPECT_TRUE(whole.landscape);
    EXPECT_GT(whole.inkFraction, 0.01);
    EXPECT_EQ(checkPdf(one).pages, 1);
    EXPECT_EQ(checkPdf(range).pages, 3);
}

TEST_F(PrintTest, LithologTablePrintsItsIntervalsInPortrait) {
    importLas("print/three_curves.las");
    LithologPanel* panel = form_->exportSubsystem().lithologPanel();
    panel->button("New Table")->click();
    ASSERT_TRUE(panel->typeBottom(0, "1001"));
    ASSERT_TRUE(panel->chooseLithology(0, "Shale"));
    ASSERT_TRUE(panel->typeBottom(1, "1002"));
    ASSERT_TRUE(panel->chooseLithology(1, "Coal"));
    const int rows = panel->grid()->model()->rowCount();
    const QString pdf = folder_.qfile("litholog.pdf");
    seam_->saveFile = pdf;
    runWindow<TTablePrint>(CommandId::PrintTable, [&](TTablePrint& w) {
        w.tableBox()->setCurrentText("Litholog Table");
        w.portraitButton()->setChecked(true);
        w.previewButton()->click();
        EXPECT_EQ(w.progressMaximum(), rows / 35 + 8);
        EXPECT_EQ(w.pageCount(), 1);
        w.printAllButton()->click();
    });
    EXPECT_TRUE(seam_->messages.empty()) << seam_->messages.front().text.toStdString();
    const PdfCheck check = checkPdf(pdf);
    EXPECT_EQ(check.pages, 1);
    EXPECT_FALSE(check.landscape);
    const QString text = pdfText(pdf);
    for (const char* expected :
         {"Lithora Software", "Top Depth", "Lithology", "1001", "Shale", "Coal"})
        EXPECT_TRUE(text.contains(expected)) << expected;
}

TEST_F(PrintTest, HiddenDepthColumnStaysHiddenAndIsLeftOutOfThePrint) {
    importLas("print/three_curves.las");
    TableGrid* grid = form_->tablePage()->sourceGrid();
    runWindow<TColumnConfiguration>(CommandId::ConfigureColumns, [&](TColumnConfiguration& w) {
        QListWidget* list = w.checkList();
        ASSERT_EQ(list->count(), 5);  // Rec, the depth and three curves; no "Counting"
        EXPECT_EQ(list->item(1)->text(), "DEPT(M)");
        for (int e = 0; e < list->count(); ++e) EXPECT_EQ(list->item(e)->checkState(), Qt::Checked);
        // Two columns, entries side by side and apart.
        w.show();
        QApplication::processEvents();
        const QRect a = list->visualItemRect(list->item(0));
        const QRect b = list->visualItemRect(list->item(1));
        const QRect c = list->visualItemRect(list->item(2));
        EXPECT_LE(a.right(), b.left());
        EXPECT_EQ(a.top(), b.top());
        EXPECT_GE(c.top(), a.bottom());
        EXPECT_LE(b.right(), list->viewport()->width());
        // Every entry whole: its place holds its check box and its text in the bold font.
        QFont bold = list->font();
        bold.setBold(true);
        const QFontMetrics fm(bold);
        const int box = list->style()->pixelMetric(QStyle::PM_IndicatorWidth);
        for (int e = 0; e < list->count(); ++e)
            EXPECT_GE(list->visualItemRect(list->item(e)).width(),
                      box + fm.horizontalAdvance(list->item(e)->text()))
                << list->item(e)->text().toStdString();
        tick(list, 1, false);
        EXPECT_TRUE(grid->isColumnHidden(1));
    });
    runWindow<TColumnConfiguration>(CommandId::ConfigureColumns, [&](TColumnConfiguration& w) {
        QListWidget* list = w.checkList();
        ASSERT_EQ(list->count(), 5);
        EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
        EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
    });
    EXPECT_TRUE(grid->isColumnHidden(1));
    // A depth filter shows fewer records in the same columns: the column stays hidden.
    form_->tablePage()->filterLowBox()->setValue(1000.5);
    form_->tablePage()->filterHighBox()->setValue(1001.5);
    form_->commands().run(CommandId::ApplyFilter);
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_TRUE(grid->isColumnHidden(1));
    std::vector<QString> printed;
    const GridPrint print(*grid);
    for (const auto& c : print.columns()) printed.push_back(c.title);
    EXPECT_EQ(printed, (std::vector<QString>{"Rec. #", "RHOB(G/CC)", "DT(US/M)", "GR(GAPI)"}));

    // Ticking it again shows it again.
    runWindow<TColumnConfiguration>(CommandId::ConfigureColumns,
                                    [&](TColumnConfiguration& w) { tick(w.checkList(), 1); });
    EXPECT_FALSE(grid->isColumnHidden(1));
}

// A table wider than a sheet: every further sheet across begins with Rec and the depth, so
// every printed row can be placed.
TEST_F(PrintTest, FurtherSheetsAcrossRepeatRecAndDepth) {
    importLas("external/las-external/lascheck/tests/examples/sample3.las");  // 36 curves
    const QString pdf = folder_.qfile("across.pdf");
    QString depthTitle;
    runWindow<TTablePrint>(CommandId::PrintTable, [&](TTablePrint& w) {
        w.printerBox()->setCurrentText("PDF file");
        w.previewButton()->click();
        ASSERT_GE(w.layout()->columnBands().size(), 2u);
        const int secondSheet = w.pageCount() / int(w.layout()->columnBands().size()) + 1;
        const auto content = w.layout()->page(secondSheet);
        ASSERT_TRUE(content.has_value());
        EXPECT_GT(content->firstColumn, 2u);
        EXPECT_EQ(content->repeatedColumns, 2u);
        seam_->saveFile = pdf;
        w.fromBox()->setValue(secondSheet);
        w.toBox()->setValue(secondSheet);
        w.printRangeButton()->click();
    });
    const GridPrint grid(*form_->tablePage()->sourceGrid());
    ASSERT_GE(grid.columns().size(), 2u);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(grid.columns()[0].title)) << text.left(400).toStdString();
    EXPECT_TRUE(text.contains(grid.columns()[1].title)) << text.left(400).toStdString();
    // the first record's place: its depth
    EXPECT_TRUE(text.contains("909.5")) << text.left(400).toStdString();
}

}  // namespace
