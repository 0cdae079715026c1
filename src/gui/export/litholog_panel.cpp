#include "gui/export/litholog_panel.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QtMath>
#include <algorithm>

#include "core/common/file_writer.h"
#include "core/common/number_text.h"
#include "core/export/litholog_file.h"
#include "core/export/litholog_table.h"
#include "gui/widgets/depth_scale.h"
#include "gui/widgets/locale_text.h"
#include "gui/widgets/page_header.h"
#include "gui/widgets/program_folders.h"
#include "gui/widgets/text_fit.h"

using lithora::exporter::LithologInterval;
using lithora::exporter::LithologModel;
namespace chart = lithora::chart;

namespace {

constexpr int kColumnWidth = chart::kLithologColumnWidth;
constexpr int kColumnHeight = chart::kLithologColumnHeight;
// Room left of the depth axis beyond its first 51 pixels, for labels such as "150000".
constexpr int kDepthScaleExtra = 24;
const char* const kNavigatorButtons[] = {"First", "Prior", "Next", "Last", "Insert", "Delete"};

QString depthText(double value) {
    return QString::fromStdString(lithora::numberText(value, localeDecimalPoint()));
}

}  // namespace

QString columnDepthText(double value, const QFontMetrics& metrics, int width) {
    return roundedToFit(depthText(value), [&metrics, width](const QString& text) {
        return metrics.horizontalAdvance(text) <= width;
    });
}

namespace {

// The lithology column edits with a drop-down list of the 60 names, 20 rows at a time.
class LithologyDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != 2) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("LithologyList"));
        for (const auto& name : lithora::exporter::kLithologyNames)
            box->addItem(QString::fromStdString(name));
        box->setMaxVisibleItems(20);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            const int at = box->findText(index.data(Qt::EditRole).toString());
            box->setCurrentIndex(at);
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            if (box->currentIndex() >= 0) model->setData(index, box->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

}  // namespace

// ---- grid model ----

LithologGridModel::LithologGridModel(const LithologModel& model,
                                     std::function<bool(int, int, const QString&)> edit,
                                     QObject* parent)
    : QAbstractTableModel(parent), model_(model), edit_(std::move(edit)) {}

void LithologGridModel::refresh() {
    // Rows are added or taken at the end and every cell is announced as changed, so a grid
    // editor that is committing its value stays valid (a reset would destroy it midway).
    const int n = static_cast<int>(model_.size());
    if (n > rows_) {
        beginInsertRows({}, rows_, n - 1);
        rows_ = n;
        endInsertRows();
    } else if (n < rows_) {
        beginRemoveRows({}, n, rows_ - 1);
        rows_ = n;
        endRemoveRows();
    }
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, 2));
}

int LithologGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int LithologGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant LithologGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(model_.size())) return {};
    const LithologInterval& iv = model_.intervals()[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (index.column() == 0) return depthText(iv.top);
            if (index.column() == 1) return iv.hasBottom() ? depthText(iv.bottom) : QString();
            return QString::fromStdString(iv.lithology);
        case Qt::TextAlignmentRole:
            return index.column() < 2 ? QVariant(Qt::AlignCenter) : QVariant();
        case Qt::BackgroundRole:
            return QColor(index.column() == 0   ? QColor(232, 232, 232)
                          : index.column() == 1 ? QColor(238, 221, 221)
                                                : QColor(213, 255, 213));
        case Qt::ForegroundRole:
            return index.column() == 1   ? QColor(128, 0, 0)
                   : index.column() == 2 ? QColor(0, 128, 0)
                                         : QColor(Qt::black);
        default:
            return {};
    }
}

QVariant LithologGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const titles[] = {"Top Depth", "Bottom Depth", "Lithology"};
    return section >= 0 && section < 3 ? QString::fromLatin1(titles[section]) : QVariant();
}

Qt::ItemFlags LithologGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() > 0) f |= Qt::ItemIsEditable;
    return f;
}

bool LithologGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() == 0) return false;
    return edit_(index.row(), index.column(), value.toString());
}

// ---- panel ----

