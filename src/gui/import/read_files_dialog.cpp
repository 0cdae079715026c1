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

    auto* add = makeButton(this, "Button1", QStringLiteral("Add File"), {10, 10, 100, 28});
    makeLabel(this, QStringLiteral("Files"), {10, 44, 200, 18});
    Memo1_ = new QPlainTextEdit(this);
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    // The list shows what will be read; paths are added with "Add File", not typed.
    Memo1_->setReadOnly(true);
    Memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1_->setGeometry(10, 64, 464, 86);

    makeLabel(this, QStringLiteral("Curves"), {10, 160, 200, 18});
    CheckListBox1_ = new QListWidget(this);
    CheckListBox1_->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1_->setGeometry(10, 180, 200, 290);

    Button2_ = makeButton(this, "Button2", QStringLiteral(">>"), {220, 260, 44, 28});
    Button5_ = makeButton(this, "Button5", QStringLiteral("<<"), {220, 298, 44, 28});

    makeLabel(this, QStringLiteral("Chosen (the first is the depth)"), {274, 160, 200, 18});
    Memo2_ = new QListWidget(this);
    Memo2_->setObjectName(QStringLiteral("Memo2"));
    Memo2_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Memo2_->setWordWrap(false);
    QFont bold = Memo2_->font();
    bold.setBold(true);
    Memo2_->setFont(bold);
    Memo2_->setStyleSheet(QStringLiteral("QListWidget { color: rgb(128, 128, 192); }"));
    Memo2_->setGeometry(274, 180, 200, 290);

    auto* all = makeButton(this, "Button3", QStringLiteral("Select All"), {10, 480, 96, 30});
    auto* none = makeButton(this, "Button4", QStringLiteral("Unselect All"), {114, 480, 96, 30});
    BitBtn1_ = makeButton(this, "BitBtn1", QStringLiteral("OK"), {294, 480, 86, 30});
    BitBtn1_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1_->setDefault(true);
    auto* cancel = makeButton(this, "BitBtn2", QStringLiteral("Cancel"), {388, 480, 86, 30});
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    connect(add, &QPushButton::clicked, this, &TRead_Files::Button1Click);
    connect(Button2_, &QPushButton::clicked, this, &TRead_Files::Button2Click);
    connect(Button5_, &QPushButton::clicked, this, &TRead_Files::Button5Click);
    connect(all, &QPushButton::clicked, this, &TRead_Files::Button3Click);
    connect(none, &QPushButton::clicked, this, &TRead_Files::Button4Click);
    connect(BitBtn1_, &QPushButton::clicked, this, &TRead_Files::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &TRead_Files::BitBtn2Click);
    connect(Memo2_, &QListWidget::itemSelectionChanged, this, &TRead_Files::updateButtons);
    connect(CheckListBox1_, &QListWidget::itemChanged, this, &TRead_Files::updateButtons);
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
    for (int i = 0; i < CheckListBox1_->count() && !anyChecked; ++i)
        anyChecked = CheckListBox1_->item(i)->checkState() == Qt::Checked;
    Button2_->setEnabled(anyChecked);
    Button5_->setEnabled(!Memo2_->selectedItems().isEmpty());
    BitBtn1_->setEnabled(!selected_.empty());
}

void TRead_Files::Button1Click() {
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
        Memo1_->appendPlainText(path);
        for (std::size_t k = 0; k < file.curves.size(); ++k) {
            const QString name = QString::fromStdString(file.curves[k]);
            auto* item = new QListWidgetItem(name, CheckListBox1_);
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

void TRead_Files::Button2Click() {
    for (int i = 0; i < CheckListBox1_->count(); ++i) {
        if (CheckListBox1_->item(i)->checkState() != Qt::Checked) continue;
        const MergeChoice& entry = entries_[static_cast<std::size_t>(i)];
        // A curve is chosen once: the table cannot hold it twice.
        if (std::any_of(selected_.begin(), selected_.end(),
                        [&](const MergeChoice& s) { return sameCurve(s, entry); }))
            continue;
        selected_.push_back(entry);
        auto* item = new QListWidgetItem(QString::fromStdString(entry.name), Memo2_);
        item->setToolTip(CheckListBox1_->item(i)->toolTip());
    }
    updateButtons();
}

void TRead_Files::Button5Click() {
    for (int row = Memo2_->count() - 1; row >= 0; --row) {
        if (!Memo2_->item(row)->isSelected()) continue;
        delete Memo2_->takeItem(row);
        selected_.erase(selected_.begin() + row);
    }
    updateButtons();
}

void TRead_Files::setAllChecked(bool on) {
    for (int i = 0; i < CheckListBox1_->count(); ++i)
        CheckListBox1_->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    updateButtons();
}

void TRead_Files::Button3Click() {
    setAllChecked(true);
}

void TRead_Files::Button4Click() {
    setAllChecked(false);
}

void TRead_Files::BitBtn1Click() {
    if (selected_.empty()) return;
    if (auto error = lithora::import::mergeChoiceError(files_.size(), selected_)) {
        ctx_.message(QMessageBox::Warning, QString::fromStdString(*error));
        return;
    }
    accept();
}

void TRead_Files::BitBtn2Click() {
    reject();
}
