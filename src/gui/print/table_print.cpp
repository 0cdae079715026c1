#include "gui/print/table_print.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTime>
#include <QToolButton>

#include "core/store/table.h"
#include "gui/print/page_preview.h"
#include "gui/print/print_support.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/pixel_font.h"

using lithora::chart::Orientation;

namespace {

QLabel* caption(QWidget* parent, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

// Keeps the tables' bound controls still while a preview is built.
class FrozenTables {
  public:
    explicit FrozenTables(const std::function<lithora::store::Table*(int)>& table) {
        for (int c = 0; c < 3; ++c)
            if (lithora::store::Table* t = table ? table(c) : nullptr) {
                t->disableControls();
                tables_.push_back(t);
            }
    }
    ~FrozenTables() {
        for (auto* t : tables_) t->enableControls();
    }
    FrozenTables(const FrozenTables&) = delete;
    FrozenTables& operator=(const FrozenTables&) = delete;

  private:
    std::vector<lithora::store::Table*> tables_;
};

}  // namespace

TTablePrint::TTablePrint(Source source, DialogSeam& seam, QWidget* parent)
    : QDialog(parent), source_(std::move(source)), seam_(seam) {
    setObjectName(QStringLiteral("TablePrint"));
    setWindowTitle(QStringLiteral("Table Print"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(792, 541);
    QFont base = pixelFont("Tahoma", 11, true);
    setFont(base);
    // A palette, not a style sheet, so the file dialogs the window opens keep their own look.
    QPalette maroon = palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    setPalette(maroon);
    createControls();
    FormCreate();
}

TTablePrint::~TTablePrint() {
    FormClose();
}

void TTablePrint::createControls() {
    thumbnails_ = new QListView(this);
    thumbnails_->setObjectName(QStringLiteral("Thumbnails"));
    thumbnails_->setGeometry(1, 8, 295, 159);
    thumbnails_->setViewMode(QListView::IconMode);
    thumbnails_->setMovement(QListView::Static);
    thumbnails_->setFlow(QListView::LeftToRight);
    thumbnails_->setWrapping(true);
    thumbnails_->setResizeMode(QListView::Adjust);
    thumbnails_->setUniformItemSizes(true);
    thumbnails_->setSpacing(5);
    thumbnails_->setSelectionMode(QAbstractItemView::SingleSelection);
    thumbnails_->setStyleSheet(QStringLiteral("QListView { color: black; }"));

    auto* tables = caption(this, QStringLiteral("Tables"), 9, 168);
    tables->setFont(pixelFont("Arial", 13, true));
    tables->setStyleSheet(QStringLiteral("color: blue"));
    tables->adjustSize();
    tableBox_ = new QComboBox(this);
    tableBox_->setObjectName(QStringLiteral("tableBox"));
    tableBox_->addItems({QStringLiteral("Source Table"), QStringLiteral("Elastic Parameters"),
                         QStringLiteral("Litholog Table")});
    tableBox_->setGeometry(9, 191, 146, 24);
    tableBox_->setStyleSheet(
        QStringLiteral("QComboBox { background: rgb(225, 251, 255); color: green; "
                       "font-weight: bold; }"));

    previewButton_ = new QPushButton(QStringLiteral("Get Table\nPreview"), this);
    previewButton_->setObjectName(QStringLiteral("previewButton"));
    previewButton_->setGeometry(200, 189, 81, 46);
    previewButton_->setStyleSheet(QStringLiteral("QPushButton { color: rgb(0, 64, 0); }"));
    previewButton_->setFont(pixelFont("Tahoma", 11, false));

    caption(this, QStringLiteral("Printers"), 9, 227);
    printers_ = new QComboBox(this);
    printers_->setObjectName(QStringLiteral("Printers"));
    printers_->setGeometry(9, 246, 146, 24);
    printers_->addItems(printerChoices());

    caption(this, QStringLiteral("Papers"), 9, 284);
    papers_ = new QComboBox(this);
    papers_->setObjectName(QStringLiteral("Papers"));
    papers_->setGeometry(9, 305, 146, 24);
    for (const auto& p : lithora::chart::paperSizes())
        if (p.widthMm > 0 && p.heightMm > 0) papers_->addItem(QString::fromLatin1(p.name));
    papers_->setCurrentText(QStringLiteral("A4"));

    caption(this, QStringLiteral("Table Preview Style"), 9, 347);
    auto* group = new QGroupBox(this);
    group->setGeometry(9, 366, 143, 57);
    landscape_ = new QRadioButton(QStringLiteral("Landscape"), group);
    landscape_->setObjectName(QStringLiteral("Landscape"));
    landscape_->move(7, 8);
    portrait_ = new QRadioButton(QStringLiteral("Portrait"), group);
    portrait_->setObjectName(QStringLiteral("Portrait"));
    portrait_->move(7, 32);
    for (QRadioButton* r : {landscape_, portrait_}) r->adjustSize();

    auto button = [this](const QString& text, const char* name, QRect r) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(r);
        b->setFont(pixelFont("Tahoma", 11, false));
        b->setStyleSheet(
            QStringLiteral("QPushButton { color: rgb(0, 64, 128); } "
                           "QPushButton:disabled { color: gray; }"));
        return b;
    };
    printAllButton_ =
        button(QStringLiteral("Print  All\nPages"), "printAllButton", {8, 429, 81, 46});
    printCurrentButton_ =
        button(QStringLiteral("Print\nCurrent Page"), "printCurrentButton", {8, 485, 81, 46});
    printRangeButton_ =
        button(QStringLiteral("Print Range :"), "printRangeButton", {152, 429, 81, 46});
    caption(this, QStringLiteral("From :"), 152, 490);
    caption(this, QStringLiteral("To :"), 152, 514);
    from_ = new QSpinBox(this);
    to_ = new QSpinBox(this);
    from_->setObjectName(QStringLiteral("From"));
    to_->setObjectName(QStringLiteral("To"));
    for (QSpinBox* s : {from_, to_}) {
        s->setRange(1, 999999999);
        s->setValue(1);
        s->setButtonSymbols(QAbstractSpinBox::NoButtons);
    }
    from_->setGeometry(208, 488, 60, 22);
    to_->setGeometry(208, 512, 60, 22);

    preview_ = new PagePreview(this);
    preview_->setGeometry(296, 8, 473, 433);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setGeometry(296, 440, 473, 17);
    progressBar_->setTextVisible(false);
    progressBar_->hide();

    // The page navigator.
    struct Nav {
        const char* text;
        const char* name;
        const char* hint;
        void (PagePreview::*slot)();
    };
    const Nav nav[] = {{"|<", "FirstPage", "First page", &PagePreview::firstPage},
                       {"<", "PreviousPage", "Previous page", &PagePreview::previousPage},
                       {">", "NextPage", "Next page", &PagePreview::nextPage},
                       {">|", "LastPage", "Last page", &PagePreview::lastPage},
                       {"+", "ZoomIn", "Zoom in", &PagePreview::zoomIn},
                       {"-", "ZoomOut", "Zoom out", &PagePreview::zoomOut},
                       {"1:1", "ActualSize", "Actual size", &PagePreview::actualSize},
                       {"<->", "FitWidth", "Fit width", &PagePreview::fitWidth},
                       {"^v", "FitHeight", "Fit height", &PagePreview::fitHeight},
                       {"[ ]", "FitPage", "Fit whole page", &PagePreview::fitPage}};
    int x = 348;
    for (const Nav& n : nav) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromLatin1(n.text));
        b->setObjectName(QString::fromLatin1(n.name));
        b->setToolTip(QString::fromLatin1(n.hint));
        b->setGeometry(x, 462, 35, 40);
        x += 37;
        connect(b, &QToolButton::clicked, preview_, n.slot);
    }

