#include "gui/app/splash_screen.h"

#include <QApplication>
#include <QEventLoop>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "gui/app/pictures.h"

namespace {
constexpr int kWidth = 478;
constexpr int kHeight = 323;
constexpr int kBevel = 3;
}  // namespace

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kWidth, kHeight);
    setWindowTitle(QStringLiteral("Lithora"));
}

void TSplashForm::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
    QApplication::processEvents();
}

void TSplashForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor face = palette().color(QPalette::Button);
    p.fillRect(rect(), face);
    // A raised bevel of three pixels around the panel.
    for (int i = 0; i < kBevel; ++i) {
        const QRect r = rect().adjusted(i, i, -i - 1, -i - 1);
        p.setPen(face.lighter(150 - i * 10));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(face.darker(170 - i * 15));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    const QPixmap picture = pictures::splashPicture();
    p.drawPixmap(QRect(kBevel, kHeight - kBevel - 272, 472, 272), picture);
    p.drawPixmap(QRect(kBevel + 2, kBevel - 2, 57, 49), pictures::smallLogo());

    QFont title(QStringLiteral("Times New Roman"));
    title.setPixelSize(21);
    title.setBold(true);
    title.setItalic(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 64));
    const int bandHeight = kHeight - kBevel - 272;
    p.drawText(QRect(70, 0, 220, bandHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Q.V.N Lithora"));

    QFont loading(QStringLiteral("Arial"));
    loading.setPixelSize(19);
    p.setFont(loading);
    p.setPen(QColor(0, 128, 0));
    p.drawText(QRect(kWidth - 160, kBevel + 2, 150, 26), Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("Loading..."));
}

void waitPainting(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
