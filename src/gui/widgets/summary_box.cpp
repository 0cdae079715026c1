#include "gui/widgets/summary_box.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// Qt keeps this many pixels clear on each side of a line edit's text.
constexpr int kInnerMargin = 2;
// Below this size a number is harder to read than a wider box.
constexpr int kSmallestPointSize = 6;

}  // namespace

SummaryBox::SummaryBox(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
}

void SummaryBox::setFit(int minWidth, int maxWidth, const QFont& font) {
    minWidth_ = minWidth;
    maxWidth_ = std::max(minWidth, maxWidth);
    baseFont_ = font;
    fit();
}

void SummaryBox::setValueText(const QString& text) {
    setText(text);
    setToolTip(text);
    fit();
}

void SummaryBox::clearValue() {
    setValueText(QString());
}

int SummaryBox::textRoom() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    // One pixel more for the text cursor Qt leaves room for.
    return contents.marginsRemoved(textMargins()).width() - 2 * kInnerMargin - 1;
}

void SummaryBox::fit() {
    if (minWidth_ <= 0) return;
    QFont font = baseFont_;
    setFont(font);
    resize(minWidth_, height());
    auto advance = [this](const QFont& f) { return QFontMetrics(f).horizontalAdvance(text()); };
    // The width the box needs at this font, beyond what it has at its narrowest.
    const int missing = advance(font) - textRoom();
    if (missing > 0) resize(std::min(maxWidth_, minWidth_ + missing), height());
    while (advance(font) > textRoom() && font.pointSize() > kSmallestPointSize) {
        font.setPointSize(font.pointSize() - 1);
        setFont(font);
    }
    setCursorPosition(0);
}
