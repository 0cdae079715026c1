#pragma once
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include "core/chart/page_layout.h"

class DialogSeam;
class QPrinter;
class QWidget;

// The printer the print windows offer besides the installed printers: Qt's own PDF output,
// so that printing works on a machine without a printer.
inline constexpr const char* kPdfPrinterName = "PDF file";

// The installed printers, the default one first, then "PDF file".
QStringList printerChoices();

// Points printer at `choice`: an installed printer by name, or, for "PDF file", a PDF file
// the user names through the seam. False when the user cancelled the file name.
bool preparePrinter(QPrinter& printer, const QString& choice, DialogSeam& seam, QWidget* parent);

// The printer a print goes to: the printer dialog (through the seam) where a printer is
// installed, else a PDF file the user names. False when the user cancelled.
bool choosePrinter(QPrinter& printer, QPageLayout::Orientation orientation, DialogSeam& seam,
                   QWidget* parent);

// The page size of a paper of the paper list, portrait; an invalid size for one without a
// size of its own ("Custom").
QPageSize pageSizeOf(const lithora::chart::PaperSize& paper);

inline QPageLayout::Orientation qtOrientation(lithora::chart::Orientation o) {
    return o == lithora::chart::Orientation::Landscape ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait;
}
