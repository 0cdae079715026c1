#include "gui/widgets/program_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// A folder is writable when a file can really be made in it: the permission bits alone do not
// tell about read-only mounts.
bool canWriteIn(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".lithora-write-test-XXXXXX")));
    return probe.open();
}

QString installedPatterns(const QString& executableFolder) {
    // <prefix>/bin/lithora reads <prefix>/share/lithora/Patterns.
    const QString beside = QDir::cleanPath(
        QDir(executableFolder).filePath(QStringLiteral("../share/lithora/Patterns")));
    if (QFileInfo(beside).isDir()) return beside;
    const QString found =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                               QStringLiteral("lithora/Patterns"), QStandardPaths::LocateDirectory);
    return found.isEmpty() ? beside : found;
}

ProgramFolders& current() {
    static ProgramFolders folders;
    if (folders.work.isEmpty()) {
        const QString exe = QCoreApplication::applicationDirPath();
        folders = {exe, QDir(exe).filePath(QStringLiteral("Patterns"))};
    }
    return folders;
}

}  // namespace

ProgramFolders chooseProgramFolders(const QString& executableFolder,
                                    const QString& userDataFolder) {
    const QString exe = QDir::cleanPath(QDir(executableFolder).absolutePath());
    const QString besideExe = QDir(exe).filePath(QStringLiteral("Patterns"));
    if (canWriteIn(exe)) {
        return {exe, QFileInfo(besideExe).isDir() ? besideExe : installedPatterns(exe)};
    }
    const QString patterns = QFileInfo(besideExe).isDir() ? besideExe : installedPatterns(exe);
    const QString user = QDir::cleanPath(QDir(userDataFolder).absolutePath());
    if (userDataFolder.isEmpty() || !QDir().mkpath(user) || !canWriteIn(user))
        return {{}, patterns};
    return {user, patterns};
}

QString patternsFolderFor(const QString& programFolder) {
    const ProgramFolders& chosen = programFolders();
    if (QDir(programFolder) == QDir(chosen.work)) return chosen.patterns;
    return QDir(programFolder).filePath(QStringLiteral("Patterns"));
}

const ProgramFolders& programFolders() {
    return current();
}

void setProgramFolders(const ProgramFolders& folders) {
    current() = folders;
}
