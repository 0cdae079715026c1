#pragma once
#include <QWidget>

class QFrame;
class QLabel;

// The "Graph" page of the main window: the place of the litholog controls and column at the
// left, the tracks to their right (the track panel puts them on this page).
class GraphPage : public QWidget {
    Q_OBJECT
  public:
    explicit GraphPage(QWidget* parent = nullptr);

    // The litholog chart's place and the litholog column picture.
    QFrame* lithologChartArea() const { return lithologChartArea_; }
    QLabel* lithologImage() const { return Image1_; }
    void paintLithologWhite();

  private:
    QLabel* lithologCaption_ = nullptr;
    QFrame* lithologChartArea_ = nullptr;
    QFrame* lithologFrame_ = nullptr;
    QLabel* Image1_ = nullptr;
};
