#include "gui/widgets/command_context.h"

#include <QApplication>
#include <QCursor>

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}