    close_ = new QPushButton(QStringLiteral("Close"), this);
    close_->setObjectName(QStringLiteral("Close"));
    close_->setGeometry(680, 508, 105, 25);
    close_->setStyleSheet(QStringLiteral("QPushButton { color: red; }"));

    thumbnailModel_ = new PageThumbnails(*preview_, this);
    thumbnails_->setModel(thumbnailModel_);
    connect(thumbnails_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid()) preview_->setCurrentPage(i.row() + 1);
            });
    connect(preview_, &PagePreview::currentPageChanged, this, [this](int page) {
        if (page < 1) return;
        const QModelIndex i = thumbnailModel_->index(page - 1);
        if (thumbnails_->currentIndex() != i) thumbnails_->setCurrentIndex(i);
    });

    connect(previewButton_, &QPushButton::clicked, this, &TTablePrint::buildPreview);
    connect(printAllButton_, &QPushButton::clicked, this, &TTablePrint::printAllPages);
    connect(printCurrentButton_, &QPushButton::clicked, this, &TTablePrint::printCurrentPage);
    connect(printRangeButton_, &QPushButton::clicked, this, &TTablePrint::printPageRange);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(papers_, &QComboBox::currentIndexChanged, this, &TTablePrint::paperChanged);
    connect(printers_, &QComboBox::currentIndexChanged, this, [this] {
        if (layout_) relayout();
    });
    connect(landscape_, &QRadioButton::toggled, this, &TTablePrint::orientationChanged);
}

