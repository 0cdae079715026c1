#include "gui/app/about_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/version.h"
#include "gui/app/pictures.h"

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Lithora"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);

    auto* logo = new QLabel(this);
    logo->setPixmap(pictures::smallLogo());
    auto* name = new QLabel(QStringLiteral("Q.V.N Lithora"), this);
    QFont nameFont(QStringLiteral("Times New Roman"));
    nameFont.setPixelSize(21);
    nameFont.setBold(true);
    nameFont.setItalic(true);
    name->setFont(nameFont);
    name->setStyleSheet(QStringLiteral("color: rgb(0, 0, 64);"));

    auto* picture = new QLabel(this);
    picture->setPixmap(pictures::splashPicture());
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Sunken);

    auto* text = new QLabel(
        QStringLiteral("A workstation for the rock-physics analysis of well logs.\n\n"
                       "Imports LAS 2.0 and ASCII column files, computes the elastic "
                       "parameters of the rock at every depth, correlates curves, and shows "
                       "tracks, cross plots, time-lapse comparisons and the litholog."),
        this);
    text->setWordWrap(true);

    auto* version = new QLabel(
        QStringLiteral("Version %1").arg(QString::fromLatin1(lithora::programVersion())), this);
    version->setObjectName(QStringLiteral("AboutVersion"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("AboutOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* head = new QHBoxLayout;
    head->addWidget(logo);
    head->addWidget(name, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(text);
    layout->addWidget(version);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    text->setFixedWidth(472);
}
