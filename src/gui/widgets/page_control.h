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
// underlined.
class PageControl : public QTabWidget {
    Q_OBJECT
  public:
    explicit PageControl(QWidget* parent = nullptr);
};