void TTablePrint::FormCreate() {
    if (source_.detachTableScroll) source_.detachTableScroll();
    setPrintButtonsEnabled(false);
    tableBox_->setCurrentIndex(0);
    landscape_->setChecked(true);
    setup_.orientation = Orientation::Landscape;
    paperChanged();
}

void TTablePrint::setPrintButtonsEnabled(bool on) {
    for (QPushButton* b : {printAllButton_, printCurrentButton_, printRangeButton_})
        b->setEnabled(on);
}

int TTablePrint::pageCount() const {
    return layout_ ? layout_->pageCount() : 0;
}

void TTablePrint::advance(int steps) {
    progressBar_->setValue(std::min(progressBar_->maximum(), progressBar_->value() + steps));
}

void TTablePrint::buildPreview() {
    if (tableBox_->currentText().isEmpty()) return;
    const int choice = tableBox_->currentIndex();
    QTableView* grid = source_.grid ? source_.grid(choice) : nullptr;
    if (!grid) {
        seam_.message(this, QMessageBox::Information, QStringLiteral("Table Print"),
                      QStringLiteral("The %1 cannot be shown now.").arg(tableBox_->currentText()),
                      QMessageBox::Ok);
        return;
    }
    setPrintButtonsEnabled(true);
    FrozenTables frozen(source_.table);
    lithora::store::Table* table = source_.table ? source_.table(choice) : nullptr;
    if (table && table->isOpen() && !table->isEmpty()) {
        table->last();
        table->first();
    }
    grid_ = GridPrint(*grid);
    const int records = grid_.recordCount();

    const Orientation orientation =
        portrait_->isChecked() ? Orientation::Portrait : Orientation::Landscape;
    progressMaximum_ =
        lithora::chart::previewProgressMaximum(static_cast<std::size_t>(records), orientation);
    progressBar_->setRange(0, progressMaximum_);
    progressBar_->setValue(0);
    progressBar_->show();
    progressBar_->repaint();
    advance(2);

    preview_->clear();
    thumbnailModel_->reset();
    advance(1);
    const QLocale locale;
    header_.left = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
    advance(1);
    header_.right = locale.toString(QTime::currentTime(), QLocale::ShortFormat);
    advance(1);
    setup_.orientation = orientation;
    advance(1);
    relayout();
    advance(1);  // the first page, drawn when it is shown
    advance(1);
    advance(1);
    progressBar_->hide();
}

