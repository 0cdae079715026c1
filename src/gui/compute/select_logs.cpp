#include "gui/compute/select_logs.h"

#include "core/commands/compute_elastic.h"
#include "core/workspace/workspace.h"

#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kClientWidth = 368;
constexpr int kClientHeight = 247;
constexpr int kBoxWidth = 145;

QStringList toList(const std::vector<std::string>& names) {
    QStringList out;
    for (const auto& n : names) out << QString::fromStdString(n);
    return out;
}

QFont pixelFont(const QString& family, int pixels, bool bold) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

}  // namespace

TSelectPL::TSelectPL(const lithora::RoleLists& roles, QWidget* parent)
    : TSelectPL(toList(roles.density), toList(roles.gammaRay), toList(roles.pWave),
                toList(roles.sWave), parent) {}

TSelectPL::TSelectPL(const lithora::workspace::Workspace& ws, QWidget* parent)
    : TSelectPL(toList(lithora::commands::offeredCurves(ws, lithora::import::CurveRole::Density)),
                toList(lithora::commands::offeredCurves(ws, lithora::import::CurveRole::GammaRay)),
                toList(lithora::commands::offeredCurves(ws, lithora::import::CurveRole::PWave)),
                toList(lithora::commands::offeredCurves(ws, lithora::import::CurveRole::SWave)),
                parent) {
    // What the dialog proposes is the first recognised curve, never merely the first curve.
    const auto proposed = lithora::commands::proposedCurves(ws);
    const std::pair<QComboBox*, const std::string*> boxes[] = {{density_, &proposed.density},
                                                               {gammaRay_, &proposed.gammaRay},
                                                               {pWave_, &proposed.pWave},
                                                               {sWave_, &proposed.sWave}};
    for (const auto& [box, name] : boxes) {
        const QString text = QString::fromStdString(*name);
        box->setCurrentIndex(box->findText(text));
        box->setEditText(text);
    }
}

TSelectPL::TSelectPL(const QStringList& densityLogs, const QStringList& gammaRayLogs,
                     const QStringList& pWaveLogs, const QStringList& sWaveLogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(tr("Elastic Parameters Calculation"));
    setFixedSize(kClientWidth, kClientHeight);

    auto* heading = new QLabel(tr("Select convenient logs for calculation"), this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setFont(pixelFont(QStringLiteral("Arial"), 17, true));
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(0, 12, kClientWidth, 26);

    const int leftX = 24;
    const int rightX = kClientWidth - 24 - kBoxWidth;
    auto caption = [this](const QString& text, const QString& name, int x, int y) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setFont(pixelFont(QStringLiteral("Tahoma"), 16, true));
        label->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
        label->setGeometry(x, y, kBoxWidth, 22);
    };
    caption(tr("Density"), QStringLiteral("densityCaption"), leftX, 52);
    caption(tr("Gamma Ray"), QStringLiteral("gammaRayCaption"), rightX, 52);
    caption(tr("P-Wave"), QStringLiteral("pWaveCaption"), leftX, 118);
    caption(tr("S-Wave"), QStringLiteral("sWaveCaption"), rightX, 118);

    density_ = makeBox(QStringLiteral("densityBox"), densityLogs);
    gammaRay_ = makeBox(QStringLiteral("gammaRayBox"), gammaRayLogs);
    pWave_ = makeBox(QStringLiteral("pWaveBox"), pWaveLogs);
    sWave_ = makeBox(QStringLiteral("sWaveBox"), sWaveLogs);
    density_->setGeometry(leftX, 76, kBoxWidth, 24);
    gammaRay_->setGeometry(rightX, 76, kBoxWidth, 24);
    pWave_->setGeometry(leftX, 142, kBoxWidth, 24);
    sWave_->setGeometry(rightX, 142, kBoxWidth, 24);

    const QFont buttonFont = pixelFont(QStringLiteral("Tahoma"), 13, true);
    auto* ok = new QPushButton(tr("Ok"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setFont(buttonFont);
    ok->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    ok->setGeometry(leftX, 194, 120, 33);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setFont(buttonFont);
    cancel->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    cancel->setGeometry(kClientWidth - leftX - 120, 194, 120, 33);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QComboBox* TSelectPL::makeBox(const QString& name, const QStringList& items) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(items.isEmpty() ? -1 : 0);
    box->setEditText(items.isEmpty() ? QString() : items.front());
    // The list drops down with the matching curves as the user types.
    auto* completer = new QCompleter(items, box);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    box->setCompleter(completer);
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    box->setFont(font);
    box->setStyleSheet(
        QStringLiteral("QComboBox { background: rgb(233, 248, 254); color: rgb(0, 128, 0); }"));
    return box;
}

QString TSelectPL::densityLog() const {
    return density_->currentText();
}
QString TSelectPL::gammaRayLog() const {
    return gammaRay_->currentText();
}
QString TSelectPL::pWaveLog() const {
    return pWave_->currentText();
}
QString TSelectPL::sWaveLog() const {
    return sWave_->currentText();
}
