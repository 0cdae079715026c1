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

    QLabel* caption(int row) const { return row == 1 ? Label1_ : Label2_; }
    NumberBox* minimumBox(int row) const { return row == 1 ? Edit1_ : Edit3_; }
    NumberBox* maximumBox(int row) const { return row == 1 ? Edit2_ : Edit4_; }
    // The answer of "Ok"; none when the dialog was closed any other way.
    std::optional<std::array<double, 4>> answer() const { return answer_; }

  public slots:
    void sButton1Click();  // Ok
    void sButton2Click();  // Cancel

  private:
    DialogSeam& seam_;
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    NumberBox* Edit1_ = nullptr;
    NumberBox* Edit2_ = nullptr;
    NumberBox* Edit3_ = nullptr;
    NumberBox* Edit4_ = nullptr;
    std::optional<std::array<double, 4>> answer_;
};
