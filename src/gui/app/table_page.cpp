#include "gui/app/table_page.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "core/compute/elastic.h"
#include "gui/widgets/grid_style.h"
#include "gui/widgets/locale_text.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/summary_box.h"
#include "gui/widgets/table_grid.h"

namespace {

// The number boxes at the left may grow to the right up to the grids' left edge, less a gap.
constexpr int kBoxesRight = 77;
constexpr int kSummaryLeft = 11;
constexpr int kSummaryWidth = 52;
constexpr int kFilterLeft = 7;
constexpr int kFilterWidth = 60;

}  // namespace

QFont layoutFont(const char* family, int pointSize, bool bold) {
    QFont f(QString::fromLatin1(family));
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

QLabel* placedCaption(QWidget* parent, const QString& text, int left, int top, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->move(left, top);
    label->adjustSize();
    return label;
}

TablePage::TablePage(lithora::workspace::Workspace& workspace, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TablePage"));
    createControls(workspace);
    styleElasticGrid();
}

TablePage::~TablePage() {
    detachGrids();
}

void TablePage::detachGrids() {
    sourceGrid_->tableModel()->detach();
    elasticGrid_->tableModel()->detach();
}

void TablePage::createControls(lithora::workspace::Workspace& workspace) {
    const QFont bold8 = layoutFont("Arial", 8, true);
    sourceCaption_ = placedCaption(this, QStringLiteral("Source Table"), 77, 8, bold8);
    sourceCaption_->setObjectName(QStringLiteral("SourceCaption"));

    columnsButton_ = new QPushButton(QStringLiteral("Columns Configuration"), this);
    columnsButton_->setObjectName(QStringLiteral("columnsButton"));
    columnsButton_->setGeometry(160, 10, 657, 15);
    columnsButton_->setFocusPolicy(Qt::TabFocus);
    columnsButton_->setStyleSheet(QStringLiteral(
        "QPushButton { color: blue; font-family: Tahoma; font-weight: bold; font-size: 11px;"
        " padding: 0px; border: 1px solid palette(mid); background: palette(button); }"
        "QPushButton:pressed { background: palette(mid); }"
        "QPushButton:disabled { color: palette(mid); }"));

    sourceGrid_ = new TableGrid(workspace.source(), this);
    sourceGrid_->setObjectName(QStringLiteral("sourceGrid"));
    sourceGrid_->setGeometry(80, 28, 737, 150);

    filterButton_ = new QPushButton(QStringLiteral("Filter"), this);
    filterButton_->setObjectName(QStringLiteral("FilterButton"));
    filterButton_->setGeometry(0, 28, 75, 25);
    filterButton_->setFont(layoutFont("Arial", 9, true));
    filterButton_->setStyleSheet(QStringLiteral("QPushButton:enabled { color: red; }"));

    filterLow_ = new NumberBox(this);
    filterLow_->setObjectName(QStringLiteral("FilterLow"));
    filterLow_->setGeometry(kFilterLeft, 56, kFilterWidth, 24);
    filterHigh_ = new NumberBox(this);
    filterHigh_->setObjectName(QStringLiteral("FilterHigh"));
    filterHigh_->setGeometry(kFilterLeft, 81, kFilterWidth, 24);
    for (NumberBox* box : {filterLow_, filterHigh_})
        box->setFit(kFilterWidth, kBoxesRight - kFilterLeft, box->font());

    undoFilterButton_ = new QPushButton(QStringLiteral("Undo Filter"), this);
    undoFilterButton_->setObjectName(QStringLiteral("UndoFilterButton"));
    undoFilterButton_->setGeometry(0, 108, 75, 25);

    elasticCaption_ = placedCaption(this, QStringLiteral("Elastic Parameters"), 77, 198, bold8);
    elasticCaption_->setObjectName(QStringLiteral("ElasticCaption"));

    elasticGrid_ = new TableGrid(workspace.elastic(), this);
    elasticGrid_->setObjectName(QStringLiteral("elasticGrid"));
    elasticGrid_->setGeometry(80, 218, 737, 150);
    elasticGrid_->setFocusPolicy(Qt::ClickFocus);
    {
        std::vector<std::string> names;
        for (int f = lithora::compute::kRec; f <= lithora::compute::kSImpedance; ++f)
            names.emplace_back(lithora::compute::kElasticFieldNames[static_cast<std::size_t>(f)]);
        elasticGrid_->tableModel()->setColumnFields(std::move(names));
    }

    const char* summaryTitles[] = {"# of Records", "# of Tracks", "Start", "Stop", "Interval"};
    const QPoint summaryPlaces[] = {{3, 315}, {7, 363}, {24, 411}, {25, 459}, {17, 507}};
    const int boxTops[] = {327, 375, 423, 471, 519};
    const char* boxNames[] = {"RecordsBox", "TracksBox", "StartBox", "StopBox", "IntervalBox"};
    for (std::size_t i = 0; i < summary_.size(); ++i) {
        QLabel* label = placedCaption(this, QString::fromLatin1(summaryTitles[i]),
                                      summaryPlaces[i].x(), summaryPlaces[i].y(), bold8);
        label->setStyleSheet(QStringLiteral("color: navy;"));
        auto* box = new SummaryBox(this);
        box->setObjectName(QString::fromLatin1(boxNames[i]));
        box->setGeometry(kSummaryLeft, boxTops[i], kSummaryWidth, 22);
        box->setStyleSheet(QStringLiteral(
            "QLineEdit { background: rgb(225, 251, 255); color: rgb(0, 128, 0); padding: 0px; }"));
        box->setFit(kSummaryWidth, kBoxesRight - kSummaryLeft, bold8);
        summary_[i] = box;
    }

    headerCaption_ = placedCaption(this, QStringLiteral("LAS File Header"), 77, 388, bold8);
    headerCaption_->setObjectName(QStringLiteral("HeaderCaption"));
    headerMemo_ = new QPlainTextEdit(this);
    headerMemo_->setObjectName(QStringLiteral("headerMemo"));
    headerMemo_->setGeometry(80, 406, 737, 135);
    headerMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    headerMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    headerMemo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Header lines line up in columns, so they read best in a fixed-pitch font.
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(9);
    headerMemo_->setFont(mono);

    correlationCaption_ = placedCaption(this, QStringLiteral("Correlation Coefficient"), 845, 0,
                                        layoutFont("Arial", 9, true));
    correlationCaption_->setObjectName(QStringLiteral("correlationCaption"));
    referenceCaption_ = new QLabel(this);
    referenceCaption_->setObjectName(QStringLiteral("referenceCaption"));
    referenceCaption_->setGeometry(825, 25, 98, 18);
    referenceCaption_->setFont(bold8);
    referenceCaption_->setStyleSheet(QStringLiteral("color: rgb(0, 128, 255);"));
    referenceNameCaption_ = new QLabel(this);
    referenceNameCaption_->setObjectName(QStringLiteral("referenceNameCaption"));
    referenceNameCaption_->setGeometry(925, 25, 75, 18);
    referenceNameCaption_->setFont(bold8);
    referenceNameCaption_->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
}

void TablePage::styleElasticGrid() {
    struct Column {
        int width;
        unsigned back, text;
        std::optional<unsigned> title;
    };
    // Cell colour, text colour and (where it differs from the text) title colour of the
    // result columns, "Poisson Ratio" to "S-Impedance".
    const Column results[] = {{90, 14614489, 47452, 16384},    {100, 14013951, 255, {}},
                              {100, 16769023, 8388736, {}},    {105, 15658717, 8421440, {}},
                              {105, 16767487, 16711935, {}},   {148, 15138790, 32768, {}},
                              {120, 13822463, 4227327, 33023}, {80, 16760767, 10485760, 8388608},
                              {64, 11391740, 3510775, {}},     {64, 12961278, 197539, {}},
                              {50, 16769007, 16711808, {}},    {137, 16770764, 16744448, {}},
                              {134, 16773070, 12615680, {}}};
    const QFont cellFont = layoutFont("Arial", 8, true);
    const QColor face = palette().color(QPalette::Button);

    std::vector<ColumnStyle> styles;
    ColumnStyle rec;
    rec.width = 38;
    rec.back = face;
    rec.text = Qt::black;
    rec.titleBack = face;
    rec.titleText = Qt::black;
    styles.push_back(rec);

    ColumnStyle depth;
    depth.width = 61;
    depth.back = Qt::black;
    depth.text = QColor(255, 255, 0);
    depth.titleBack = Qt::black;
    depth.titleText = QColor(255, 255, 0);
    depth.font = cellFont;
    depth.titleFont = cellFont;
    depth.alignment = Qt::AlignCenter;
    styles.push_back(depth);

    for (const Column& c : results) {
        ColumnStyle s;
        s.width = c.width;
        s.back = desktopColor(c.back);
        s.text = desktopColor(c.text);
        s.titleText = desktopColor(c.title.value_or(c.text));
        s.titleBack = face;
        s.font = cellFont;
        s.titleFont = cellFont;
        s.alignment = Qt::AlignCenter;
        styles.push_back(s);
    }
    elasticGrid_->tableModel()->setColumnStyles(std::move(styles));
    elasticGrid_->applyColumnWidths();
}

void TablePage::styleSourceGrid(bool lasStyle) {
    TableModel* model = sourceGrid_->tableModel();
    model->reset();
    const QColor face = palette().color(QPalette::Button);
    const QFont gridFont = sourceGrid_->font();

    std::vector<ColumnStyle> styles;
    for (int c = 0; c < model->columnCount(); ++c) {
        ColumnStyle s;
        QFont titleFont = gridFont;
        if (c == 0) {
            s.width = 37;
            QFont bold = gridFont;
            bold.setBold(true);
            s.font = bold;
            s.back = face;
            s.titleBack = face;
            s.titleText = Qt::black;
            titleFont.setPointSize(8);
            if (!lasStyle) s.alignment = Qt::AlignLeft;
        } else if (c == 1 && lasStyle) {
            s.text = QColor(255, 255, 0);
            s.back = Qt::black;
            s.titleText = QColor(255, 255, 0);
            s.titleBack = Qt::black;
            titleFont.setPointSize(10);
        } else {
            // A LAS import colours curve column c with palette entry c; an ASCII import
            // colours every column from the index on with entry c - 1. Both run round the
            // nine entries for wider tables.
            const int entry = lasStyle ? c : c - 1;
            s.text = gridTextColor(entry);
            s.titleText = gridTextColor(entry);
            s.back = gridBackColor(entry);
            s.titleBack = gridBackColor(entry);
            if (!lasStyle) s.alignment = Qt::AlignCenter;
        }
        s.titleFont = titleFont;
        if (s.width == 0) s.width = 64;
        styles.push_back(std::move(s));
    }
    model->setColumnStyles(std::move(styles));
    sourceGrid_->applyColumnWidths();

    // The elastic grid's depth column carries the same title as the source grid's.
    if (model->columnCount() > 1) elasticGrid_->tableModel()->setTitle(1, model->title(1));
}

void TablePage::showSummary(const lithora::workspace::Summary& s) {
    const std::string* texts[] = {&s.records, &s.tracks, &s.start, &s.stop, &s.interval};
    for (std::size_t i = 0; i < summary_.size(); ++i)
        summary_[i]->setValueText(QString::fromStdString(*texts[i]));
}

void TablePage::showImport(const lithora::workspace::Workspace& ws, bool las) {
    styleSourceGrid(las);
    if (las) {
        QStringList lines;
        for (const auto& line : ws.importInfo().headerLines) lines << QString::fromStdString(line);
        headerMemo_->setPlainText(lines.join('\n'));
    }
    showSummary(ws.summary(localeDecimalPoint()));
    filterLow_->setValue(ws.depthWindow().top);
    filterHigh_->setValue(ws.depthWindow().bottom);
}

void TablePage::showImportControls(bool las) {
    sourceCaption_->show();
    elasticCaption_->show();
    sourceGrid_->show();
    elasticGrid_->show();
    headerMemo_->setVisible(las);
    headerCaption_->setVisible(las);
}

void TablePage::clear() {
    clearCorrelationRows();
    referenceCaption_->clear();
    referenceNameCaption_->clear();
    for (SummaryBox* box : summary_) box->clearValue();
    filterLow_->clearValue();
    filterHigh_->clearValue();
    headerMemo_->clear();
}

QWidget* TablePage::newCorrelationRows(bool elastic) {
    QWidget*& rows = elastic ? elasticRows_ : sourceRows_;
    delete rows;
    rows = new QWidget(this);
    rows->setObjectName(elastic ? QStringLiteral("ElasticCorrelationRows")
                                : QStringLiteral("SourceCorrelationRows"));
    rows->setAttribute(Qt::WA_TransparentForMouseEvents);
    rows->setGeometry(0, 0, 4000, 4000);
    rows->show();
    return rows;
}

void TablePage::clearCorrelationRows() {
    delete sourceRows_;
    sourceRows_ = nullptr;
    delete elasticRows_;
    elasticRows_ = nullptr;
}
