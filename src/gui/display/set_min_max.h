#pragma once
#include <QDialog>
#include <optional>
#include <utility>

class NumberBox;
class QLabel;
class DialogSeam;

// "Set Min, Max": the user types a new minimum and maximum of a track's value axis.
// "Ok" answers the two numbers (and refuses a box that holds no number, with a message);
// "Cancel" answers 0 and 0. Closing the dialog any other way (the close box, Escape)
// answers nothing: the caller reads answer() after the dialog has run.
class TSetMinMax : public QDialog {
    Q_OBJECT
  public:
    TSetMinMax(double minimum, double maximum, DialogSeam& seam, QWidget* parent = nullptr);

    NumberBox* minimumBox() const { return minimumBox_; }
    NumberBox* maximumBox() const { return maximumBox_; }
    // The answer of "Ok" or "Cancel"; none when the dialog was closed otherwise.
    std::optional<std::pair<double, double>> answer() const { return answer_; }

  public slots:
    void applyLimits();  // Ok
    void cancel();       // Cancel

  private:
    DialogSeam& seam_;
    NumberBox* minimumBox_ = nullptr;
    NumberBox* maximumBox_ = nullptr;
    std::optional<std::pair<double, double>> answer_;
};
