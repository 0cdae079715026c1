#pragma once
#include <QDialog>
#include <QMarginsF>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QCustomPlot;
class QCPPainter;
class QPrinter;
class QPrintPreviewWidget;
class DialogSeam;

// The print preview of the program's charts: the page as it will be printed, with
// "Portrait" and "Landscape", "Page Setup...", "Print..." and "Close". On a machine without
// a printer, "Print..." offers a PDF file as the printer. Modal questions (the printer and
// page dialogs, the file name) go through the dialog seam.
//
// What the page shows is drawn by a page painter, called for every drawing of the preview
// and for printing; chartPage() makes one that places a chart on the page.
class ChartPrintPreview : public QDialog {
    Q_OBJECT
  public:
    // Draws on the printer's painter (a QPainter that QCustomPlot can draw with); `page` is
    // the printable area in device units.
    using PagePainter = std::function<void(QCPPainter& painter, const QRectF& page)>;

    ChartPrintPreview(PagePainter pagePainter, DialogSeam& seam, QWidget* parent = nullptr);
    ~ChartPrintPreview() override;

    // A page painter that draws the chart inside the page less the given margins (in percent
    // of the page's width and height), at the largest size that keeps the chart's
    // proportions, centred. The plot must outlive the painter.
    static PagePainter chartPage(QCustomPlot& plot, QMarginsF marginsPercent = {15, 15, 15, 15});

    QPrinter& printer() { return *printer_; }
    QPrintPreviewWidget* previewWidget() const { return preview_; }
    void setOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation orientation() const;

    // Prints the page to the printer the user picks, or to a PDF file when there is no
    // printer. Returns true when a page was printed.
    bool print();
    // Prints the page to a PDF file. Returns an empty text or the message.
    QString printToPdf(const QString& path);

  public slots:
    void pageSetup();

  signals:
    // After every drawing of the page (preview or print).
    void afterDraw();

  private:
    void paintPages(QPrinter* printer);

    PagePainter pagePainter_;
    DialogSeam& seam_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* preview_ = nullptr;
    QAction* portrait_ = nullptr;
    QAction* landscape_ = nullptr;
};
