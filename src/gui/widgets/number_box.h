#pragma once
#include <QLineEdit>
#include <optional>

// A box for one number, shown in number text with the regional decimal separator. An
// empty box shows "0".
class NumberBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit NumberBox(QWidget* parent = nullptr);

    // The number in the box; nullopt when its text is no number.
    std::optional<double> value() const;
    void setValue(double value);
    // Empties the box, which then shows "0".
    void clearValue();
};
