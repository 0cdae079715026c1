#pragma once
#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>

// Every modal question of the program passes through one seam on the main window: file
// dialogs, message boxes and the program's own modal dialogs. The desktop uses the real
// dialogs; tests install a seam that answers them, so a whole command runs without a person.
class DialogSeam {
  public:
    virtual ~DialogSeam() = default;

    // Returns the chosen file, or an empty text when the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& defaultSuffix);
    // Several files chosen at once, in the order the dialog gives them; empty when cancelled.
    virtual QStringList openFileNames(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& defaultSuffix);
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& defaultSuffix);
    virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons);
    // Runs a modal dialog of the program and returns its result code (QDialog::Accepted or
    // QDialog::Rejected). A test seam fills in the dialog's controls and presses its buttons.
    virtual int exec(QDialog& dialog);
};
