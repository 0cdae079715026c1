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

    minimumBox_ = new NumberBox(this);
    minimumBox_->setObjectName(QStringLiteral("minimumBox"));
    minimumBox_->setGeometry(24, 56, 113, 24);
    minimumBox_->setValue(minimum);
    maximumBox_ = new NumberBox(this);
    maximumBox_->setObjectName(QStringLiteral("maximumBox"));
    maximumBox_->setGeometry(232, 56, 113, 24);
    maximumBox_->setValue(maximum);

    auto [okButton, cancelButton] =
        addOkCancel(this, QRect(104, 95, 129, 33), QRect(241, 95, 129, 33));
    connect(okButton, &QPushButton::clicked, this, &TSetMinMax::applyLimits);
    connect(cancelButton, &QPushButton::clicked, this, &TSetMinMax::cancel);
}

void TSetMinMax::applyLimits() {
    const auto lo = minimumBox_->value();
    const auto hi = maximumBox_->value();
    if (!lo || !hi) {
        seam_.message(this, QMessageBox::Warning, QStringLiteral("Set Min, Max"),
                      QStringLiteral("Enter a number in both boxes."), QMessageBox::Ok);
        (lo ? maximumBox_ : minimumBox_)->setFocus();
        return;
    }
    answer_ = std::make_pair(*lo, *hi);
    accept();
}

void TSetMinMax::cancel() {
    answer_ = std::make_pair(0.0, 0.0);
    reject();
}
