#include "gui/widgets/text_fit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

#include "core/common/number_text.h"

namespace {

// Qt keeps this many pixels clear on each side of a line edit's text.
constexpr int kInnerMargin = 2;
// Below this size a number is harder to read than a wider box.
constexpr int kSmallestPointSize = 6;

}  // namespace

int lineEditTextRoom(const QLineEdit& box) {
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.contentsRect();
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (box.isReadOnly()) option.state |= QStyle::State_ReadOnly;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    // One pixel more for the text cursor Qt leaves room for.
    return contents.marginsRemoved(box.textMargins()).width() - 2 * kInnerMargin - 1;
}

void fitLineEditText(QLineEdit& box, int minWidth, int maxWidth, const QFont& font) {
    if (minWidth <= 0) return;
    QFont f = font;
    box.setFont(f);
    box.resize(minWidth, box.height());
    auto advance = [&box](const QFont& g) { return QFontMetrics(g).horizontalAdvance(box.text()); };
    // The width the box needs at this font, beyond what it has at its narrowest.
    const int missing = advance(f) - lineEditTextRoom(box);
    if (missing > 0)
        box.resize(std::min(std::max(minWidth, maxWidth), minWidth + missing), box.height());
    while (advance(f) > lineEditTextRoom(box) && f.pointSize() > kSmallestPointSize) {
        f.setPointSize(f.pointSize() - 1);
        box.setFont(f);
    }
    box.setCursorPosition(0);
}

QString roundedToFit(const QString& number, const std::function<bool(const QString&)>& fits) {
    if (fits(number)) return number;
    const char separator = number.contains(',') ? ',' : '.';
    const auto value = lithora::parseNumber(number.toStdString(), separator);
    if (!value) return number;
    QString text = number;
    for (int decimals = static_cast<int>(number.size()); decimals >= 0; --decimals) {
        const QString rounded =
            QString::fromStdString(lithora::numberText(*value, separator, decimals));
        if (rounded == text && decimals > 0) continue;
        text = rounded;
        if (fits(text)) break;
    }
    return text;
}
