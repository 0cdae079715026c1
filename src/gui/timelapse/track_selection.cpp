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

    ComboBox1_ = new QComboBox(this);
    ComboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1_->addItems(curves);
    ComboBox1_->setCurrentIndex(curves.isEmpty() ? -1 : 0);
    ComboBox1_->setGeometry(12, 60, 348, 26);

    sButton1_ = new QPushButton(QStringLiteral("Ok"), this);
    sButton1_->setObjectName(QStringLiteral("sButton1"));
    sButton1_->setFont(buttonFont());
    sButton1_->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    sButton1_->setGeometry(96, 104, 80, 30);
    sButton1_->setDefault(true);
    sButton1_->setEnabled(!curves.isEmpty());

    sButton2_ = new QPushButton(QStringLiteral("Cancel"), this);
    sButton2_->setObjectName(QStringLiteral("sButton2"));
    sButton2_->setFont(buttonFont());
    sButton2_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    sButton2_->setGeometry(196, 104, 80, 30);

    connect(sButton1_, &QPushButton::clicked, this, &TTrackSelection::sButton1Click);
    connect(sButton2_, &QPushButton::clicked, this, &TTrackSelection::sButton2Click);
}

void TTrackSelection::sButton1Click() {
    chosen_ = ComboBox1_->currentIndex() >= 0 ? ComboBox1_->currentIndex() + 1 : -1;
    if (chosen_ < 0) return;
    accept();
}

void TTrackSelection::sButton2Click() {
    chosen_ = -1;
    reject();
}
