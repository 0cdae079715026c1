#pragma once
#include <QLineEdit>

// A read-only box that shows one short value whole: a value too long for the box at its
// font widens the box up to a limit, then takes a smaller font, so no digit is ever cut
// off. A number that still does not fit is shown rounded to the decimals that fit. The full
// value is always the box's tool tip.
class SummaryBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit SummaryBox(QWidget* parent = nullptr);

    // The narrowest and widest the box may be, and its font at its largest; the box takes
    // the narrowest width and this font whenever a value fits so.
    void setFit(int minWidth, int maxWidth, const QFont& font);
    void setValueText(const QString& text);
    void clearValue();

    // Pixels the box has for its text at its current width.
    int textRoom() const;

  private:
    int minWidth_ = 0;
    int maxWidth_ = 0;
    QFont baseFont_;
};
