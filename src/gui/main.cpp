#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

#include "core/common/file_writer.h"
#include "gui/app/calculation_page.h"
#include "gui/app/instance_lock.h"
#include "gui/app/splash_screen.h"
#include "gui/app/window_place.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/program_folders.h"

// Start-up: the splash window while the program gets ready, then the main window until it
// closes. The program folder holds the work tables, the chart copies and the lock: the
// executable's folder while it is writable, else the user's own data folder.
int main(int argc, char* argv[]) {
    // On a high-density screen the window takes the screen's own scale (1.5 as well as 2), so
    // text and charts are drawn at the screen's pixels rather than enlarged.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lithora"));
    // A save cut short by a signal leaves no hidden temporary file beside its target.
    lithora::removeTemporaryFilesOnSignal();
    DialogSeam seam;

    const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    const ProgramFolders folders =
        chooseProgramFolders(QCoreApplication::applicationDirPath(), userData);
    if (folders.work.isEmpty()) {
        seam.message(nullptr, QMessageBox::Critical, QStringLiteral("Lithora"),
                     QStringLiteral("Lithora cannot keep its work tables: neither %1 nor %2 can be "
                                    "written.")
                         .arg(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()),
                              QDir::toNativeSeparators(userData)),
                     QMessageBox::Ok);
        return 1;
    }
    setProgramFolders(folders);
    const QString programFolder = folders.work;

    // A second copy started on the same program folder stops before it shows anything else,
    // so it never touches the first copy's work tables.
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

    TCalculationForm form(programFolder, std::make_unique<DialogSeam>(), std::move(lock));
    splash->close();
    splash.reset();
    if (!form.ready()) return 1;
    // The size and place the window had when it was last closed.
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Lithora"),
                       QStringLiteral("Lithora"));
    restoreWindowPlace(form, settings);
    // The recent files and sessions of the File menu.
    form.useSettings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 QStringLiteral("Lithora"),
                                                 QStringLiteral("Lithora")));
    form.show();
    const int result = QApplication::exec();
    saveWindowPlace(form, settings);
    return result;
}
