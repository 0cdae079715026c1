#include "gui/app/exit_questions.h"

#include "gui/app/calculation_page.h"

namespace {

// The litholog question; false when the window is to stay open.
bool askLitholog(TCalculationForm& form, const std::function<bool()>& saveLitholog,
                 bool& keepLitholog) {
    const auto& litholog = form.workspace().litholog();
    if (!litholog.isOpen() || litholog.totalRecordCount() == 0) return true;
    if (!saveLitholog) {
        const auto answer = form.message(
            QMessageBox::Information,
            QStringLiteral("LithoLog table has changed. This version cannot save it to a file; "
                           "its intervals are kept in the program folder for the next start."
                           "\n\nExit now?"),
            QMessageBox::Yes | QMessageBox::No);
        keepLitholog = answer == QMessageBox::Yes;
        return keepLitholog;
    }
    const auto answer = form.message(
        QMessageBox::Information,
        QStringLiteral("LithoLog table has changed. Do you want to save it before exit?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) return saveLitholog();
    return answer == QMessageBox::No;
}

}  // namespace

bool askExitQuestions(TCalculationForm& form, const std::function<bool()>& saveElastic,
                      const std::function<bool()>& saveLitholog, bool& keepLitholog) {
    keepLitholog = false;
    const auto& elastic = form.workspace().elastic();
    // Records hidden by a depth filter count too: none may be lost unasked.
    if (elastic.isOpen() && elastic.totalRecordCount() > 0) {
        const auto answer = form.message(
            QMessageBox::Information,
            QStringLiteral("Elastic table is not empty. Do you want to save it before exit?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes && !saveElastic()) return false;
        if (answer != QMessageBox::Yes && answer != QMessageBox::No) return false;
    }
    return askLitholog(form, saveLitholog, keepLitholog);
}
