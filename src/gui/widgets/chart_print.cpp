#include "gui/widgets/chart_print.h"

#include <qcustomplot.h>
#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>
#include <QVBoxLayout>

#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/page_header.h"

namespace {
constexpr double kHeaderFontMm = 3;  // the page header's font
}  // namespace

ChartPrintPreview::ChartPrintPreview(PagePainter pagePainter, DialogSeam& seam, QWidget* parent)
    : QDialog(parent),
      pagePainter_(std::move(pagePainter)),
      seam_(seam),
      printer_(std::make_unique<QPrinter>(QPrinter::ScreenResolution)) {
    setWindowTitle(QStringLiteral("Print Preview"));
    setObjectName(QStringLiteral("ChartPrintPreview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    printer_->setPageOrientation(QPageLayout::Portrait);
    printer_->setDocName(QStringLiteral("Lithora chart"));

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* group = new QActionGroup(this);
    portrait_ = bar->addAction(QStringLiteral("Portrait"));
    landscape_ = bar->addAction(QStringLiteral("Landscape"));
    for (QAction* a : {portrait_, landscape_}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    portrait_->setObjectName(QStringLiteral("Portrait"));
    landscape_->setObjectName(QStringLiteral("Landscape"));
    portrait_->setChecked(true);
    connect(portrait_, &QAction::triggered, this,
            [this] { setOrientation(QPageLayout::Portrait); });
    connect(landscape_, &QAction::triggered, this,
            [this] { setOrientation(QPageLayout::Landscape); });
    bar->addSeparator();
    QAction* setup =
        bar->addAction(QStringLiteral("Page Setup..."), this, &ChartPrintPreview::pageSetup);
    setup->setObjectName(QStringLiteral("PageSetup"));
    QAction* printAction = bar->addAction(QStringLiteral("Print..."), this, [this] { print(); });
    printAction->setObjectName(QStringLiteral("Print"));
    bar->addSeparator();
    QAction* close = bar->addAction(QStringLiteral("Close"), this, &QDialog::accept);
    close->setObjectName(QStringLiteral("Close"));

    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    preview_->setObjectName(QStringLiteral("Preview"));
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &ChartPrintPreview::paintPages);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(preview_, 1);
    resize(720, 820);
    preview_->fitInView();
}

ChartPrintPreview::~ChartPrintPreview() = default;

ChartPrintPreview::PagePainter ChartPrintPreview::chartPage(QCustomPlot& plot,
                                                            QMarginsF marginsPercent) {
    return [&plot, marginsPercent](QCPPainter& painter, const QRectF& page) {
        const QRectF area = page.adjusted(page.width() * marginsPercent.left() / 100,
                                          page.height() * marginsPercent.top() / 100,
                                          -page.width() * marginsPercent.right() / 100,
                                          -page.height() * marginsPercent.bottom() / 100);
        const QSize size = plot.size().isEmpty() ? QSize(200, 565) : plot.size();
        if (area.width() <= 0 || area.height() <= 0) return;
        const double scale = std::min(area.width() / size.width(), area.height() / size.height());
        const QSizeF drawn(size.width() * scale, size.height() * scale);
        painter.save();
        painter.translate(area.center() - QPointF(drawn.width() / 2, drawn.height() / 2));
        painter.scale(scale, scale);
        plot.toPainter(&painter, size.width(), size.height());
        painter.restore();
    };
}

void ChartPrintPreview::paintPages(QPrinter* printer) {
    QCPPainter painter;
    if (!painter.begin(printer)) return;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    const QRectF area(QPointF(0, 0), page.size());
    if (pagePainter_) pagePainter_(painter, area);
    // The header in the page's top margin, above the chart.
    const double pxPerMm = printer->resolution() / 25.4;
    drawPageHeader(painter, QPointF(0, 0), area.width(), kHeaderFontMm * pxPerMm, pageHeaderText());
    painter.end();
    emit afterDraw();
}

void ChartPrintPreview::setOrientation(QPageLayout::Orientation orientation) {
    printer_->setPageOrientation(orientation);
    (orientation == QPageLayout::Portrait ? portrait_ : landscape_)->setChecked(true);
    preview_->updatePreview();
}

QPageLayout::Orientation ChartPrintPreview::orientation() const {
    return printer_->pageLayout().orientation();
}

void ChartPrintPreview::pageSetup() {
    QPageSetupDialog dialog(printer_.get(), this);
    if (seam_.exec(dialog) == QDialog::Accepted) {
        setOrientation(printer_->pageLayout().orientation());
    }
}

QString ChartPrintPreview::printToPdf(const QString& path) {
    QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("Cannot write \"%1\": the folder does not exist.").arg(path);
    QPrinter pdf(QPrinter::ScreenResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageLayout(printer_->pageLayout());
    pdf.setDocName(printer_->docName());
    pdf.setCreator(QStringLiteral("Lithora"));
    pdf.setOutputFileName(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    paintPages(&pdf);
    QApplication::restoreOverrideCursor();
    if (!QFileInfo(path).exists() || QFileInfo(path).size() == 0)
        return QStringLiteral("Cannot write \"%1\".").arg(path);
    return {};
}

bool ChartPrintPreview::print() {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const QString path =
            seam_.saveFileName(this, QStringLiteral("No printer: print to a PDF file"),
                               QStringLiteral("PDF documents (*.pdf)"), QStringLiteral("pdf"));
        if (path.isEmpty()) return false;
        const QString error = printToPdf(path);
        if (!error.isEmpty()) {
            seam_.message(this, QMessageBox::Warning, QStringLiteral("Print"), error,
                          QMessageBox::Ok);
            return false;
        }
        return true;
    }
    QPrintDialog dialog(printer_.get(), this);
    if (seam_.exec(dialog) != QDialog::Accepted) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    paintPages(printer_.get());
    QApplication::restoreOverrideCursor();
    return true;
}
