#include "gui/compute/select_log.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 309;
constexpr int kClientHeight = 166;

QFont pixelFont(const char* family, int pixels, bool bold) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

}  // namespace

QStringList Tselectlog::candidates(const lithora::RoleLists& roles) {
    QStringList out;
    for (const auto& name : roles.density) out << QString::fromStdString(name);
    for (const auto& name : roles.gammaRay) out << QString::fromStdString(name);
    return out;
}

Tselectlog::Tselectlog(const lithora::RoleLists& roles, QWidget* parent)
    : Tselectlog(candidates(roles), parent) {}

Tselectlog::Tselectlog(const QStringList& candidates, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("selectlog"));
    setWindowTitle(QStringLiteral("Correlation Coefficient Calculation"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    auto* heading = new QLabel(QStringLiteral("Select convenient log for calculation:"), this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setFont(pixelFont("Arial", 17, true));
    layout->addWidget(heading);

    // Two columns, filled down the first column and then the second.
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("curveGroup"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(10, 6, 10, 6);
    grid->setVerticalSpacing(2);
    group_ = new QButtonGroup(this);
    const auto perColumn = (candidates.size() + 1) / 2;
    const QFont itemFont = pixelFont("Tahoma", 13, true);
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        auto* b = new QRadioButton(candidates[i], box);
        b->setFont(itemFont);
        b->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
        group_->addButton(b, static_cast<int>(i));
        grid->addWidget(b, static_cast<int>(i % perColumn), static_cast<int>(i / perColumn));
        buttons_ << b;
    }
    if (candidates.isEmpty()) {
        auto* none =
            new QLabel(QStringLiteral("No density or gamma-ray curve was recognised."), box);
        none->setObjectName(QStringLiteral("NoCandidate"));
        none->setWordWrap(true);
        grid->addWidget(none, 0, 0);
    }
    layout->addWidget(box, 1);

    const QFont buttonFont = pixelFont("Tahoma", 13, true);
    auto* row = new QHBoxLayout;
    ok_ = new QPushButton(QStringLiteral("Ok"), this);
    ok_->setObjectName(QStringLiteral("okButton"));
    ok_->setFont(buttonFont);
    ok_->setStyleSheet(QStringLiteral("QPushButton:enabled { color: rgb(0, 128, 0); }"));
    ok_->setMinimumSize(110, 30);
    ok_->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setFont(buttonFont);
    cancelButton->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    cancelButton->setMinimumSize(110, 30);
    row->addWidget(ok_);
    row->addStretch(1);
    row->addWidget(cancelButton);
    layout->addLayout(row);
    connect(ok_, &QPushButton::clicked, this, &Tselectlog::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &Tselectlog::cancel);

    // With nothing to choose "Ok" would have nothing to answer.
    ok_->setEnabled(!buttons_.isEmpty());
    if (!buttons_.isEmpty()) buttons_.front()->setChecked(true);
    if (buttons_.isEmpty()) cancelButton->setDefault(true);

    // The dialog's own size, larger only where many curves or large fonts need more room.
    setFixedSize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
}

QStringList Tselectlog::items() const {
    QStringList out;
    for (const QRadioButton* b : buttons_) out << b->text();
    return out;
}

bool Tselectlog::select(const QString& name) {
    for (QRadioButton* b : buttons_) {
        if (b->text() == name) {
            b->setChecked(true);
            return true;
        }
    }
    return false;
}

void Tselectlog::confirm() {
    const QAbstractButton* chosen = group_->checkedButton();
    if (!chosen) return;
    ReferenceLog_ = chosen->text();
    accept();
}

void Tselectlog::cancel() {
    ReferenceLog_.clear();
    reject();
}
