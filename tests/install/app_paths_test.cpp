// Where the program finds its own files and keeps the clerk's data, run from
// its build folder and installed under a prefix.

#include "app_paths.h"
#include "install_fixture.h"

#include <QFile>
#include <unistd.h>

namespace tabulon {
namespace {

using AppPathsTest = test::InstallFixture;

TEST_F(AppPathsTest, BuildFolderKeepsEverythingBesideTheProgramAndTheDatabaseInTheWorkingFolder) {
    const QString build = UseBuildFolder();
    EXPECT_FALSE(UsesDesktopFolders());
    EXPECT_EQ(QrLibraryFolder(), build);
    EXPECT_EQ(LayoutFolder(), build + "/form");
    EXPECT_EQ(HelpFolder(), build + "/help");
    EXPECT_EQ(SettingsFolder(), build);
    EXPECT_EQ(DocumentFolder(), build + "/document");
    EXPECT_EQ(DatabaseFolder(), QDir::currentPath());
    // Relative names, as start-up has always used them.
    EXPECT_EQ(DatabaseFilePath(), QStringLiteral("db.mdb"));
    EXPECT_EQ(DatabaseFilePath(kCompactionFile), kCompactionFile);
}

TEST_F(AppPathsTest, InstalledProgramFindsItsFilesRelativeToItselfAndKeepsDataInTheDesktopFolders) {
    const QString prefix = UseInstall();
    // Even where the folder is writable (root), an install keeps no data in bin/.
    EXPECT_TRUE(UsesDesktopFolders());
    EXPECT_EQ(QrLibraryFolder(), prefix + "/lib/tabulon");
    EXPECT_EQ(LayoutFolder(), prefix + "/share/tabulon/form");
    EXPECT_EQ(HelpFolder(), prefix + "/share/tabulon/help");
    EXPECT_EQ(SettingsFolder(), ConfigFolder());
    EXPECT_EQ(DocumentFolder(), DataFolder() + "/document");
    EXPECT_EQ(DatabaseFolder(), DataFolder());
    EXPECT_EQ(DatabaseFilePath(), DataFolder() + "/db.mdb");
    EXPECT_EQ(DatabaseFilePath(kInstanceLockFile), DataFolder() + "/db.mdb.lock");
}

TEST_F(AppPathsTest, LayoutsBesideTheProgramWinOverAShareFolderNextToIt) {
    const QString prefix = UseInstall();
    MakeFolder(QStringLiteral("prefix/bin/form"));
    EXPECT_FALSE(UsesDesktopFolders());
    EXPECT_EQ(LayoutFolder(), prefix + "/bin/form");
    EXPECT_EQ(QrLibraryFolder(), prefix + "/bin");
}

TEST_F(AppPathsTest, ProgramFolderTheClerkCannotWriteToKeepsDataInTheDesktopFolders) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes to any folder";
    const QString build = UseBuildFolder();
    ASSERT_TRUE(QFile::setPermissions(build, QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_TRUE(UsesDesktopFolders());
    EXPECT_EQ(LayoutFolder(), build + "/form");
    EXPECT_EQ(SettingsFolder(), ConfigFolder());
    EXPECT_EQ(DatabaseFilePath(), DataFolder() + "/db.mdb");
    QFile::setPermissions(build, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
} // namespace tabulon
