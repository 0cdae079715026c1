#include "gui/display/elastic_correlation_dialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "gui/display/limits_dialog_parts.h"
#include "gui/widgets/dialog_seam.h"

namespace {

QFont pixelFont(const char* family, int pixels, bool bold) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QPushButton* dialogButton(QWidget* parent, const char* name, const char* text, const QRect& place,
                          const char* colour) {
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    b->setFont(pixelFont("Tahoma", 13, true));
    b->setStyleSheet(
        QStringLiteral("QPushButton:enabled { color: %1; }").arg(QLatin1String(colour)));
    return b;
}

}  // namespace

Tdgselection::Tdgselection(const QStringList& densityLogs, const QStringList& gammaRayLogs,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("dgselection"));
    setWindowTitle(QStringLiteral("Selection"));
    setFixedSize(406, 164);

    addHeading(this, QStringLiteral("Select convenient logs to be used for combination"),
               QRect(8, 8, 390, 24))
        ->setAlignment(Qt::AlignCenter);

    auto caption = [this](const char* text, int left) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setFont(pixelFont("Tahoma", 13, true));
        l->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
        l->move(left, 48);
        l->adjustSize();
    };
    caption("Density", 24);
    caption("Gamma Ray", 232);

    auto box = [this](const char* name, const QStringList& items, int left) {
        auto* b = new QComboBox(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setEditable(true);
        b->setInsertPolicy(QComboBox::NoInsert);
        b->addItems(items);
        b->setCurrentIndex(items.isEmpty() ? -1 : 0);
        if (items.isEmpty()) b->setEditText(QString());
        // The list drops down while typing.
        b->completer()->setCompletionMode(QCompleter::PopupCompletion);
        b->setFont(pixelFont("Tahoma", 13, true));
        b->setStyleSheet(
            QStringLiteral("QComboBox { background: rgb(233, 248, 254); color: rgb(0, 128, 0); }"));
        b->setGeometry(left, 72, 145, 24);
        connect(b, &QComboBox::editTextChanged, this, &Tdgselection::updateOk);
        return b;
    };
    densityBox_ = box("densityBox", densityLogs, 24);
    gammaRayBox_ = box("gammaRayBox", gammaRayLogs, 232);

    ok_ = dialogButton(this, "okButton", "Ok", QRect(16, 120, 129, 33), "green");
    ok_->setDefault(true);
    auto* cancelButton =
        dialogButton(this, "cancelButton", "Cancel", QRect(256, 120, 129, 33), "red");
    connect(ok_, &QPushButton::clicked, this, &Tdgselection::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &Tdgselection::cancel);
    updateOk();
}

QString Tdgselection::ChosenDensity() const {
    return densityBox_->currentText().trimmed();
}

QString Tdgselection::ChosenGammaRay() const {
    return gammaRayBox_->currentText().trimmed();
}

void Tdgselection::updateOk() {
    // A combination needs both curves.
    const bool both = !ChosenDensity().isEmpty() && !ChosenGammaRay().isEmpty();
    ok_->setEnabled(both);
    ok_->setToolTip(both ? QString()
                         : QStringLiteral("Choose or type a density and a gamma-ray curve."));
}

void Tdgselection::confirm() {
    if (ChosenDensity().isEmpty() || ChosenGammaRay().isEmpty()) return;
    accept();
}

void Tdgselection::cancel() {
    reject();
}

TElasticChangeColor::TElasticChangeColor(const QString& caption1, const QString& caption2,
                                         const QColor& colour1, const QColor& colour2, Apply apply,
                                         DialogSeam& seam, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)), seam_(seam), colours_{colour1, colour2} {
    setObjectName(QStringLiteral("ElasticChangeColor"));
    setWindowTitle(QStringLiteral("Change Color"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    QFont bold = font();
    bold.setBold(true);
    const QString texts[] = {caption1, caption2};
    int swatchLeft = 144;
    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(texts[i], this);
        l->setObjectName(QStringLiteral("swatchCaption%1").arg(i + 1));
        l->setFont(bold);
        l->move(16, 16 + 32 * i);
        l->adjustSize();
        captions_[static_cast<std::size_t>(i)] = l;
        // A long curve name pushes the swatches to the right rather than under them.
        swatchLeft = std::max(swatchLeft, l->geometry().right() + 12);
    }
    for (int i = 0; i < 2; ++i) {
        auto* s = new QPushButton(this);
        s->setObjectName(QStringLiteral("swatch%1").arg(i + 1));
        s->setGeometry(swatchLeft, 8 + 32 * i, 25, 25);
        s->setCursor(Qt::PointingHandCursor);
        s->setFlat(true);
        s->setAutoFillBackground(true);
        s->setToolTip(QStringLiteral("Click to choose the colour"));
        swatches_[static_cast<std::size_t>(i)] = s;
        connect(s, &QPushButton::clicked, this, [this, i] { chooseSwatch(i + 1); });
        fill(i + 1, colours_[static_cast<std::size_t>(i)]);
    }
    const int width = std::max(182, swatchLeft + 25 + 13);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(9, 69, 75, 25);
    ok->setFont(bold);
    ok->setStyleSheet(QStringLiteral("color: green;"));
    ok->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setGeometry(97, 69, 75, 25);
    cancelButton->setFont(bold);
    cancelButton->setStyleSheet(QStringLiteral("color: red;"));
    connect(ok, &QPushButton::clicked, this, &TElasticChangeColor::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &TElasticChangeColor::cancel);
    setFixedSize(width, 102);
}

void TElasticChangeColor::fill(int swatch, const QColor& colour) {
    const auto i = static_cast<std::size_t>(swatch == 1 ? 0 : 1);
    colours_[i] = colour;
    swatches_[i]->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; border: 1px solid black; }")
            .arg(colour.name()));
}

bool TElasticChangeColor::chooseSwatch(int swatch) {
    QColorDialog dialog(lastChosen_, this);
    if (seam_.exec(dialog) != QDialog::Accepted) return false;
    const QColor chosen = dialog.currentColor();
    if (!chosen.isValid()) return false;
    lastChosen_ = chosen;
    fill(swatch, chosen);
    if (apply_) apply_(swatch, chosen);
    return true;
}

void TElasticChangeColor::confirm() {
    accept();
}

void TElasticChangeColor::cancel() {
    reject();
}