LithologPanel::LithologPanel(ShellServices& shell, QWidget* page, QObject* parent)
    : QObject(parent), shell_(shell), page_(page) {
    createControls();
    auto& ws = shell_.workspace();
    changes_ = ws.subscribe([this](lithora::workspace::Change change) {
        using Change = lithora::workspace::Change;
        if (change == Change::Imported || change == Change::Emptied ||
            change == Change::DepthWindowChanged)
            shownSpan_.reset();
        if (change == Change::Imported) logLoaded();
        if (change == Change::Emptied) workspaceEmptied();
        if (change == Change::DepthWindowChanged) redraw();
    });
    // Intervals kept in "Litholog.db" from the last session are shown, not dropped.
    if (ws.litholog().isOpen()) model_.replace(lithora::exporter::readLithologTable(ws.litholog()));
    gridModel_->refresh();
    redraw();
}

LithologPanel::~LithologPanel() = default;

void LithologPanel::createControls() {
    QWidget* page = page_;
    grid_ = new QTableView(page);
    grid_->setObjectName(QStringLiteral("lithologGrid"));
    grid_->setGeometry(5, 72, 324, 120);
    gridModel_ = new LithologGridModel(
        model_,
        [this](int row, int column, const QString& text) {
            return column == 1 ? typeBottom(row, text) : chooseLithology(row, text);
        },
        this);
    grid_->setModel(gridModel_);
    grid_->setItemDelegate(new LithologyDelegate(grid_));
    grid_->verticalHeader()->setDefaultSectionSize(18);
    grid_->verticalHeader()->setFixedWidth(12);
    grid_->setColumnWidth(0, 80);
    grid_->setColumnWidth(1, 95);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);

    const std::pair<const char*, int> buttons[] = {
        {"New Table", 200}, {"Open  Table", 224}, {"Save Table", 248}, {"Save Litholog", 272}};
    for (const auto& [text, top] : buttons) {
        auto* b = new QPushButton(QString::fromLatin1(text), page);
        b->setGeometry(5, top, 100, 20);
        buttons_[b->text()] = b;
    }
    buttons_["New Table"]->setObjectName(QStringLiteral("newLithologButton"));
    buttons_["Open  Table"]->setObjectName(QStringLiteral("openLithologButton"));
    buttons_["Save Table"]->setObjectName(QStringLiteral("saveLithologFileButton"));
    buttons_["Save Litholog"]->setObjectName(QStringLiteral("saveLithologBitmapButton"));
    connect(buttons_["New Table"], &QPushButton::clicked, this, &LithologPanel::startNewLitholog);
    connect(buttons_["Open  Table"], &QPushButton::clicked, this, &LithologPanel::openLithologFile);
    connect(buttons_["Save Table"], &QPushButton::clicked, this, [this] { saveLithologFile(); });
    connect(buttons_["Save Litholog"], &QPushButton::clicked, this,
            [this] { saveLithologBitmap(); });

    auto* nav = new QFrame(page);
    nav->setObjectName(QStringLiteral("lithologNavigator"));
    nav->setGeometry(113, 200, 216, 25);
    const QStyle::StandardPixmap icons[] = {
        QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,   QStyle::SP_MediaSeekForward,
        QStyle::SP_MediaSkipForward,  QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QToolButton(nav);
        const QString name = QString::fromLatin1(kNavigatorButtons[i]);
        b->setObjectName(name);
        b->setToolTip(name == "Prior"  ? QStringLiteral("Prior record")
                      : name == "Next" ? QStringLiteral("Next record")
                                       : name + QStringLiteral(" record"));
        b->setIcon(page->style()->standardIcon(icons[i]));
        b->setGeometry(i * 36, 0, 36, 25);
        navigator_[name] = b;
        connect(b, &QToolButton::clicked, this, [this, name] { runNavigatorButton(name); });
    }

    depthScale_ = new DepthScale(QStringLiteral("Litholog"), kDepthScaleExtra, page);
    depthScale_->setObjectName(QStringLiteral("lithologDepthScale"));
    // The depth axis stands beside the column; the scale reaches further left than the axis
    // needs for short depths so that six-digit labels and the axis title still fit.
    depthScale_->setGeometry(368 - kDepthScaleExtra, 5, 73 + kDepthScaleExtra, 565);

    frame_ = new QFrame(page);
    frame_->setObjectName(QStringLiteral("LithologFrame"));
    frame_->setGeometry(440, 57, 42, 486);
    frame_->setFrameShape(QFrame::Box);
    frame_->setLineWidth(1);
    columnImage_ = new QLabel(page);
    columnImage_->setObjectName(QStringLiteral("lithologColumn"));
    columnImage_->setGeometry(441, 58, kColumnWidth, kColumnHeight);
    column_ = QImage(kColumnWidth, kColumnHeight, QImage::Format_RGB32);
    column_.fill(Qt::white);
    columnImage_->setPixmap(QPixmap::fromImage(column_));
    columnImage_->setMouseTracking(true);
    columnImage_->installEventFilter(this);
    cursorLine_ = new QFrame(page);
    cursorLine_->setObjectName(QStringLiteral("lithologCursor"));
    cursorLine_->setStyleSheet(QStringLiteral("background: rgb(220, 0, 0);"));
    cursorLine_->setAttribute(Qt::WA_TransparentForMouseEvents);
    cursorLine_->hide();
    alignDepthScale();
}

