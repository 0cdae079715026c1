#include "gui/import/read_files_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "core/commands/merge_files.h"

using lithora::import::MergeChoice;

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    return b;
}

QLabel* makeLabel(QWidget* parent, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

bool sameCurve(const MergeChoice& a, const MergeChoice& b) {
    return a.file == b.file && a.column == b.column;
}

}  // namespace

TRead_Files::TRead_Files(CommandContext context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)) {
    setWindowTitle(QStringLiteral("Open"));
    setObjectName(QStringLiteral("Read_Files"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(484, 525);

    auto* add = makeButton(this, "addFileButton", QStringLiteral("Add File"), {10, 10, 100, 28});
    makeLabel(this, QStringLiteral("Files"), {10, 44, 200, 18});
    fileList_ = new QPlainTextEdit(this);
    fileList_->setObjectName(QStringLiteral("fileList"));
    // The list shows what will be read; paths are added with "Add File", not typed.
    fileList_->setReadOnly(true);
    fileList_->setLineWrapMode(QPlainTextEdit::NoWrap);
    fileList_->setGeometry(10, 64, 464, 86);

    makeLabel(this, QStringLiteral("Curves"), {10, 160, 200, 18});
    curveList_ = new QListWidget(this);
    curveList_->setObjectName(QStringLiteral("curveList"));
    curveList_->setGeometry(10, 180, 200, 290);

    addCurvesButton_ =
        makeButton(this, "addCurvesButton", QStringLiteral(">>"), {220, 260, 44, 28});
    removeCurvesButton_ =
        makeButton(this, "removeCurvesButton", QStringLiteral("<<"), {220, 298, 44, 28});

    makeLabel(this, QStringLiteral("Chosen (the first is the depth)"), {274, 160, 200, 18});
    chosenList_ = new QListWidget(this);
    chosenList_->setObjectName(QStringLiteral("chosenList"));
    chosenList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    chosenList_->setWordWrap(false);
    QFont bold = chosenList_->font();
    bold.setBold(true);
    chosenList_->setFont(bold);
    chosenList_->setStyleSheet(QStringLiteral("QListWidget { color: rgb(128, 128, 192); }"));
    chosenList_->setGeometry(274, 180, 200, 290);

    auto* all =
        makeButton(this, "selectAllButton", QStringLiteral("Select All"), {10, 480, 96, 30});
    auto* none =
        makeButton(this, "unselectAllButton", QStringLiteral("Unselect All"), {114, 480, 96, 30});
    okButton_ = makeButton(this, "okButton", QStringLiteral("OK"), {294, 480, 86, 30});
    okButton_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    okButton_->setDefault(true);
    auto* cancelButton =
        makeButton(this, "cancelButton", QStringLiteral("Cancel"), {388, 480, 86, 30});
    cancelButton->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    connect(add, &QPushButton::clicked, this, &TRead_Files::addFiles);
    connect(addCurvesButton_, &QPushButton::clicked, this, &TRead_Files::addTickedCurves);
    connect(removeCurvesButton_, &QPushButton::clicked, this, &TRead_Files::removeSelectedCurves);
    connect(all, &QPushButton::clicked, this, &TRead_Files::tickAllCurves);
    connect(none, &QPushButton::clicked, this, &TRead_Files::untickAllCurves);
    connect(okButton_, &QPushButton::clicked, this, &TRead_Files::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &TRead_Files::cancel);
    connect(chosenList_, &QListWidget::itemSelectionChanged, this, &TRead_Files::updateButtons);
    connect(curveList_, &QListWidget::itemChanged, this, &TRead_Files::updateButtons);
    updateButtons();
}

std::vector<std::filesystem::path> TRead_Files::files() const {
    return files_;
}

std::vector<MergeChoice> TRead_Files::chosen() const {
    return selected_;
}

void TRead_Files::updateButtons() {
    bool anyChecked = false;
    for (int i = 0; i < curveList_->count() && !anyChecked; ++i)
        anyChecked = curveList_->item(i)->checkState() == Qt::Checked;
    addCurvesButton_->setEnabled(anyChecked);
    removeCurvesButton_->setEnabled(!chosenList_->selectedItems().isEmpty());
    okButton_->setEnabled(!selected_.empty());
}

void TRead_Files::addFiles() {
    const QStringList chosenFiles =
        ctx_.seam.openFileNames(this, QStringLiteral("Opening Las File"),
                                QStringLiteral("LAS files (*.las)"), QStringLiteral("las"));
    if (ctx_.restoreFolder) ctx_.restoreFolder();
    if (chosenFiles.isEmpty()) return;
    std::vector<std::filesystem::path> paths;
    for (const QString& f : chosenFiles) paths.emplace_back(f.toStdString());

    lithora::commands::ListOutcome listed;
    {
        BusyCursor busy;
        listed = lithora::commands::listMergeFiles(ctx_.workspace, paths);
    }
    for (const auto& file : listed.files) {
        const std::size_t index = files_.size();
        files_.push_back(file.path);
        const QString path = QString::fromStdString(file.path.string());
        const QString fileName = QString::fromStdString(file.path.filename().string());
        fileList_->appendPlainText(path);
        for (std::size_t k = 0; k < file.curves.size(); ++k) {
            // Each curve with its file, so the same mnemonic of two files is told apart.
            const QString name =
                fileName + QStringLiteral(": ") + QString::fromStdString(file.curves[k]);
            auto* item = new QListWidgetItem(name, curveList_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(Qt::Unchecked);
            item->setToolTip(path);
            entries_.push_back({index, static_cast<int>(k) + 1, file.curves[k]});
        }
    }
    updateButtons();
    if (!listed.message.empty())
        ctx_.message(QMessageBox::Critical, QString::fromStdString(listed.message));
}

void TRead_Files::addTickedCurves() {
    for (int i = 0; i < curveList_->count(); ++i) {
        if (curveList_->item(i)->checkState() != Qt::Checked) continue;
        const MergeChoice& entry = entries_[static_cast<std::size_t>(i)];
        // A curve is chosen once: the table cannot hold it twice.
        if (std::any_of(selected_.begin(), selected_.end(),
                        [&](const MergeChoice& s) { return sameCurve(s, entry); }))
            continue;
        selected_.push_back(entry);
        auto* item = new QListWidgetItem(curveList_->item(i)->text(), chosenList_);
        item->setToolTip(curveList_->item(i)->toolTip());
    }
    updateButtons();
}

void TRead_Files::removeSelectedCurves() {
    for (int row = chosenList_->count() - 1; row >= 0; --row) {
        if (!chosenList_->item(row)->isSelected()) continue;
        delete chosenList_->takeItem(row);
        selected_.erase(selected_.begin() + row);
    }
    updateButtons();
}

void TRead_Files::setAllChecked(bool on) {
    for (int i = 0; i < curveList_->count(); ++i)
        curveList_->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    updateButtons();
}

void TRead_Files::tickAllCurves() {
    setAllChecked(true);
}

void TRead_Files::untickAllCurves() {
    setAllChecked(false);
}

void TRead_Files::confirm() {
    if (selected_.empty()) return;
    if (auto error = lithora::import::mergeChoiceError(files_.size(), selected_)) {
        ctx_.message(QMessageBox::Warning, QString::fromStdString(*error));
        return;
    }
    accept();
}

void TRead_Files::cancel() {
    reject();
}
