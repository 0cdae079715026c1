#pragma once
#include <QTabBar>
#include <QTabWidget>

// The tab bar of the main window's pages: every tab 250 pixels wide.
class PageTabBar : public QTabBar {
    Q_OBJECT
  public:
    explicit PageTabBar(QWidget* parent = nullptr);

  protected:
    QSize tabSizeHint(int index) const override;
};

// The main window's page control ("Table" and "Graph"), captions in Arial 16 px bold
// underlined. The page control stands in a scrolled area wider than the window; its tabs
// stay in view, moved right by as much as the area is scrolled (setTabOffset).
class PageControl : public QTabWidget {
    Q_OBJECT
  public:
    explicit PageControl(QWidget* parent = nullptr);

    // The tabs stand `pixels` right of their place, where the window's left edge is now.
    void setTabOffset(int pixels);
    int tabOffset() const { return tabOffset_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void placeTabs();

    int tabOffset_ = 0;
    int tabLeft_ = 0;  // where the page control itself puts the tabs
};