void LithologPanel::showCursor(std::optional<double> depth) {
    const auto w = window();
    if (!depth || !(w.bottom > w.top) || *depth < w.top || *depth > w.bottom) {
        cursorLine_->hide();
        return;
    }
    const int row =
        columnImage_->y() + qRound((*depth - w.top) / (w.bottom - w.top) * columnImage_->height());
    cursorLine_->setGeometry(columnImage_->x(), std::min(row, columnImage_->geometry().bottom()),
                             kColumnWidth, 1);
    cursorLine_->show();
    cursorLine_->raise();
}

bool LithologPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != columnImage_) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Leave) emit cursorMoved(std::nullopt, {});
    if (event->type() != QEvent::MouseMove) return false;
    const auto w = window();
    const int height = columnImage_->height();
    if (!(w.bottom > w.top) || height <= 0) return false;
    const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
    const double depth = w.top + (w.bottom - w.top) * pos.y() / height;
    emit cursorMoved(depth, columnImage_->mapToGlobal(pos));
    return false;
}

// The depth scale reads true beside the column: the window's top depth stands level with the
// column's first row and its bottom depth one row below its last, as the intervals are drawn.
void LithologPanel::alignDepthScale() {
    depthScale_->lineUpWith(columnImage_->y(), columnImage_->height());
}

void LithologPanel::lineUpWith(double depth1, int row1, double depth2, int row2) {
    const auto w = window();
    if (!(depth2 != depth1) || !(w.bottom > w.top)) return;
    auto row = [&](double depth) {
        return qRound(row1 + (depth - depth1) / (depth2 - depth1) * (row2 - row1));
    };
    const int top = row(w.top);
    const int height = row(w.bottom) - top;
    if (height < 50 || top < 0) return;  // tracks not laid out yet
    if (top == columnImage_->y() && height == columnImage_->height()) return;
    frame_->setGeometry(frame_->x(), top - 1, frame_->width(), height + 2);
    columnImage_->setGeometry(columnImage_->x(), top, kColumnWidth, height);
    column_ = QImage(kColumnWidth, height, QImage::Format_RGB32);
    alignDepthScale();
    redraw();
}

QPushButton* LithologPanel::button(const QString& name) const {
    auto it = buttons_.find(name);
    return it == buttons_.end() ? nullptr : it->second;
}

QToolButton* LithologPanel::navigatorButton(const QString& name) const {
    auto it = navigator_.find(name);
    return it == navigator_.end() ? nullptr : it->second;
}

chart::DepthWindow LithologPanel::window() const {
    const auto& ws = shell_.workspace();
    chart::DepthWindow w = ws.depthWindow();
    if (shownSpan_) {
        w.top = shownSpan_->first;
        w.bottom = shownSpan_->second;
    }
    return w;
}

void LithologPanel::showDepthSpan(double top, double bottom) {
    const auto whole = shell_.workspace().depthWindow();
    // The tracks keep a little room above and below their samples; the column shows the
    // window's depths at most.
    top = std::max(top, whole.top);
    bottom = std::min(bottom, whole.bottom);
    if (!(bottom > top) || (top == whole.top && bottom == whole.bottom)) {
        if (!shownSpan_) return;
        shownSpan_.reset();
    } else {
        if (shownSpan_ && shownSpan_->first == top && shownSpan_->second == bottom) return;
        shownSpan_ = std::pair(top, bottom);
    }
    redraw();
}

