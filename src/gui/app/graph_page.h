#pragma once
#include <QWidget>

class QLabel;

// The "Graph" page of the main window: the litholog caption; the litholog panel places its
// controls and column below it, the track panel the tracks to their right.
class GraphPage : public QWidget {
    Q_OBJECT
  public:
    explicit GraphPage(QWidget* parent = nullptr);

  private:
    QLabel* lithologCaption_ = nullptr;
};
