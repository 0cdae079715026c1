#include "gui/timelapse/track_selection.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

QFont buttonFont() {
    QFont f(QStringLiteral("Tahoma"));
    f.setBold(true);
    return f;
}

}  // namespace

TTrackSelection::TTrackSelection(const QStringList& curves, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("LAS Tracks"));
    setObjectName(QStringLiteral("TrackSelection"));
    setFixedSize(372, 154);

    auto* label = new QLabel(QStringLiteral("Select which track do you want to be used:"), this);
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPixelSize(19);
    label->setFont(labelFont);
    // The question stands on two lines where the font is wider than the dialog.
    label->setWordWrap(true);
    label->setGeometry(12, 4, 350, 50);

    curveBox_ = new QComboBox(this);
    curveBox_->setObjectName(QStringLiteral("curveBox"));
    curveBox_->addItems(curves);
    curveBox_->setCurrentIndex(curves.isEmpty() ? -1 : 0);
    curveBox_->setGeometry(12, 60, 348, 26);

    okButton_ = new QPushButton(QStringLiteral("Ok"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setFont(buttonFont());
    okButton_->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    okButton_->setGeometry(96, 104, 80, 30);
    okButton_->setDefault(true);
    okButton_->setEnabled(!curves.isEmpty());

    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setFont(buttonFont());
    cancelButton_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    cancelButton_->setGeometry(196, 104, 80, 30);

    connect(okButton_, &QPushButton::clicked, this, &TTrackSelection::confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &TTrackSelection::cancel);
}

void TTrackSelection::confirm() {
    chosen_ = curveBox_->currentIndex() >= 0 ? curveBox_->currentIndex() + 1 : -1;
    if (chosen_ < 0) return;
    accept();
}

void TTrackSelection::cancel() {
    chosen_ = -1;
    reject();
}