void LithologPanel::logLoaded() {
    auto& ws = shell_.workspace();
    const auto& source = ws.source();
    if (!source.isOpen() || source.totalRecordCount() == 0) return;
    const auto depth = source.floatColumn(ws.sourceDepthField());
    model_.setLogRange(depth.front(), depth.back());
    depthScale_->setDepthTitle(QString::fromStdString(ws.depthLabel()));
    redraw();
}

void LithologPanel::workspaceEmptied() {
    const auto& table = shell_.workspace().litholog();
    model_.replace(table.isOpen() ? lithora::exporter::readLithologTable(table)
                                  : std::vector<LithologInterval>{});
    model_.setMinimum(shell_.workspace().depthWindow().top);
    gridModel_->refresh();
    depthScale_->setDepthTitle(QString());
    depthScale_->setDepthRange(0, 1);
    column_.fill(Qt::white);
    columnImage_->setPixmap(QPixmap::fromImage(column_));
}

const QImage* LithologPanel::pattern(const std::string& name) {
    auto it = patterns_.find(name);
    if (it != patterns_.end()) return it->second.isNull() ? nullptr : &it->second;
    const QString file =
        QDir(patternsFolderFor(shell_.programFolder())).filePath(QString::fromStdString(name));
    QImage image(file, "BMP");
    patterns_[name] = image;
    if (image.isNull() && !warnedPatterns_.contains(file)) {
        // One warning per missing file: the interval stays white on every later redraw.
        warnedPatterns_.insert(file);
        error(
            QStringLiteral("Cannot open the pattern file %1.").arg(QDir::toNativeSeparators(file)),
            QMessageBox::Warning);
    }
    return image.isNull() ? nullptr : &patterns_[name];
}

void LithologPanel::drawWindowLabels(QPainter& p) {
    const auto rows = chart::windowLabelRows(column_.height());
    const auto w = window();
    auto label = [&](int row, double depth) {
        const QString text = columnDepthText(depth, p.fontMetrics(), kColumnWidth);
        const QRect r = p.fontMetrics().boundingRect(text);
        p.fillRect(QRect(0, row, r.width() + 1, p.fontMetrics().height()), Qt::white);
        p.drawText(QRect(0, row, kColumnWidth, p.fontMetrics().height()),
                   Qt::AlignLeft | Qt::AlignTop, text);
    };
    label(rows.bottom, w.bottom);
    label(rows.top, w.top);
}

void LithologPanel::redraw() {
    const auto w = window();
    column_.fill(Qt::white);
    depthScale_->setDepthRange(w.top, w.bottom);
    if (w.bottom != w.top) {
        QPainter p(&column_);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(8);  // 6 points on a 96 dpi screen
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(255, 0, 0));
        for (const auto& iv : model_.intervals()) {
            if (!iv.complete()) continue;
            auto rows = chart::intervalRows(iv.top, iv.bottom, w, column_.height());
            if (!rows) continue;
            const QRect band(0, rows->y1, kColumnWidth, rows->y2 - rows->y1);
            p.fillRect(band, Qt::white);
            if (const QImage* img = pattern(iv.lithology)) {
                p.setBrushOrigin(0, 0);
                p.fillRect(band, QBrush(*img));
            }
            const QString text = columnDepthText(iv.bottom, p.fontMetrics(), kColumnWidth);
            const QRect tr = p.fontMetrics().boundingRect(text);
            p.fillRect(QRect(0, rows->labelRow, tr.width() + 1, p.fontMetrics().height()),
                       Qt::white);
            p.drawText(QRect(0, rows->labelRow, kColumnWidth, p.fontMetrics().height()),
                       Qt::AlignLeft | Qt::AlignTop, text);
        }
        drawWindowLabels(p);
    }
    columnImage_->setPixmap(QPixmap::fromImage(column_));
}

void LithologPanel::error(const QString& text, QMessageBox::Icon icon) {
    shell_.seam().message(page_, icon, QStringLiteral("Lithora"), text, QMessageBox::Ok);
}

void LithologPanel::information(const QString& text) {
    error(text, QMessageBox::Information);
}

bool LithologPanel::sourceEmpty() {
    const auto& source = shell_.workspace().source();
    if (source.isOpen() && source.totalRecordCount() > 0) return false;
    information(QStringLiteral("Source Table is empty."));
    return true;
}

int LithologPanel::completeIntervals() const {
    int n = 0;
    for (const auto& iv : model_.intervals())
        if (iv.complete()) ++n;
    return n;
}

