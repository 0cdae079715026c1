#include "gui/display/set_min_max_comp.h"

#include <QLabel>
#include <QPushButton>

#include "gui/display/limits_dialog_parts.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/number_box.h"

namespace {

constexpr int kBoxWidth = 113;
constexpr int kBoxHeight = 24;

}  // namespace

TSetMinMaxComp::TSetMinMaxComp(const Row& row1, const Row& row2, DialogSeam& seam, QWidget* parent)
    : QDialog(parent), seam_(seam) {
    setObjectName(QStringLiteral("SetMinMaxComp"));
    setWindowTitle(QStringLiteral("Set Min, Max"));
    setFixedSize(403, 217);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    addHeading(this, QStringLiteral("Enter minimum and maximum values for the logs:"),
               QRect(8, 6, 390, 22));

    auto* minCaption = new QLabel(QStringLiteral("Minimum"), this);
    auto* maxCaption = new QLabel(QStringLiteral("Maximum"), this);
    for (QLabel* l : {minCaption, maxCaption}) {
        l->setFont(limitsDialogFont("Arial", 13, true));
        l->setStyleSheet(QStringLiteral("color: #000080;"));
        l->adjustSize();
    }
    minCaption->move(121, 32);
    maxCaption->move(271, 32);

    // A row caption names an axis; a long title is elided rather than run under the boxes.
    auto makeRow = [this](const Row& row, int captionTop, int boxTop, QLabel*& label,
                          NumberBox*& lo, NumberBox*& hi, const char* names[3]) {
        label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(names[0]));
        label->setFont(limitsDialogFont("Arial", 13, true));
        label->setStyleSheet(QStringLiteral("color: green;"));
        label->setGeometry(9, captionTop, 385, 20);
        const QString text = row.caption.isEmpty() ? QStringLiteral("Log") : row.caption;
        label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, label->width()));
        label->setToolTip(text);
        lo = new NumberBox(this);
        lo->setObjectName(QString::fromLatin1(names[1]));
        lo->setGeometry(120, boxTop, kBoxWidth, kBoxHeight);
        lo->setValue(row.minimum);
        hi = new NumberBox(this);
        hi->setObjectName(QString::fromLatin1(names[2]));
        hi->setGeometry(272, boxTop, kBoxWidth, kBoxHeight);
        hi->setValue(row.maximum);
    };
    const char* names1[3] = {"firstCaption", "firstMinimumBox", "firstMaximumBox"};
    const char* names2[3] = {"secondCaption", "secondMinimumBox", "secondMaximumBox"};
    makeRow(row1, 56, 80, firstCaption_, firstMinimumBox_, firstMaximumBox_, names1);
    makeRow(row2, 112, 136, secondCaption_, secondMinimumBox_, secondMaximumBox_, names2);

    auto [okButton, cancelButton] =
        addOkCancel(this, QRect(112, 175, 129, 33), QRect(264, 175, 129, 33));
    connect(okButton, &QPushButton::clicked, this, &TSetMinMaxComp::applyLimits);
    connect(cancelButton, &QPushButton::clicked, this, &TSetMinMaxComp::cancel);
}

void TSetMinMaxComp::applyLimits() {
    std::array<double, 4> values{};
    NumberBox* boxes[4] = {firstMinimumBox_, firstMaximumBox_, secondMinimumBox_,
                           secondMaximumBox_};
    for (int i = 0; i < 4; ++i) {
        const auto v = boxes[i]->value();
        if (!v) {
            seam_.message(this, QMessageBox::Warning, QStringLiteral("Set Min, Max"),
                          QStringLiteral("Enter a number in every box."), QMessageBox::Ok);
            boxes[i]->setFocus();
            return;
        }
        values[static_cast<std::size_t>(i)] = *v;
    }
    answer_ = values;
    accept();
}

void TSetMinMaxComp::cancel() {
    answer_.reset();
    reject();
}
