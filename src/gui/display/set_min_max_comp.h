#pragma once
#include <QDialog>
#include <QString>
#include <array>
#include <optional>

class NumberBox;
class QLabel;
class DialogSeam;

// "Set Min, Max" for two axes of one chart at once: a row per axis with its caption, its
// minimum and its maximum. "Ok" answers the four numbers (row 1 minimum, row 1 maximum,
// row 2 minimum, row 2 maximum) and refuses a box that holds no number, with a message.
// "Cancel", the close box and Escape answer nothing, so the caller changes no axis.
class TSetMinMaxComp : public QDialog {
    Q_OBJECT
  public:
    struct Row {
        QString caption;
        double minimum = 0;
        double maximum = 0;
    };

    TSetMinMaxComp(const Row& row1, const Row& row2, DialogSeam& seam, QWidget* parent = nullptr);

    QLabel* caption(int row) const { return row == 1 ? firstCaption_ : secondCaption_; }
    NumberBox* minimumBox(int row) const { return row == 1 ? firstMinimumBox_ : secondMinimumBox_; }
    NumberBox* maximumBox(int row) const { return row == 1 ? firstMaximumBox_ : secondMaximumBox_; }
    // The answer of "Ok"; none when the dialog was closed any other way.
    std::optional<std::array<double, 4>> answer() const { return answer_; }

  public slots:
    void applyLimits();  // Ok
    void cancel();       // Cancel

  private:
    DialogSeam& seam_;
    QLabel* firstCaption_ = nullptr;
    QLabel* secondCaption_ = nullptr;
    NumberBox* firstMinimumBox_ = nullptr;
    NumberBox* firstMaximumBox_ = nullptr;
    NumberBox* secondMinimumBox_ = nullptr;
    NumberBox* secondMaximumBox_ = nullptr;
    std::optional<std::array<double, 4>> answer_;
};
