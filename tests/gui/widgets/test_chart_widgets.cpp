// The chart pieces every chart window uses: the chart copy file, the picture export and the
// print preview, on a plain plot.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

#include "gui/widgets/chart_copy.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"
#include "gui/widgets/dialog_seam.h"
#include "support/pdf_check.h"

namespace {

class AnswerSeam : public DialogSeam {
  public:
    QString saveFile;
    std::vector<QString> messages;
    std::function<int(QDialog&)> onDialog = [](QDialog&) { return QDialog::Rejected; };
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

// A plot of two curves with custom labels on the top axis, a reversed logarithmic left
// axis, a title and colours: everything a copy must keep.
void fillPlot(QCustomPlot& plot) {
    plot.resize(300, 400);
    plot.plotLayout()->insertRow(0);
    QFont f("DejaVu Sans", 11);
    f.setBold(true);
    plot.plotLayout()->addElement(0, 0, new QCPTextElement(&plot, "GR (GAPI)", f));
    plot.xAxis2->setVisible(true);
    QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
    ticker->addTick(10, "10");
    ticker->addTick(150, "150");
    plot.xAxis2->setTicker(ticker);
    plot.xAxis2->setRange(5, 160);
    plot.yAxis->setScaleType(QCPAxis::stLogarithmic);
    plot.yAxis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
    plot.yAxis->setRangeReversed(true);
    plot.yAxis->setRange(1, 1000);
    plot.yAxis->setLabel("DEPT(M)");
    QVector<double> k, v, w;
    for (int i = 1; i <= 900; ++i) {
        k << i;
        v << 80 + 60 * std::sin(i / 30.0);
        w << (i % 100 == 0 ? qQNaN() : 40 + 20 * std::cos(i / 50.0));
    }
    QCPGraph* a = plot.addGraph(plot.yAxis, plot.xAxis2);
    a->setData(k, v);
    a->setPen(QPen(QColor(0, 128, 255), 1));
    a->setLineStyle(QCPGraph::lsStepLeft);
    a->setName("GR");
    QCPGraph* b = plot.addGraph(plot.yAxis, plot.xAxis2);
    b->setData(k, w);
    b->setPen(QPen(QColor(255, 0, 0), 2));
    b->setName("SP");
}

TEST(ChartCopy, ALoadedCopyDrawsTheSamePictureAndKeepsEverything) {
    QTemporaryDir dir;
    QCustomPlot original;
    fillPlot(original);
    const QString file = dir.filePath(kChartCopyFileName);
    ASSERT_EQ(saveChartCopy(copyOfPlot(original), file), "");

    ChartCopy loaded;
    ASSERT_EQ(loadChartCopy(file, loaded), "");
    EXPECT_EQ(loaded.title, "GR (GAPI)");
    EXPECT_TRUE(loaded.titleFont.bold());
    ASSERT_EQ(loaded.series.size(), 2);
    EXPECT_EQ(loaded.series[0].keys.size(), 900);
    EXPECT_EQ(loaded.series[1].colour, QColor(255, 0, 0));
    EXPECT_EQ(loaded.series[1].penWidth, 2.0);
    EXPECT_TRUE(loaded.series[0].steps);
    EXPECT_TRUE(std::isnan(loaded.series[1].values[99]));  // a null stays a null
    EXPECT_TRUE(loaded.axes[ChartCopy::Left].logarithmic);
    EXPECT_TRUE(loaded.axes[ChartCopy::Left].reversed);
    EXPECT_EQ(loaded.axes[ChartCopy::Left].label, "DEPT(M)");
    EXPECT_EQ(loaded.axes[ChartCopy::Top].lower, 5.0);
    EXPECT_EQ(loaded.axes[ChartCopy::Top].labelTexts, (QStringList{"10", "150"}));

    QCustomPlot copy;
    copy.resize(original.size());
    showCopyInPlot(loaded, copy);
    const QImage a = chartImage(original, QSize(300, 400));
    const QImage b = chartImage(copy, QSize(300, 400));
    EXPECT_EQ(a, b) << "the copy draws another picture";
}

TEST(ChartCopy, DamagedForeignOrMissingFilesAreRefusedWithAMessage) {
    QTemporaryDir dir;
    QCustomPlot plot;
    fillPlot(plot);
    const QString good = dir.filePath("good.tee");
    ASSERT_EQ(saveChartCopy(copyOfPlot(plot), good), "");
    QFile in(good);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();

    QByteArray laterVersion = bytes;
    laterVersion[5] = 9;  // the version follows the 4-byte magic number
    QByteArray earlierVersion = bytes;
    earlierVersion[5] = 1;
    QByteArray hugeCount = bytes;
    // The title's length field, then a count far beyond the file.
    hugeCount.replace(6, 4, QByteArray("\x7f\xff\xff\xff", 4));
    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"empty", {}},
        {"magic only", bytes.left(4)},
        {"cut in the header", bytes.left(20)},
        {"cut in the data", bytes.left(bytes.size() / 2)},
        {"one byte short", bytes.left(bytes.size() - 1)},
        {"trailing bytes", bytes + "xx"},
        {"foreign", QByteArray("\x89PNG\r\n\x1a\n and then some picture data")},
        {"later version", laterVersion},
        {"earlier version", earlierVersion},
        {"absurd count", hugeCount},
    };
    for (const auto& [what, content] : cases) {
        const QString path = dir.filePath(QString("bad_%1.tee").arg(what));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        out.close();
        ChartCopy into;
        into.title = "untouched";
        EXPECT_NE(loadChartCopy(path, into), "") << what;
        EXPECT_EQ(into.title, "untouched") << what;
    }
    ChartCopy into;
    EXPECT_NE(loadChartCopy(dir.filePath("missing.tee"), into), "");
    EXPECT_NE(saveChartCopy(copyOfPlot(plot), dir.filePath("no/such/folder/x.tee")), "");
}

