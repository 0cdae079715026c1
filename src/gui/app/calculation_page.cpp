#include "gui/app/calculation_page.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "core/compute/elastic.h"
#include "gui/app/about_page.h"
#include "gui/app/instance_lock.h"
#include "gui/app/pictures.h"
#include "gui/display/track_panel.h"
#include "gui/widgets/grid_style.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/page_control.h"
#include "gui/widgets/table_grid.h"

namespace {

constexpr int kWindowWidth = 1025;
constexpr int kWindowHeight = 737;
constexpr int kPageWidth = 1001;
constexpr int kPageHeight = 610;
constexpr int kTablePageWidth = 1000;
constexpr int kTablePageIndex = 0;
constexpr int kGraphPageIndex = 1;

const char* const kDataCommandNames[] = {"Emptytable1",
                                         "Savetable1",
                                         "Printtable1",
                                         "Printtracks1",
                                         "Find1",
                                         "Filter1",
                                         "UndoFilter1",
                                         "ElasticCorrelations1",
                                         "Elasticparameters1",
                                         "Correlationcoefficients1"};

QFont fontOf(const char* family, int pointSize, bool bold) {
    QFont f(QString::fromLatin1(family));
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

QLabel* caption(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

}  // namespace

TCalculationForm::TCalculationForm(const QString& programFolder, std::unique_ptr<DialogSeam> seam,
                                   std::unique_ptr<QLockFile> lock, QWidget* parent)
    : QMainWindow(parent),
      programFolder_(QDir::cleanPath(QDir(programFolder).absolutePath())),
      seam_(seam ? std::move(seam) : std::make_unique<DialogSeam>()),
      workspace_(std::make_unique<lithora::workspace::Workspace>(
          std::filesystem::path(programFolder_.toStdString()))) {
    setObjectName(QStringLiteral("CalculationForm"));
    setWindowTitle(QStringLiteral("Lithora"));
    setWindowIcon(pictures::programIcon());
    setFont(fontOf("MS Sans Serif", 8, false));

    createCommands();
    createMenus();
    createToolBar();
    createPages();
    trackPanel_ = std::make_unique<TrackPanel>(graphPage_, programFolder_);

    statusPanel_ = new QLabel(this);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel"));
    statusPanel_->setFixedWidth(250);
    statusPanel_->setFrameShape(QFrame::Panel);
    statusPanel_->setFrameShadow(QFrame::Sunken);
    statusBar()->addWidget(statusPanel_);

    resize(kWindowWidth, kWindowHeight);
    setMinimumSize(kWindowWidth, kWindowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate(std::move(lock));
}

TCalculationForm::~TCalculationForm() {
    // The tracks, views and models follow the workspace's tables: they go first.
    trackPanel_.reset();
    if (sourceGrid_) sourceGrid_->tableModel()->detach();
    if (elasticGrid_) elasticGrid_->tableModel()->detach();
    detachTableScroll();
    delete takeCentralWidget();
}

void TCalculationForm::FormCreate(std::unique_ptr<QLockFile> lock) {
    makeProgramFolderCurrent();

    lock_ = std::move(lock);
    if (!lock_) {
        InstanceLockResult result = InstanceLockResult::Unavailable;
        lock_ = lockProgramFolder(programFolder_, &result);
        if (result == InstanceLockResult::HeldByOther) {
            message(QMessageBox::Warning, QString::fromLatin1(kAlreadyRunningMessage));
            disableDataCommands();
            return;
        }
        // A folder where no lock file can be made (read-only media) still runs; the tables
        // say themselves whether they can be opened there.
    }

    try {
        workspace_->openShippedTables();
    } catch (const std::exception& e) {
        message(QMessageBox::Critical,
                QStringLiteral("The tables in the program folder cannot be opened:\n%1\n\n%2\n\n"
                               "Lithora cannot work without them and will close.")
                    .arg(QDir::toNativeSeparators(programFolder_), QString::fromUtf8(e.what())));
        disableDataCommands();
        return;
    }
    styleElasticGrid();
    tablePageHeight_ = kPageHeight;
    setStatusText(QStringLiteral("Ready"));
    disableDataCommands();
    action(QStringLiteral("Open1"))->setEnabled(true);
    ready_ = true;
}

void TCalculationForm::setDialogSeam(std::unique_ptr<DialogSeam> seam) {
    seam_ = seam ? std::move(seam) : std::make_unique<DialogSeam>();
}

QMessageBox::StandardButton TCalculationForm::message(QMessageBox::Icon icon, const QString& text,
                                                      QMessageBox::StandardButtons buttons) {
    return seam_->message(this, icon, QStringLiteral("Lithora"), text, buttons);
}

bool TCalculationForm::makeProgramFolderCurrent() {
    if (QDir::setCurrent(programFolder_)) return true;
    message(QMessageBox::Warning, QStringLiteral("Cannot find directory"));
    return false;
}

// ---- commands -------------------------------------------------------------------------

QAction* TCalculationForm::addCommand(const QString& name, const QString& text,
                                      const QKeySequence& shortcut, const QString& hint) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    if (!hint.isEmpty()) {
        a->setStatusTip(hint);
        a->setToolTip(hint);
    }
    const QIcon icon = pictures::commandIcon(name);
    if (!icon.isNull()) a->setIcon(icon);
    // The icon belongs on the tool button; the menus show text only.
    a->setIconVisibleInMenu(false);
    actions_.insert(name, a);
    return a;
}

void TCalculationForm::createCommands() {
    using K = QKeySequence;
    auto bind = [this](QAction* a, void (TCalculationForm::*slot)()) {
        connect(a, &QAction::triggered, this, slot);
    };
    bind(addCommand("ASCIIfile1", "ASCII File", K(Qt::Key_F2), "Open an ASCII file format"),
         &TCalculationForm::ASCIIfile1Click);
    bind(addCommand("Lasfilez1", "LAS File", K(Qt::Key_F3), "Open LAS file format"),
         &TCalculationForm::Lasfilez1Click);
    bind(addCommand("Open21", "Open 2", K(), QString()), &TCalculationForm::Open21Click);
    bind(addCommand("Emptytable1", "Empty Table", K(Qt::CTRL | Qt::Key_E),
                    "Empty existing table to open a new one"),
         &TCalculationForm::Emptytable1Click);
    connect(addCommand("Savetable1", "Save Table", K(Qt::CTRL | Qt::Key_S),
                       "Save current table to file"),
            &QAction::triggered, this, [this] { Savetable1Click(); });
    bind(addCommand("Printtracks1", "Print Tracks", K(Qt::CTRL | Qt::Key_T),
                    "Print a number of tracks in one page"),
         &TCalculationForm::Printtracks1Click);
    bind(addCommand("Printtable1", "Print Table", K(Qt::CTRL | Qt::Key_P), "Print tables"),
         &TCalculationForm::Printtable1Click);
    bind(addCommand("Exit1", "E&xit", K(Qt::CTRL | Qt::Key_X), "Exit the program"),
         &TCalculationForm::Exit1Click);
    bind(
        addCommand("Find1", "Find", K(Qt::CTRL | Qt::Key_F), "Search for a specific depth or time"),
        &TCalculationForm::Find1Click);
    bind(addCommand("Filter1", "Filter", K(Qt::CTRL | Qt::Key_R), "Apply filter range on data"),
         &TCalculationForm::Filter1Click);
    bind(addCommand("UndoFilter1", "Undo Filter", K(Qt::CTRL | Qt::Key_U), "Undo filter"),
         &TCalculationForm::UndoFilter1Click);
    bind(addCommand("ElasticCorrelations1", "Elastic Correlations", K(Qt::Key_F5),
                    "Show combination logs"),
         &TCalculationForm::ElasticCorrelations1Click);
    bind(addCommand("Lapse1", "Time Laps", K(Qt::Key_F6), "Show time laps page"),
         &TCalculationForm::Lapse1Click);
    bind(addCommand("N3", "Cross Plots", K(Qt::Key_F7), "Show cross plots"),
         &TCalculationForm::N3Click);
    bind(addCommand("Elasticparameters1", "Elastic Parameters", K(Qt::Key_F8),
                    "Calculate elastic parameters"),
         &TCalculationForm::Elasticparameters1Click);
    bind(addCommand("Correlationcoefficients1", "Correlation Coefficients", K(Qt::Key_F9),
                    "Calculate correlation coefficient"),
         &TCalculationForm::Correlationcoefficients1Click);
    bind(addCommand("About2", "About", K(Qt::CTRL | Qt::Key_A), QString()),
         &TCalculationForm::About2Click);
}

void TCalculationForm::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    Open1_ = file->addMenu(QStringLiteral("Open"));
    Open1_->setObjectName(QStringLiteral("Open1Menu"));
    Open1_->menuAction()->setObjectName(QStringLiteral("Open1"));
    actions_.insert(QStringLiteral("Open1"), Open1_->menuAction());
    Open1_->addAction(action("ASCIIfile1"));
    Open1_->addAction(action("Lasfilez1"));
    file->addAction(action("Open21"));
    file->addAction(action("Emptytable1"));
    file->addAction(action("Savetable1"));
    file->addSeparator();
    file->addAction(action("Printtracks1"));
    file->addAction(action("Printtable1"));
    file->addSeparator();
    file->addAction(action("Exit1"));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    edit->addAction(action("Find1"));
    edit->addAction(action("Filter1"));
    edit->addAction(action("UndoFilter1"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    view->addAction(action("ElasticCorrelations1"));
    view->addAction(action("Lapse1"));
    view->addAction(action("N3"));

    QMenu* calculation = menuBar()->addMenu(QStringLiteral("&Calculation"));
    calculation->setObjectName(QStringLiteral("Calculation1"));
    calculation->addAction(action("Elasticparameters1"));
    calculation->addAction(action("Correlationcoefficients1"));

    QMenu* about = menuBar()->addMenu(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("About1"));
    about->addAction(action("About2"));
}

void TCalculationForm::createToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(37);
    bar->setIconSize(QSize(32, 26));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->toggleViewAction()->setVisible(false);

    auto button = [bar, this](const char* name) {
        QAction* a = action(QString::fromLatin1(name));
        bar->addAction(a);
        if (QWidget* w = bar->widgetForAction(a)) {
            w->setFixedSize(41, 33);
            w->setObjectName(QStringLiteral("ToolButton_") + QString::fromLatin1(name));
        }
    };
    auto gap = [bar](int width, const char* name) {
        auto* spacer = new QWidget(bar);
        spacer->setObjectName(QString::fromLatin1(name));
        spacer->setFixedSize(width, 33);
        bar->addWidget(spacer);
    };
    button("Emptytable1");
    button("Lasfilez1");
    button("ASCIIfile1");
    button("Savetable1");
    bar->addSeparator();
    button("Printtracks1");
    button("Printtable1");
    bar->addSeparator();
    button("Find1");
    gap(8, "ToolGap1");
    button("Elasticparameters1");
    button("Correlationcoefficients1");
    bar->addSeparator();
    button("ElasticCorrelations1");
    button("Lapse1");
    button("N3");
    gap(285, "ToolGap2");
    for (int i = 0; i < 3; ++i) {
        auto* logo = new QLabel(bar);
        logo->setObjectName(QStringLiteral("ToolLogo%1").arg(i + 1));
        logo->setPixmap(pictures::toolBarLogo(i));
        logo->setFixedSize(41, 33);
        bar->addWidget(logo);
    }
    button("Exit1");
}

QAction* TCalculationForm::action(const QString& name) const {
    return actions_.value(name);
}

QList<QAction*> TCalculationForm::dataCommands() const {
    QList<QAction*> list;
    for (const char* name : kDataCommandNames) list.append(action(QString::fromLatin1(name)));
    return list;
}

void TCalculationForm::enableDataCommands() {
    for (QAction* a : dataCommands()) a->setEnabled(true);
}

void TCalculationForm::disableDataCommands() {
    for (QAction* a : dataCommands()) a->setEnabled(false);
}

void TCalculationForm::setStatusText(const QString& text) {
    statusBar()->clearMessage();
    statusPanel_->setText(text);
    // Shown at once: the commands that set it go on working without returning to the loop.
    statusPanel_->repaint();
}

QString TCalculationForm::statusText() const {
    return statusPanel_->text();
}

// ---- pages ----------------------------------------------------------------------------

void TCalculationForm::createPages() {
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName(QStringLiteral("ScrollBox"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(false);
    pageHolder_ = new QWidget;
    pageHolder_->setObjectName(QStringLiteral("PageHolder"));
    PageControl1_ = new PageControl(pageHolder_);
    PageControl1_->setObjectName(QStringLiteral("PageControl1"));
    tablePage_ = new QWidget;
    tablePage_->setObjectName(QStringLiteral("TablePage"));
    graphPage_ = new QWidget;
    graphPage_->setObjectName(QStringLiteral("GraphPage"));
    PageControl1_->addTab(tablePage_, QStringLiteral("Table"));
    PageControl1_->addTab(graphPage_, QStringLiteral("Graph"));
    createTablePage();
    createGraphPage();
    setPageControlSize(kPageWidth, kPageHeight);
    scrollArea_->setWidget(pageHolder_);
    setCentralWidget(scrollArea_);
    connect(PageControl1_, &QTabWidget::currentChanged, this,
            &TCalculationForm::PageControl1Change);
}

void TCalculationForm::createTablePage() {
    QWidget* page = tablePage_;

    sourceCaption_ = caption(page, QStringLiteral("Source Table"), 77, 8);
    sourceCaption_->setObjectName(QStringLiteral("SourceCaption"));
    sourceCaption_->setFont(fontOf("Arial", 8, true));
    sourceCaption_->adjustSize();

    columnsButton_ = new QPushButton(QStringLiteral("Columns Configuration"), page);
    columnsButton_->setObjectName(QStringLiteral("ColumnsConfiguration"));
    columnsButton_->setGeometry(160, 10, 657, 15);
    columnsButton_->setFocusPolicy(Qt::TabFocus);
    columnsButton_->setStyleSheet(QStringLiteral(
        "QPushButton { color: blue; font-family: Tahoma; font-weight: bold; font-size: 11px;"
        " padding: 0px; border: 1px solid palette(mid); background: palette(button); }"
        "QPushButton:pressed { background: palette(mid); }"));
    connect(columnsButton_, &QPushButton::clicked, this,
            &TCalculationForm::ColumnsConfigurationClick);

    sourceGrid_ = new TableGrid(workspace_->source(), page);
    sourceGrid_->setObjectName(QStringLiteral("DBGrid1"));
    sourceGrid_->setGeometry(80, 28, 737, 150);

    filterButton_ = new QPushButton(QStringLiteral("Filter"), page);
    filterButton_->setObjectName(QStringLiteral("FilterButton"));
    filterButton_->setGeometry(0, 28, 75, 25);
    filterButton_->setFont(fontOf("Arial", 9, true));
    filterButton_->setStyleSheet(QStringLiteral("QPushButton { color: red; }"));
    // The page buttons run the commands whatever the menu state; the commands check the
    // workspace themselves.
    connect(filterButton_, &QPushButton::clicked, this, &TCalculationForm::Filter1Click);

    filterLow_ = new NumberBox(page);
    filterLow_->setObjectName(QStringLiteral("FilterLow"));
    filterLow_->setGeometry(7, 56, 60, 24);
    filterHigh_ = new NumberBox(page);
    filterHigh_->setObjectName(QStringLiteral("FilterHigh"));
    filterHigh_->setGeometry(7, 81, 60, 24);

    undoFilterButton_ = new QPushButton(QStringLiteral("Undo Filter"), page);
    undoFilterButton_->setObjectName(QStringLiteral("UndoFilterButton"));
    undoFilterButton_->setGeometry(0, 108, 75, 25);
    connect(undoFilterButton_, &QPushButton::clicked, this, &TCalculationForm::UndoFilter1Click);

    elasticCaption_ = caption(page, QStringLiteral("Elastic Parameters"), 77, 198);
    elasticCaption_->setObjectName(QStringLiteral("ElasticCaption"));
    elasticCaption_->setFont(fontOf("Arial", 8, true));
    elasticCaption_->adjustSize();

    elasticGrid_ = new TableGrid(workspace_->elastic(), page);
    elasticGrid_->setObjectName(QStringLiteral("DBGrid2"));
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
    for (int i = 0; i < 5; ++i) {
        QLabel* label = caption(page, QString::fromLatin1(summaryTitles[i]), summaryPlaces[i].x(),
                                summaryPlaces[i].y());
        label->setFont(fontOf("Arial", 8, true));
        label->setStyleSheet(QStringLiteral("color: navy;"));
        label->adjustSize();
        summaryCaptions_[static_cast<std::size_t>(i)] = label;
        auto* box = new QLineEdit(page);
        box->setObjectName(QString::fromLatin1(boxNames[i]));
        box->setReadOnly(true);
        box->setGeometry(11, boxTops[i], 52, 22);
        box->setFont(fontOf("Arial", 8, true));
        box->setStyleSheet(QStringLiteral(
            "QLineEdit { background: rgb(225, 251, 255); color: rgb(0, 128, 0); padding: 0px; }"));
        summary_[static_cast<std::size_t>(i)] = box;
    }

    headerCaption_ = caption(page, QStringLiteral("LAS File Header"), 77, 388);
    headerCaption_->setObjectName(QStringLiteral("HeaderCaption"));
    headerCaption_->setFont(fontOf("Arial", 8, true));
    headerCaption_->adjustSize();
    Memo1_ = new QPlainTextEdit(page);
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    Memo1_->setGeometry(80, 406, 737, 135);
    Memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Header lines line up in columns, so they read best in a fixed-pitch font.
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(9);
    Memo1_->setFont(mono);

    CCVrLabel_ = caption(page, QStringLiteral("Correlation Coefficient"), 845, 0);
    CCVrLabel_->setObjectName(QStringLiteral("CCVrLabel"));
    CCVrLabel_->setFont(fontOf("Arial", 9, true));
    CCVrLabel_->adjustSize();
    VrLabel10_ = new QLabel(page);
    VrLabel10_->setObjectName(QStringLiteral("VrLabel10"));
    VrLabel10_->setGeometry(825, 25, 98, 18);
    VrLabel10_->setFont(fontOf("Arial", 8, true));
    VrLabel10_->setStyleSheet(QStringLiteral("color: rgb(0, 128, 255);"));
    VrLabelSourceCC_ = new QLabel(page);
    VrLabelSourceCC_->setObjectName(QStringLiteral("VrLabelSourceCC"));
    VrLabelSourceCC_->setGeometry(925, 25, 75, 18);
    VrLabelSourceCC_->setFont(fontOf("Arial", 8, true));
    VrLabelSourceCC_->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
}

void TCalculationForm::createGraphPage() {
    QWidget* page = graphPage_;
    lithologCaption_ = caption(page, QStringLiteral("Litholog Information"), 8, 40);
    lithologCaption_->setObjectName(QStringLiteral("LithologCaption"));
    lithologCaption_->setFont(fontOf("Arial", 10, true));
    lithologCaption_->setStyleSheet(QStringLiteral("color: navy;"));
    lithologCaption_->adjustSize();

    lithologChartArea_ = new QFrame(page);
    lithologChartArea_->setObjectName(QStringLiteral("DBChart8"));
    lithologChartArea_->setGeometry(368, 5, 73, 565);
    lithologChartArea_->setFrameShape(QFrame::Panel);
    lithologChartArea_->setFrameShadow(QFrame::Sunken);
    lithologChartArea_->setAutoFillBackground(true);

    lithologFrame_ = new QFrame(page);
    lithologFrame_->setObjectName(QStringLiteral("LithologFrame"));
    lithologFrame_->setGeometry(440, 57, 42, 486);
    lithologFrame_->setFrameShape(QFrame::Box);
    lithologFrame_->setLineWidth(1);
    Image1_ = new QLabel(page);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->setGeometry(441, 58, 40, 484);
    paintLithologWhite();
}

void TCalculationForm::paintLithologWhite() {
    QPixmap white(40, 484);
    white.fill(Qt::white);
    Image1_->setPixmap(white);
}

void TCalculationForm::setPageControlSize(int width, int height) {
    PageControl1_->resize(width, height);
    pageHolder_->resize(width, height);
}

void TCalculationForm::resetScrollPositions() {
    scrollArea_->horizontalScrollBar()->setValue(0);
    scrollArea_->verticalScrollBar()->setValue(0);
}

void TCalculationForm::PageControl1Change(int index) {
    if (index == kGraphPageIndex) {
        const auto& elastic = workspace_->elastic();
        setPageControlSize(trackPanel_->graphPageWidth(elastic.isOpen() && !elastic.isEmpty(),
                                                       PageControl1_->width()),
                           kPageHeight);
    } else if (index == kTablePageIndex) {
        setPageControlSize(kTablePageWidth, tablePageHeight_);
    }
    resetScrollPositions();
}

// ---- grids ----------------------------------------------------------------------------

void TCalculationForm::styleElasticGrid() {
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
    const QFont cellFont = fontOf("Arial", 8, true);
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

void TCalculationForm::styleSourceGrid(bool lasStyle) {
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
        if (s.width == 0) {
            const QFontMetrics fm(titleFont);
            s.width = std::max(64, fm.horizontalAdvance(model->title(c)) + 14);
        }
        styles.push_back(std::move(s));
    }
    model->setColumnStyles(std::move(styles));
    sourceGrid_->applyColumnWidths();

    // The elastic grid's depth column carries the same title as the source grid's.
    if (model->columnCount() > 1) elasticGrid_->tableModel()->setTitle(1, model->title(1));
}

void TCalculationForm::showSummary(const lithora::workspace::Summary& s) {
    const std::string* texts[] = {&s.records, &s.tracks, &s.start, &s.stop, &s.interval};
    for (std::size_t i = 0; i < summary_.size(); ++i) {
        QLineEdit* box = summary_[i];
        box->setText(QString::fromStdString(*texts[i]));
        // The boxes are narrow: a long number shows its first digits, and all of it as a hint.
        box->setCursorPosition(0);
        box->setToolTip(box->text());
    }
}

void TCalculationForm::clearSummary() {
    for (QLineEdit* box : summary_) {
        box->clear();
        box->setToolTip(QString());
    }
}

QWidget* TCalculationForm::newCorrelationRows(bool elastic) {
    QWidget*& rows = elastic ? elasticRows_ : sourceRows_;
    delete rows;
    rows = new QWidget(tablePage_);
    rows->setObjectName(elastic ? QStringLiteral("ElasticCorrelationRows")
                                : QStringLiteral("SourceCorrelationRows"));
    rows->setAttribute(Qt::WA_TransparentForMouseEvents);
    rows->setGeometry(0, 0, 4000, 4000);
    rows->show();
    return rows;
}

void TCalculationForm::clearCorrelationRows() {
    delete sourceRows_;
    sourceRows_ = nullptr;
    delete elasticRows_;
    elasticRows_ = nullptr;
}

void TCalculationForm::attachTableScroll() {
    workspace_->source().setAfterScroll([this] { TableScroll(); });
}

void TCalculationForm::detachTableScroll() {
    if (workspace_) workspace_->source().clearAfterScroll();
}

void TCalculationForm::TableScroll() {
    auto& source = workspace_->source();
    auto& elastic = workspace_->elastic();
    if (!source.isOpen() || !elastic.isOpen() || elastic.isEmpty()) return;
    const int row = source.currentRow();
    if (row < 0 || source.fieldCount() < 2 || source.cellIsNull(row, 1)) return;
    const int depth =
        elastic.findField(lithora::compute::kElasticFieldNames[lithora::compute::kDepth]);
    if (depth < 0) return;
    try {
        elastic.locate(depth, source.cellFloat(row, 1));
    } catch (const std::exception&) {
        // Keeping the grids on one depth is a convenience; a table that refuses to move
        // simply stays where it is.
    }
}

// ---- handlers -------------------------------------------------------------------------

void TCalculationForm::removeAllTracks() {
    trackPanel_->removeAll();
}

void TCalculationForm::Emptytable1Click() {
    if (!ready_ || !workspace_->loaded()) return;
    const auto& litholog = workspace_->litholog();
    const bool lithologFilled = litholog.isOpen() && !litholog.isEmpty();

    removeAllTracks();
    clearCorrelationRows();
    try {
        workspace_->emptyTable();
    } catch (const std::exception& e) {
        message(QMessageBox::Critical, QString::fromUtf8(e.what()));
        return;
    }
    VrLabel10_->clear();
    VrLabelSourceCC_->clear();
    clearSummary();
    filterLow_->clearValue();
    filterHigh_->clearValue();
    Memo1_->clear();
    if (lithologFilled) paintLithologWhite();

    // The correlation rows are gone, so the Table page takes its first height again.
    tablePageHeight_ = kPageHeight;
    PageControl1_->setCurrentIndex(kTablePageIndex);
    setPageControlSize(kTablePageWidth, kPageHeight);
    resetScrollPositions();
    disableDataCommands();
}

void TCalculationForm::Exit1Click() {
    close();
}

void TCalculationForm::About2Click() {
    TAboutForm about(this);
    seam_->exec(about);
}

void TCalculationForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TCalculationForm::FormCloseQuery() {
    // A window that never started (another copy runs, or its tables did not open) leaves the
    // folder's tables alone.
    if (!ready_) return true;
    const auto& elastic = workspace_->elastic();
    const auto& litholog = workspace_->litholog();
    // Records hidden by a depth filter count too: none may be lost unasked.
    if (elastic.isOpen() && elastic.totalRecordCount() > 0) {
        const auto answer = message(
            QMessageBox::Information,
            QStringLiteral("Elastic table is not empty. Do you want to save it before exit?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) return false;
        if (answer == QMessageBox::Yes && !Savetable1Click()) return false;
        if (answer != QMessageBox::Yes && answer != QMessageBox::No) return false;
    }
    if (litholog.isOpen() && litholog.totalRecordCount() > 0) {
        const auto answer = message(
            QMessageBox::Information,
            QStringLiteral("LithoLog table has changed. Do you want to save it before exit?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) return false;
        if (answer == QMessageBox::Yes && !(Button2Click() && Button4Click())) return false;
        if (answer != QMessageBox::Yes && answer != QMessageBox::No) return false;
    }
    removeAllTracks();
    sourceGrid_->tableModel()->detach();
    elasticGrid_->tableModel()->detach();
    detachTableScroll();
    workspace_->exitCleanup();
    // The work tables are closed and gone: nothing is left to ask about or to clean up.
    ready_ = false;
    return true;
}

void TCalculationForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The window grows but never shrinks: its size becomes its minimum. A maximised window
    // keeps the minimum of its normal size so that it can be restored.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        setMinimumSize(minimumSize().expandedTo(size()));
}

void TCalculationForm::ColumnsConfigurationClick() {
    if (!ready_ || !workspace_->loaded()) return;
    // The column configuration window opens here.
}

// Commands written with their own parts of the program. Each checks the workspace itself.
void TCalculationForm::Open21Click() {}
void TCalculationForm::Printtracks1Click() {}
void TCalculationForm::Printtable1Click() {}
void TCalculationForm::Find1Click() {}
void TCalculationForm::Filter1Click() {}
void TCalculationForm::UndoFilter1Click() {}
void TCalculationForm::ElasticCorrelations1Click() {}
void TCalculationForm::Lapse1Click() {}
void TCalculationForm::N3Click() {}
void TCalculationForm::Correlationcoefficients1Click() {}
bool TCalculationForm::Button2Click() {
    return false;
}
bool TCalculationForm::Button4Click() {
    return false;
}
