#include "gui/display/set_min_max.h"

#include <QLabel>
#include <QPushButton>

#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/number_box.h"

namespace {

QFont fontOf(const char* family, int pixels, bool bold) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

}  // namespace

TSetMinMax::TSetMinMax(double minimum, double maximum, DialogSeam& seam, QWidget* parent)
    : QDialog(parent), seam_(seam) {
    setObjectName(QStringLiteral("SetMinMax"));
    setWindowTitle(QStringLiteral("Set Min, Max"));
    setFixedSize(375, 136);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* heading =
        new QLabel(QStringLiteral("Enter minimum and maximum values for the log:"), this);
    heading->setFont(fontOf("Arial", 16, true));
    heading->setGeometry(8, 6, 360, 22);

    const QString navy = QStringLiteral("color: #000080;");
    auto* minCaption = new QLabel(QStringLiteral("Minimum"), this);
    auto* maxCaption = new QLabel(QStringLiteral("Maximum"), this);
    for (QLabel* l : {minCaption, maxCaption}) {
        l->setFont(fontOf("Arial", 13, true));
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

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("sButton1"));
    ok->setGeometry(104, 95, 129, 33);
    ok->setFont(fontOf("Tahoma", 13, true));
    ok->setStyleSheet(QStringLiteral("color: green;"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("sButton2"));
    cancel->setGeometry(241, 95, 129, 33);
    cancel->setStyleSheet(QStringLiteral("color: red;"));
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
