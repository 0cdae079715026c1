#include "gui/compute/search_page.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "core/compute/depth_filter.h"
#include "gui/widgets/locale_text.h"

TSearchPage::TSearchPage(lithora::workspace::Workspace& workspace,
                         std::function<DialogSeam&()> seam, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      workspace_(workspace),
      seam_(std::move(seam)) {
    setObjectName(QStringLiteral("Search"));
    setWindowTitle(QStringLiteral("Search"));
    setModal(false);
    setFixedSize(216, 124);

    auto* heading = new QLabel(QStringLiteral("Enter Depth/Time:"), this);
    QFont hf(QStringLiteral("Tahoma"));
    hf.setPixelSize(16);
    hf.setBold(true);
    heading->setFont(hf);
    heading->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160);"));
    heading->setGeometry(12, 8, 192, 22);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(12, 36, 192, 36);
    frame->setStyleSheet(QStringLiteral("QFrame { background: rgb(225, 251, 255); }"));
    Edit1_ = new QLineEdit(frame);
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    Edit1_->setFrame(false);
    QFont ef(QStringLiteral("Arial"));
    ef.setPixelSize(20);
    ef.setBold(true);
    Edit1_->setFont(ef);
    Edit1_->setStyleSheet(
        QStringLiteral("QLineEdit { color: green; background: rgb(225, 251, 255); }"));
    Edit1_->setGeometry(4, 4, 184, 28);

    Button2_ = new QPushButton(QStringLiteral("&Close"), this);
    Button2_->setObjectName(QStringLiteral("Button2"));
    Button2_->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    Button2_->setGeometry(12, 84, 90, 28);
    Button2_->setAutoDefault(false);
    Button1_ = new QPushButton(QStringLiteral("&Search"), this);
    Button1_->setObjectName(QStringLiteral("Button1"));
    Button1_->setStyleSheet(QStringLiteral("color: green; font-weight: bold;"));
    Button1_->setGeometry(114, 84, 90, 28);
    Button1_->setAutoDefault(false);
    connect(Button1_, &QPushButton::clicked, this, &TSearchPage::Button1Click);
    connect(Button2_, &QPushButton::clicked, this, &TSearchPage::Button2Click);
    connect(Edit1_, &QLineEdit::returnPressed, this, &TSearchPage::Button1Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSearchPage::keyPressEvent(QKeyEvent* event) {
    // Enter searches; it never closes the window as a dialog's default button would.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Button1Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSearchPage::Button1Click() {
    const std::string message =
        lithora::compute::searchDepth(workspace_.source(), workspace_.elastic(),
                                      Edit1_->text().toStdString(), localeDecimalPoint());
    if (message.empty()) return;
    const bool notFound = message == lithora::compute::kDepthNotFoundMessage;
    seam_().message(this, notFound ? QMessageBox::Information : QMessageBox::Critical,
                    QStringLiteral("Lithora"), QString::fromStdString(message), QMessageBox::Ok);
}

void TSearchPage::Button2Click() {
    hide();
}
