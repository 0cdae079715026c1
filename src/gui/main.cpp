#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <memory>

#include "gui/app/calculation_page.h"
#include "gui/app/instance_lock.h"
#include "gui/app/splash_screen.h"
#include "gui/widgets/dialog_seam.h"

// Start-up: the splash window while the program gets ready, then the main window until it
// closes. The program folder is the folder of the executable; it holds the work tables and
// the lithology patterns.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString programFolder = QCoreApplication::applicationDirPath();

    // A second copy started from the same folder stops before it shows anything else, so
    // it never touches the first copy's work tables.
    DialogSeam seam;
    InstanceLockResult lockResult = InstanceLockResult::Unavailable;
    std::unique_ptr<QLockFile> lock = lockProgramFolder(programFolder, &lockResult);
    if (lockResult == InstanceLockResult::HeldByOther) {
        seam.message(nullptr, QMessageBox::Warning, QStringLiteral("Lithora"),
                     QString::fromLatin1(kAlreadyRunningMessage), QMessageBox::Ok);
        return 1;
    }

    auto splash = std::make_unique<TSplashForm>();
    splash->showCentred();
    waitPainting(2500);

    QApplication::setApplicationName(QStringLiteral("Lithora"));
    TCalculationForm form(programFolder, std::make_unique<DialogSeam>(), std::move(lock));
    splash->close();
    splash.reset();
    if (!form.ready()) return 1;
    form.show();
    return QApplication::exec();
}