void TTablePrint::relayout() {
    setup_.columnWidthsMm = grid_.columnWidthsMm();
    setup_.repeatedColumns = grid_.placingColumns();
    layout_.emplace(static_cast<std::size_t>(std::max(0, grid_.recordCount())), setup_);
    const bool landscape = setup_.orientation == Orientation::Landscape;
    const double shortSide = std::min(setup_.paperWidthMm, setup_.paperHeightMm);
    const double longSide = std::max(setup_.paperWidthMm, setup_.paperHeightMm);
    PagedDocument doc;
    doc.paperMm = landscape ? QSizeF(longSide, shortSide) : QSizeF(shortSide, longSide);
    doc.pageCount = layout_->pageCount();
    doc.marginsMm = QMarginsF(setup_.marginMm, setup_.marginMm, setup_.marginMm, setup_.marginMm);
    // An installed printer shows what it cannot print on; a PDF file prints the whole sheet.
    const QPrinterInfo info = QPrinterInfo::printerInfo(printers_->currentText());
    if (!info.isNull()) {
        QPrinter printer(info);
        printer.setPageOrientation(qtOrientation(setup_.orientation));
        doc.printerMarginsMm = printer.pageLayout().margins(QPageLayout::Millimeter);
    }
    doc.paint = [this](QPainter& painter, int page, double pxPerMm) {
        if (layout_) grid_.paintPage(painter, *layout_, setup_, page, pxPerMm, header_);
    };
    preview_->setDocument(std::move(doc));
    // Five thumbnails a row in portrait, four in landscape.
    const int perRow = landscape ? 4 : 5;
    const int room = thumbnails_->width() - 2 * thumbnails_->frameWidth() -
                     thumbnails_->verticalScrollBar()->sizeHint().width() - 1;
    const int cell = room / perRow;
    thumbnailModel_->reset(cell - 10);
    thumbnails_->setGridSize(QSize(cell, thumbnailModel_->thumbnailSize().height() + 22));
    thumbnails_->setSpacing(0);
    if (pageCount() > 0) thumbnails_->setCurrentIndex(thumbnailModel_->index(0));
}

void TTablePrint::paperChanged() {
    if (const auto paper = lithora::chart::paperSize(papers_->currentText().toStdString())) {
        setup_.paperWidthMm = paper->widthMm;
        setup_.paperHeightMm = paper->heightMm;
    }
    if (layout_) relayout();
}

void TTablePrint::orientationChanged() {
    setup_.orientation = portrait_->isChecked() ? Orientation::Portrait : Orientation::Landscape;
    if (layout_) relayout();
}

QString TTablePrint::printPages(QPrinter& printer, int from, int to) {
    if (const auto error = lithora::chart::pageRangeError(from, to, pageCount()))
        return QString::fromStdString(*error);
    const auto paper = lithora::chart::PaperSize{"", setup_.paperWidthMm, setup_.paperHeightMm};
    printer.setPageSize(pageSizeOf(paper));
    printer.setPageOrientation(qtOrientation(setup_.orientation));
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Lithora %1").arg(tableBox_->currentText()));
    QPainter painter;
    if (!painter.begin(&printer)) return QStringLiteral("The printer cannot print.");
    const double pxPerMm = printer.resolution() / 25.4;
    QProgressDialog progress(QStringLiteral("Printing pages %1 to %2...").arg(from).arg(to),
                             QStringLiteral("Cancel"), from, to + 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    for (int page = from; page <= to; ++page) {
        if (page > from) printer.newPage();
        grid_.paintPage(painter, *layout_, setup_, page, pxPerMm, header_);
        progress.setValue(page);
        if (progress.wasCanceled()) {
            printer.abort();
            break;
        }
    }
    const bool ended = painter.end();
    progress.setValue(to + 1);
    if (!ended) return QStringLiteral("The printer cannot print.");
    if (printer.outputFormat() == QPrinter::PdfFormat &&
        !QFileInfo::exists(printer.outputFileName()))
        return QStringLiteral("Cannot write \"%1\".").arg(printer.outputFileName());
    return {};
}

void TTablePrint::printChosen(int from, int to) {
    if (const auto error = lithora::chart::pageRangeError(from, to, pageCount())) {
        seam_.message(this, QMessageBox::Warning, QStringLiteral("Table Print"),
                      QString::fromStdString(*error), QMessageBox::Ok);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (preparePrinter(printer, printers_->currentText(), seam_, this)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const QString error = printPages(printer, from, to);
        QApplication::restoreOverrideCursor();
        if (!error.isEmpty())
            seam_.message(this, QMessageBox::Warning, QStringLiteral("Table Print"), error,
                          QMessageBox::Ok);
    }
    if (source_.restoreFolder) source_.restoreFolder();
}

void TTablePrint::printAllPages() {
    printChosen(1, pageCount());
}

void TTablePrint::printCurrentPage() {
    printChosen(preview_->currentPage(), preview_->currentPage());
}

void TTablePrint::printPageRange() {
    printChosen(from_->value(), to_->value());
}

void TTablePrint::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TTablePrint::FormClose() {
    if (closed_) return;
    closed_ = true;
    if (source_.attachTableScroll) source_.attachTableScroll();
}
