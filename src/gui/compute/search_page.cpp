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
    depthEntry_ = new QLineEdit(frame);
    depthEntry_->setObjectName(QStringLiteral("depthEntry"));
    depthEntry_->setFrame(false);
    QFont ef(QStringLiteral("Arial"));
    ef.setPixelSize(20);
    ef.setBold(true);
    depthEntry_->setFont(ef);
    depthEntry_->setStyleSheet(
        QStringLiteral("QLineEdit { color: green; background: rgb(225, 251, 255); }"));
    depthEntry_->setGeometry(4, 4, 184, 28);

    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    closeButton_->setGeometry(12, 84, 90, 28);
    closeButton_->setAutoDefault(false);
    searchButton_ = new QPushButton(QStringLiteral("&Search"), this);
    searchButton_->setObjectName(QStringLiteral("searchButton"));
    searchButton_->setStyleSheet(QStringLiteral("color: green; font-weight: bold;"));
    searchButton_->setGeometry(114, 84, 90, 28);
    searchButton_->setAutoDefault(false);
    connect(searchButton_, &QPushButton::clicked, this, &TSearchPage::searchDepth);
    connect(closeButton_, &QPushButton::clicked, this, &TSearchPage::closeSearch);
    // Enter in the entry reaches keyPressEvent below (the entry passes it on), which searches
    // once; a returnPressed connection as well would search, and say so, twice.

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSearchPage::keyPressEvent(QKeyEvent* event) {
    // Enter searches; it never closes the window as a dialog's default button would.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        searchDepth();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSearchPage::searchDepth() {
    const std::string message =
        lithora::compute::searchDepth(workspace_.source(), workspace_.elastic(),
                                      depthEntry_->text().toStdString(), localeDecimalPoint());
    if (message.empty()) return;
    const bool notFound = message == lithora::compute::kDepthNotFoundMessage;
    seam_().message(this, notFound ? QMessageBox::Information : QMessageBox::Critical,
                    QStringLiteral("Lithora"), QString::fromStdString(message), QMessageBox::Ok);
}

void TSearchPage::closeSearch() {
    hide();
}
