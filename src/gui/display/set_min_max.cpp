#include "gui/display/set_min_max.h"

#include <QLabel>
#include <QPushButton>

#include "gui/display/limits_dialog_parts.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/number_box.h"

TSetMinMax::TSetMinMax(double minimum, double maximum, DialogSeam& seam, QWidget* parent)
    : QDialog(parent), seam_(seam) {
    setObjectName(QStringLiteral("SetMinMax"));
    setWindowTitle(QStringLiteral("Set Min, Max"));
    setFixedSize(375, 136);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    addHeading(this, QStringLiteral("Enter minimum and maximum values for the log:"),
               QRect(8, 6, 360, 22));

    const QString navy = QStringLiteral("color: #000080;");
    auto* minCaption = new QLabel(QStringLiteral("Minimum"), this);
    auto* maxCaption = new QLabel(QStringLiteral("Maximum"), this);
    for (QLabel* l : {minCaption, maxCaption}) {
        l->setFont(limitsDialogFont("Arial", 13, true));
        l->setStyleSheet(navy);
        l->adjustSize();
    }
    minCaption->move(25, 32);
    maxCaption->move(231, 32);

    Edit1_ = new NumberBox(this);
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    Edit1_->setGeometry(24, 56, 113, 24);
    Edit1_->setValue(minimum);
    Edit2_ = new NumberBox(this);
    Edit2_->setObjectName(QStringLiteral("Edit2"));
    Edit2_->setGeometry(232, 56, 113, 24);
    Edit2_->setValue(maximum);

    auto [ok, cancel] = addOkCancel(this, QRect(104, 95, 129, 33), QRect(241, 95, 129, 33));
    connect(ok, &QPushButton::clicked, this, &TSetMinMax::sButton1Click);
    connect(cancel, &QPushButton::clicked, this, &TSetMinMax::sButton2Click);
}

void TSetMinMax::sButton1Click() {
    const auto lo = Edit1_->value();
    const auto hi = Edit2_->value();
    if (!lo || !hi) {
        seam_.message(this, QMessageBox::Warning, QStringLiteral("Set Min, Max"),
                      QStringLiteral("Enter a number in both boxes."), QMessageBox::Ok);
        (lo ? Edit2_ : Edit1_)->setFocus();
        return;
    }
    answer_ = std::make_pair(*lo, *hi);
    accept();
}

void TSetMinMax::sButton2Click() {
    answer_ = std::make_pair(0.0, 0.0);
    reject();
}
