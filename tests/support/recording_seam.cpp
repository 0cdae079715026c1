#include "support/recording_seam.h"

#include <QDialog>

namespace lithora::test {

std::vector<QString> RecordingSeam::messageTexts() const {
    std::vector<QString> out;
    for (const Message& m : messages) out.push_back(m.text);
    return out;
}

QString RecordingSeam::openFileName(QWidget*, const QString& title, const QString&,
                                    const QString&) {
    opensAsked.push_back(title);
    return openFile;
}

QStringList RecordingSeam::openFileNames(QWidget*, const QString& title, const QString&,
                                         const QString&) {
    opensAsked.push_back(title);
    if (!openFiles.isEmpty()) return openFiles;
    return openFile.isEmpty() ? QStringList() : QStringList{openFile};
}

QString RecordingSeam::saveFileName(QWidget*, const QString& title, const QString&,
                                    const QString&) {
    savesAsked.push_back(title);
    return saveFile;
}

QMessageBox::StandardButton RecordingSeam::message(QWidget*, QMessageBox::Icon icon, const QString&,
                                                   const QString& text,
                                                   QMessageBox::StandardButtons buttons) {
    messages.push_back({icon, text, buttons});
    if (!answers.empty()) {
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1)
        if (buttons.testFlag(static_cast<QMessageBox::StandardButton>(b)))
            return static_cast<QMessageBox::StandardButton>(b);
    return QMessageBox::NoButton;
}

int RecordingSeam::exec(QDialog& dialog) {
    dialogsRun.push_back(QString::fromLatin1(dialog.metaObject()->className()));
    return onDialog(dialog);
}

}  // namespace lithora::test