TEST(ChartExport, EveryFormatIsWrittenAtTheChosenSizeAndReadsBack) {
    QTemporaryDir dir;
    QCustomPlot plot;
    fillPlot(plot);
    const QSize size(240, 360);
    for (PictureFormat format : {PictureFormat::Png, PictureFormat::Jpeg, PictureFormat::Bmp,
                                 PictureFormat::Pdf, PictureFormat::Svg}) {
        const auto& info = pictureFormatInfo(format);
        const QString path = dir.filePath(QString("chart.") + info.suffix);
        ASSERT_EQ(exportChart(plot, path, format, size), "") << info.name;
        if (format == PictureFormat::Pdf) {
            const PdfCheck pdf = checkPdf(path);
            EXPECT_EQ(pdf.pages, 1);
            EXPECT_GT(pdf.inkFraction, 0.01);
        } else if (format == PictureFormat::Svg) {
            QSvgRenderer svg(path);
            EXPECT_TRUE(svg.isValid());
            EXPECT_EQ(svg.viewBox().size(), size);
        } else {
            const QImage image(path);
            ASSERT_FALSE(image.isNull()) << info.name;
            EXPECT_EQ(image.size(), size);
            // The curve's blue ink is in the picture.
            int blue = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    if (qBlue(p) > 200 && qRed(p) < 80) ++blue;
                }
            EXPECT_GT(blue, 50) << info.name;
        }
    }
    EXPECT_NE(exportChart(plot, dir.filePath("x.png"), PictureFormat::Png, QSize(0, 10)), "");
    EXPECT_NE(exportChart(plot, dir.filePath("none/x.png"), PictureFormat::Png, size), "");
}

// The first band of dark rows from the top of a picture (the chart's title): its extent.
QRect firstInkBand(const QImage& image) {
    QRect band;
    for (int y = 0; y < image.height(); ++y) {
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        if (right < 0) {
            if (!band.isNull()) break;
            continue;
        }
        band |= QRect(left, y, right - left + 1, 1);
    }
    return band;
}

