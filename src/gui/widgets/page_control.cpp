#include "gui/widgets/page_control.h"

PageTabBar::PageTabBar(QWidget* parent) : QTabBar(parent) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    f.setBold(true);
    f.setUnderline(true);
    setFont(f);
    setExpanding(false);
    setDrawBase(true);
}

QSize PageTabBar::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    size.setWidth(250);
    return size;
}

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new PageTabBar(this));
    setDocumentMode(false);
}
