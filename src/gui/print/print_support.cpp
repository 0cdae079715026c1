#include "gui/print/print_support.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "gui/widgets/dialog_seam.h"

QStringList printerChoices() {
    QStringList names;
    const QString preferred = QPrinterInfo::defaultPrinterName();
    if (!preferred.isEmpty()) names << preferred;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        if (name != preferred) names << name;
    names << QString::fromLatin1(kPdfPrinterName);
    return names;
}

bool preparePrinter(QPrinter& printer, const QString& choice, DialogSeam& seam, QWidget* parent) {
    if (choice != QLatin1String(kPdfPrinterName)) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(choice);
        return true;
    }
    QString path =
        seam.saveFileName(parent, QStringLiteral("Print to a PDF file"),
                          QStringLiteral("PDF documents (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
}

bool choosePrinter(QPrinter& printer, QPageLayout::Orientation orientation, DialogSeam& seam,
                   QWidget* parent) {
    if (QPrinterInfo::availablePrinters().isEmpty())
        return preparePrinter(printer, QString::fromLatin1(kPdfPrinterName), seam, parent);
    printer.setPageOrientation(orientation);
    QPrintDialog dialog(&printer, parent);
    return seam.exec(dialog) == QDialog::Accepted;
}

QPageSize pageSizeOf(const lithora::chart::PaperSize& paper) {
    if (!(paper.widthMm > 0) || !(paper.heightMm > 0)) return {};
    const double w = std::min(paper.widthMm, paper.heightMm);
    const double h = std::max(paper.widthMm, paper.heightMm);
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString::fromLatin1(paper.name));
}
