#include "gui/widgets/mouse_buttons.h"

#include <QMouseEvent>

bool isOtherThanLeftButton(const QEvent* event) {
    const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
    if (!mouse) return false;
    // A move names the buttons held; a press, release or double press the one button.
    if (event->type() == QEvent::MouseMove)
        return mouse->buttons() != Qt::NoButton && !(mouse->buttons() & Qt::LeftButton);
    return mouse->button() != Qt::LeftButton;
}
