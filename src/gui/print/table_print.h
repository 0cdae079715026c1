#pragma once
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "core/chart/page_layout.h"
#include "gui/print/grid_print.h"

class DialogSeam;
class PagePreview;
class PageThumbnails;
class QComboBox;
class QListView;
class QPrinter;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;

namespace lithora::store {
class Table;
}

// The table print: one of the three work tables laid out as a printed grid over as many
// pages as it needs, shown in a page preview with thumbnails and a page navigator, and
// printed whole, by page or by range on an installed printer or into a PDF file.
//
// The page count is known at once from the row height and the page size; a page is drawn
// only when it is shown or printed, so a million records preview as fast as a hundred.
class TTablePrint : public QDialog {
    Q_OBJECT
  public:
    // What the window prints from: for each table choice (0 "Source Table", 1 "Elastic
    // Parameters", 2 "Litholog Table") the grid of the main window and the table behind it.
    struct Source {
        std::function<QTableView*(int choice)> grid;
        std::function<lithora::store::Table*(int choice)> table;
        std::function<void()> attachTableScroll;
        std::function<void()> detachTableScroll;
        std::function<void()> restoreFolder;
    };

    TTablePrint(Source source, DialogSeam& seam, QWidget* parent = nullptr);
    ~TTablePrint() override;

    QComboBox* tableBox() const { return tableBox_; }
    QComboBox* printerBox() const { return printers_; }
    QComboBox* paperBox() const { return papers_; }
    QRadioButton* landscapeButton() const { return landscape_; }
    QRadioButton* portraitButton() const { return portrait_; }
    QPushButton* previewButton() const { return previewButton_; }
    QPushButton* printAllButton() const { return printAllButton_; }
    QPushButton* printCurrentButton() const { return printCurrentButton_; }
    QPushButton* printRangeButton() const { return printRangeButton_; }
    QSpinBox* fromBox() const { return from_; }
    QSpinBox* toBox() const { return to_; }
    PagePreview* preview() const { return preview_; }
    QListView* thumbnails() const { return thumbnails_; }
    QProgressBar* progressBar() const { return progressBar_; }
    // The maximum the progress bar had while the last preview was built.
    int progressMaximum() const { return progressMaximum_; }
    int pageCount() const;
    const std::optional<lithora::chart::TablePageLayout>& layout() const { return layout_; }
    const lithora::chart::TablePageSetup& setup() const { return setup_; }

    // Prints pages from .. to (checked against the page count) to a printer that is ready.
    // Returns an empty text or the message.
    QString printPages(QPrinter& printer, int from, int to);

  public slots:
    void buildPreview();      // Get Table Preview
    void printAllPages();     // Print  All Pages
    void printCurrentPage();  // Print Current Page
    void printPageRange();    // Print Range :
    void done(int result) override;

  private:
    void FormCreate();
    void FormClose();
    void createControls();
    void setPrintButtonsEnabled(bool on);
    // Lays the chosen grid out again for the paper and orientation chosen now.
    void relayout();
    void paperChanged();
    void orientationChanged();
    void advance(int steps);
    // Asks for the printer of the printer list, then prints; says what went wrong.
    void printChosen(int from, int to);

    Source source_;
    DialogSeam& seam_;
    bool closed_ = false;
    lithora::chart::TablePageSetup setup_;
    GridPrint grid_;
    std::optional<lithora::chart::TablePageLayout> layout_;
    GridPrint::Header header_;
    int progressMaximum_ = 0;

    QListView* thumbnails_ = nullptr;
    PageThumbnails* thumbnailModel_ = nullptr;
    QComboBox* tableBox_ = nullptr;
    QPushButton* previewButton_ = nullptr;
    QComboBox* printers_ = nullptr;
    QComboBox* papers_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QPushButton* printAllButton_ = nullptr;
    QPushButton* printCurrentButton_ = nullptr;
    QPushButton* printRangeButton_ = nullptr;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    PagePreview* preview_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* close_ = nullptr;
};
