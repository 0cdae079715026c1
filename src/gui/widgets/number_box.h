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

    // Lets a long number widen the box up to maxWidth, then take a smaller font, so that
    // every digit shows; the box keeps minWidth and the font for a short one.
    void setFit(int minWidth, int maxWidth, const QFont& font);

  private:
    int minWidth_ = 0;
    int maxWidth_ = 0;
    QFont baseFont_;
};
