#include "gui/widgets/page_control.h"

#include <algorithm>

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

void PageControl::setTabOffset(int pixels) {
    tabOffset_ = std::max(pixels, 0);
    placeTabs();
}

void PageControl::resizeEvent(QResizeEvent* event) {
    QTabWidget::resizeEvent(event);  // lays the tabs out at their place
    tabLeft_ = tabBar()->x();
    placeTabs();
}

void PageControl::showEvent(QShowEvent* event) {
    QTabWidget::showEvent(event);
    tabLeft_ = tabBar()->x();
    placeTabs();
}

void PageControl::placeTabs() {
    // Never so far right that the tabs leave the page control.
    const int room = std::max(width() - tabBar()->width() - tabLeft_, 0);
    tabBar()->move(tabLeft_ + std::min(tabOffset_, room), tabBar()->y());
}
