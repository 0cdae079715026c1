#pragma once
#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

// "LAS Tracks": which curve of a file the time-lapse window shows. The list holds the curves
// after the depth, in file order, the first selected. "Ok" chooses the selected curve;
// "Cancel" and the close box choose none, so an earlier choice never carries over to a new
// file.
class TTrackSelection : public QDialog {
    Q_OBJECT
  public:
    explicit TTrackSelection(const QStringList& curves, QWidget* parent = nullptr);

    // The chosen curve's position k (1 = the first curve after the depth); -1 when the
    // dialog was cancelled or nothing was chosen.
    int chosen() const { return chosen_; }
    QComboBox* list() const { return curveBox_; }

  public slots:
    void confirm();  // Ok
    void cancel();   // Cancel

  private:
    QComboBox* curveBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    int chosen_ = -1;
};
