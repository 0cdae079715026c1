#pragma once
#include <QDialog>

// The About window: the program's name, what it does, and its pictures.
class TAboutForm : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutForm(QWidget* parent = nullptr);
};
