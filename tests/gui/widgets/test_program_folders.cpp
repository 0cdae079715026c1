#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

#include "core/common/version.h"
#include "gui/app/about_page.h"
#include "gui/widgets/program_folders.h"

namespace {

// /proc takes no new file even from root, so it stands for a read-only installation folder
// whoever runs the tests.
const QString kReadOnlyFolder = QStringLiteral("/proc");

TEST(ProgramFolders, AWritableExecutableFolderKeepsEverythingBesideTheExecutable) {
    QTemporaryDir exe, user;
    ASSERT_TRUE(QDir(exe.path()).mkpath(QStringLiteral("Patterns")));
    const ProgramFolders f =
        chooseProgramFolders(exe.path(), user.filePath(QStringLiteral("data")));
    EXPECT_EQ(f.work, QDir::cleanPath(exe.path()));
    EXPECT_EQ(f.patterns, QDir(exe.path()).filePath(QStringLiteral("Patterns")));
    EXPECT_FALSE(QDir(user.filePath(QStringLiteral("data"))).exists());
}

TEST(ProgramFolders, AnInstalledProgramWorksInTheUsersDataFolderWithTheInstalledPatterns) {
    QTemporaryDir prefix, user;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/lithora/Patterns")));
    // The installed layout: no "Patterns" beside the executable, the data folder instead.
    const ProgramFolders beside =
        chooseProgramFolders(QDir(prefix.path()).filePath(QStringLiteral("bin")), user.path());
    EXPECT_EQ(beside.patterns,
              QDir(prefix.path()).filePath(QStringLiteral("share/lithora/Patterns")));

    const QString data = user.filePath(QStringLiteral("share/Lithora"));
    const ProgramFolders f = chooseProgramFolders(kReadOnlyFolder, data);
    EXPECT_EQ(f.work, QDir::cleanPath(data));
    EXPECT_TRUE(QDir(data).exists());
    EXPECT_TRUE(f.patterns.endsWith(QStringLiteral("share/lithora/Patterns")))
        << f.patterns.toStdString();
}

TEST(ProgramFolders, NoWritableFolderGivesNoWorkFolder) {
    const ProgramFolders f =
        chooseProgramFolders(kReadOnlyFolder, kReadOnlyFolder + QStringLiteral("/lithora"));
    EXPECT_TRUE(f.work.isEmpty());
}

TEST(AboutWindow, ShowsTheVersionOfTheBuild) {
    TAboutForm about;
    auto* version = about.findChild<QLabel*>(QStringLiteral("AboutVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(),
              QStringLiteral("Version ") + QString::fromLatin1(lithora::programVersion()));
    EXPECT_FALSE(QString::fromLatin1(lithora::programVersion()).isEmpty());
}

}  // namespace

namespace {

TEST(ProgramFolders, TheChosenWorkFolderTakesTheChosenPatternsAnyOtherItsOwn) {
    QTemporaryDir own, work, installed;
    ASSERT_TRUE(QDir(own.path()).mkpath(QStringLiteral("Patterns")));
    const ProgramFolders before = programFolders();
    setProgramFolders({work.path(), installed.path()});
    EXPECT_EQ(patternsFolderFor(own.path()), QDir(own.path()).filePath(QStringLiteral("Patterns")));
    EXPECT_EQ(patternsFolderFor(work.path()), installed.path());
    EXPECT_EQ(patternsFolderFor(work.path() + QStringLiteral("/")), installed.path());
    setProgramFolders(before);
}

}  // namespace
