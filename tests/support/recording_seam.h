#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "gui/widgets/dialog_seam.h"

namespace lithora::test {

// Answers every question of a window as the test says and records what was asked. File
// dialogs return openFile and saveFile (empty: the user cancelled); message boxes return the
// queued answers in turn, then the first button offered; the program's own dialogs run
// onDialog, which presses Cancel unless the test says otherwise.
class RecordingSeam : public DialogSeam {
  public:
    struct Message {
        QMessageBox::Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    QString openFile;
    // What a dialog that chooses several files returns; empty: openFile alone, if any.
    QStringList openFiles;
    QString saveFile;
    std::deque<QMessageBox::StandardButton> answers;
    std::function<int(QDialog&)> onDialog = [](QDialog&) { return int(QDialog::Rejected); };

    std::vector<QString> opensAsked, savesAsked, dialogsRun;
    std::vector<Message> messages;

    // The texts of the messages shown, in order.
    std::vector<QString> messageTexts() const;

    QString openFileName(QWidget*, const QString& title, const QString&, const QString&) override;
    QStringList openFileNames(QWidget*, const QString& title, const QString&,
                              const QString&) override;
    QString saveFileName(QWidget*, const QString& title, const QString&, const QString&) override;
    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon icon, const QString&,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    int exec(QDialog& dialog) override;
};

}  // namespace lithora::test