bool LithologPanel::store() {
    try {
        lithora::exporter::storeLithologTable(model_, shell_.workspace().litholog());
        return true;
    } catch (const std::exception& e) {
        error(QString::fromStdString(e.what()));
        return false;
    }
}

void LithologPanel::showModel(int focusRow, int focusColumn) {
    // The grid always offers the next interval below the last, until the log is complete.
    if (!model_.empty() && model_.intervals().back().complete()) model_.append();
    gridModel_->refresh();
    redraw();
    // The focus moves once the grid has finished with the editor that made the change.
    QMetaObject::invokeMethod(
        this,
        [this, focusRow, focusColumn] {
            if (focusRow >= 0 && focusRow < gridModel_->rowCount())
                grid_->setCurrentIndex(gridModel_->index(focusRow, focusColumn));
        },
        Qt::QueuedConnection);
}

bool LithologPanel::typeBottom(int row, const QString& text) {
    const std::string t = text.trimmed().toStdString();
    // An editor left without typing is no edit.
    if (t.empty() || text == gridModel_->index(row, 1).data(Qt::EditRole).toString()) return true;
    auto value = lithora::parseNumber(t, localeDecimalPoint());
    if (!value) value = lithora::parseNumber(t, '.');
    if (!value) {
        error(QStringLiteral("'%1' is not a valid number.").arg(text));
        return false;
    }
    try {
        model_.setBottom(static_cast<std::size_t>(row), *value);
    } catch (const lithora::Error& e) {
        error(QString::fromStdString(e.what()));
        return false;
    }
    store();
    const bool hasName = !model_.intervals()[static_cast<std::size_t>(row)].lithology.empty();
    showModel(row, hasName ? 1 : 2);
    return true;
}

bool LithologPanel::chooseLithology(int row, const QString& name) {
    try {
        model_.setLithology(static_cast<std::size_t>(row), name.toStdString());
    } catch (const lithora::Error& e) {
        error(QString::fromStdString(e.what()));
        return false;
    }
    store();
    // The grid goes on to the next interval unless the log is complete.
    const bool wentOn = static_cast<std::size_t>(row) + 1 == model_.size() && model_.append();
    showModel(wentOn ? row + 1 : row, wentOn ? 1 : 2);
    return true;
}

void LithologPanel::offerKeptIntervals() {
    const int kept = completeIntervals();
    if (kept == 0) return;
    const auto answer = shell_.seam().message(
        page_, QMessageBox::Question, QStringLiteral("Lithora"),
        QStringLiteral("The litholog of the last session was kept: %1 intervals.\n\n"
                       "Save it as a litholog file now?")
            .arg(kept),
        QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) saveLithologFile();
}