// A chart exported as PDF or SVG has the size and proportions of its PNG: the page or drawing
// shows at the chosen pixel size on a screen, and its title's text is as large as in the PNG.
TEST(ChartExport, PdfAndSvgHaveTheSizeAndProportionsOfThePng) {
    QTemporaryDir dir;
    QCustomPlot plot;
    fillPlot(plot);
    const QSize size(146, 561);
    ASSERT_EQ(exportChart(plot, dir.filePath("c.png"), PictureFormat::Png, size), "");
    ASSERT_EQ(exportChart(plot, dir.filePath("c.pdf"), PictureFormat::Pdf, size), "");
    ASSERT_EQ(exportChart(plot, dir.filePath("c.svg"), PictureFormat::Svg, size), "");
    const QImage png(dir.filePath("c.png"));
    const QRect title = firstInkBand(png);
    ASSERT_GT(title.width(), 40);

    // The PDF page at the screen's 96 pixels an inch.
    QProcess render;
    render.start("pdftoppm", {"-r", "96", "-png", dir.filePath("c.pdf"), dir.filePath("pdf")});
    ASSERT_TRUE(render.waitForFinished(30000));
    QImage pdf;
    for (const char* name : {"pdf-1.png", "pdf-01.png", "pdf-001.png"})
        if (pdf.load(dir.filePath(name))) break;
    ASSERT_FALSE(pdf.isNull());
    EXPECT_NEAR(pdf.width(), size.width(), 1);
    EXPECT_NEAR(pdf.height(), size.height(), 1);

    // The SVG at the size it gives itself (what a viewer shows).
    QSvgRenderer svgRenderer(dir.filePath("c.svg"));
    ASSERT_TRUE(svgRenderer.isValid());
    EXPECT_EQ(svgRenderer.defaultSize(), size);
    QImage svg(size, QImage::Format_RGB32);
    svg.fill(Qt::white);
    {
        QPainter painter(&svg);
        svgRenderer.render(&painter);
    }
    for (const auto& [what, image] : {std::pair{"PDF", pdf}, std::pair{"SVG", svg}}) {
        const QRect band = firstInkBand(image);
        EXPECT_NEAR(band.width(), title.width(), 3) << what;
        EXPECT_NEAR(band.height(), title.height(), 2) << what;
        EXPECT_NEAR(band.center().x(), title.center().x(), 2) << what;
    }
}

TEST(ChartExport, DialogSavesThroughTheSeamKeepsProportionsAndCopies) {
    QTemporaryDir dir;
    QCustomPlot plot;
    fillPlot(plot);
    AnswerSeam seam;
    ChartExportDialog dialog(plot, seam);
    EXPECT_EQ(dialog.pictureSize(), QSize(300, 400));
    dialog.findChild<QSpinBox*>("Width")->setValue(600);
    EXPECT_EQ(dialog.pictureSize(), QSize(600, 800));

    seam.saveFile.clear();  // cancelled: nothing written, the dialog stays
    EXPECT_FALSE(dialog.save());
    seam.saveFile = dir.filePath("none/x.png");
    EXPECT_FALSE(dialog.save());
    ASSERT_EQ(seam.messages.size(), 1u);

    dialog.setFormat(PictureFormat::Jpeg);
    seam.saveFile = dir.filePath("chart.jpg");
    EXPECT_TRUE(dialog.save());
    EXPECT_EQ(QImage(seam.saveFile).size(), QSize(600, 800));

    dialog.setPictureSize(QSize(100, 50));
    dialog.copyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(100, 50));
}

TEST(ChartPrint, PrintsOnePageToAPdfFileWhenThereIsNoPrinter) {
    QTemporaryDir dir;
    QCustomPlot plot;
    fillPlot(plot);
    AnswerSeam seam;
    ChartPrintPreview preview(ChartPrintPreview::chartPage(plot), seam);
    int drawn = 0;
    QObject::connect(&preview, &ChartPrintPreview::afterDraw, [&] { ++drawn; });
    preview.setOrientation(QPageLayout::Landscape);
    EXPECT_EQ(preview.orientation(), QPageLayout::Landscape);

    const QString path = dir.filePath("chart.pdf");
    ASSERT_EQ(preview.printToPdf(path), "");
    EXPECT_GT(drawn, 0);
    const PdfCheck pdf = checkPdf(path);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.landscape);
    EXPECT_GT(pdf.inkFraction, 0.002);  // not a blank page
    EXPECT_NE(preview.printToPdf(dir.filePath("none/x.pdf")), "");
}

}  // namespace
