#pragma once
#include <QWidget>

// The start-up window: no border, on top, centred, 478 x 323. A bevelled panel holds the
// program's picture along the bottom, the small logo at the top left, the program's name
// and "Loading...".
class TSplashForm : public QWidget {
    Q_OBJECT
  public:
    explicit TSplashForm(QWidget* parent = nullptr);

    // Shows the window centred on the screen and paints it at once.
    void showCentred();

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// Keeps the event loop running for the given time, so windows stay painted while the
// program waits.
void waitPainting(int milliseconds);
