#include "gui/widgets/mouse_buttons.h"

#include <QMouseEvent>

bool isOtherThanLeftButton(const QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return static_cast<const QMouseEvent*>(event)->button() != Qt::LeftButton;
        case QEvent::MouseMove: {
            const auto buttons = static_cast<const QMouseEvent*>(event)->buttons();
            return buttons != Qt::NoButton && !(buttons & Qt::LeftButton);
        }
        default:
            return false;
    }
}