void LithologPanel::startNewLitholog() {
    if (sourceEmpty()) return;
    auto& ws = shell_.workspace();
    const int kept = completeIntervals();
    if (kept > 0 &&
        shell_.seam().message(
            page_, QMessageBox::Question, QStringLiteral("Lithora"),
            QStringLiteral("The litholog holds %1 intervals. Empty it and start a new one?")
                .arg(kept),
            QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    if (!model_.empty()) model_.setMinimum(ws.depthWindow().top);
    model_.startNew(ws.source().cellFloat(0, ws.sourceDepthField()));
    store();
    showModel(0, 1);
    shell_.restoreFolder();
}

void LithologPanel::openLithologFile() {
    if (sourceEmpty()) return;
    if (completeIntervals() > 1) {
        information(QStringLiteral(
            "The litholog already holds intervals: choose New Table before opening a file."));
        return;
    }
    const QString file =
        shell_.seam().openFileName(page_, QStringLiteral("Open Litholog Information"),
                                   QStringLiteral("Litholog files (*.llg)"), QStringLiteral("llg"));
    shell_.restoreFolder();
    if (file.isEmpty()) return;
    lithora::exporter::LithologFileRead read;
    try {
        read = lithora::exporter::readLithologFile(file.toStdString(), model_);
    } catch (const lithora::Error& e) {
        error(QString::fromStdString(e.what()));
        return;
    }
    model_.replace(std::move(read.intervals));
    // What was just read from a file is saved work.
    if (store()) shell_.workspace().markLithologSaved();
    showModel(static_cast<int>(model_.size()) - 1, 1);
    if (!read.error.empty()) error(QString::fromStdString(read.error));
}

QString LithologPanel::restoreIntervals(
    const std::vector<lithora::exporter::LithologInterval>& intervals) {
    // The session's intervals pass the reader of litholog files, so they meet the same rules.
    lithora::exporter::LithologFileRead read =
        lithora::exporter::readLithologText(lithora::exporter::lithologFileText(intervals), model_);
    model_.replace(std::move(read.intervals));
    if (store()) shell_.workspace().markLithologSaved();
    showModel(static_cast<int>(model_.size()) - 1, 1);
    return QString::fromStdString(read.error);
}

bool LithologPanel::saveLithologFile() {
    if (completeIntervals() == 0) {
        information(QStringLiteral("Litholog information table is empty."));
        return false;
    }
    const QString file =
        shell_.seam().saveFileName(page_, QStringLiteral("Save Litholog Information"),
                                   QStringLiteral("Litholog files (*.llg)"), QStringLiteral("llg"));
    bool written = false;
    if (!file.isEmpty()) {
        try {
            lithora::exporter::writeLithologFile(file.toStdString(), model_.intervals());
            written = true;
            shell_.workspace().markLithologSaved();
        } catch (const lithora::Error& e) {
            error(QString::fromStdString(e.what()));
        }
    }
    shell_.restoreFolder();
    return written;
}

bool LithologPanel::saveLithologBitmap() {
    if (completeIntervals() == 0) {
        information(QStringLiteral("Litholog information table is empty."));
        return false;
    }
    const QString file =
        shell_.seam().saveFileName(page_, QStringLiteral("Save Bitmap"),
                                   QStringLiteral("Bitmap Files (*.bmp)"), QStringLiteral("bmp"));
    bool written = false;
    if (!file.isEmpty()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        savedBitmap().save(&buffer, "BMP");
        try {
            lithora::writeWholeFile(
                file.toStdString(),
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
            written = true;
        } catch (const lithora::Error& e) {
            error(QString::fromStdString(e.what()));
        }
    }
    shell_.restoreFolder();
    return written;
}

QImage LithologPanel::savedBitmap() const {
    const QString header = pageHeaderText();
    if (header.isEmpty()) return column_;
    // The header as every exported picture carries it, above the column: the picture is wide
    // enough for the header to be read, the column stands at its left.
    constexpr int kWidth = 240, kMargin = 4;
    QImage image(kWidth, 1, QImage::Format_RGB32);
    const int headerHeight =
        qCeil(pageHeaderHeight(header, kWidth - 2 * kMargin, kPictureHeaderPixels, &image));
    const int columnTop = kMargin + headerHeight + kMargin;
    image = QImage(kWidth, columnTop + column_.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    drawPageHeader(p, QPointF(kMargin, kMargin), kWidth - 2 * kMargin, kPictureHeaderPixels,
                   header);
    p.drawImage(0, columnTop, column_);
    return image;
}

void LithologPanel::runNavigatorButton(const QString& name) {
    const int rows = gridModel_->rowCount();
    const int current = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
    const int column = std::max(0, grid_->currentIndex().column());
    auto go = [&](int row) {
        if (rows > 0)
            grid_->setCurrentIndex(gridModel_->index(std::clamp(row, 0, rows - 1), column));
    };
    if (name == "First") return go(0);
    if (name == "Prior") return go(current - 1);
    if (name == "Next") return go(current + 1);
    if (name == "Last") return go(rows - 1);
    if (name == "Insert") {
        if (sourceEmpty()) return;
        const int at =
            model_.insertBefore(current < 0 ? model_.size() : static_cast<std::size_t>(current));
        if (at < 0) return;  // nothing goes below the bottom of the log
        gridModel_->refresh();
        const QModelIndex cell = gridModel_->index(at, 1);
        grid_->setCurrentIndex(cell);
        grid_->edit(cell);
        return;
    }
    if (name == "Delete") {
        if (current < 0) return;
        if (shell_.seam().message(page_, QMessageBox::Question, QStringLiteral("Lithora"),
                                  QStringLiteral("Delete record?"),
                                  QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
            return;
        model_.remove(static_cast<std::size_t>(current));
        store();
        showModel(std::min(current, static_cast<int>(model_.size()) - 1), column);
    }
}
