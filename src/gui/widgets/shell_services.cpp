#include "gui/widgets/shell_services.h"

#include "gui/widgets/dialog_seam.h"

QMessageBox::StandardButton ShellServices::message(QMessageBox::Icon icon, const QString& text,
                                                   QMessageBox::StandardButtons buttons) {
    return seam().message(dialogParent(), icon, QStringLiteral("Lithora"), text, buttons);
}

CommandContext ShellServices::context() {
    return {workspace(), seam(), dialogParent(), [this](const QString& text) { setStatus(text); },
            [this] { return restoreFolder(); }};
}
