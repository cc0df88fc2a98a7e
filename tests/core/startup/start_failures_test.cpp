// A start that fails leaves the working folder as it found it: no lock file,
// no copy, the database file untouched. A folder in which nothing can be
// written ends the start at once with a message that says so.

#include "db/db_files.h"
#include "db/instance_lock.h"
#include "db/schema.h"
#include "startup_fixture.h"

#include <QFile>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tabulon;

namespace {

class StartFailuresTest : public test::StartupFixture {
protected:
    static QStringList FolderEntries() {
        return QDir::current().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void ExpectFailedStart(int errorNumber) {
        EXPECT_NE(Start(), 0);
        EXPECT_EQ(windows, 0);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(
            messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = %1\r\r").arg(errorNumber)))
            << messages.shown[0].text.toStdString();
        EndRun();
    }
};

TEST_F(StartFailuresTest, NoDatabaseLeavesAnEmptyFolder) {
    QFile::remove(kDatabaseFile);
    ExpectFailedStart(kErrFileNotFound);
    EXPECT_TRUE(FolderEntries().isEmpty()) << FolderEntries().join(u' ').toStdString();
}

TEST_F(StartFailuresTest, WrongFileOrWrongPasswordLeavesOnlyTheFileAsItWas) {
    QFile::remove(kDatabaseFile);
    CreateDatabase(kDatabaseFile, QStringLiteral("another password")).reset();
    const QByteArray otherPassword = Bytes(kDatabaseFile);
    ExpectFailedStart(kErrBadPassword);
    EXPECT_EQ(FolderEntries(), QStringList{kDatabaseFile});
    EXPECT_EQ(Bytes(kDatabaseFile), otherPassword);

    QFile::remove(kDatabaseFile);
    QFile notADatabase(kDatabaseFile);
    ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write("a letter, not a database");
    notADatabase.close();
    messages.shown.clear();
    ExpectFailedStart(kErrNotADatabase);
    EXPECT_EQ(FolderEntries(), QStringList{kDatabaseFile});
}

TEST_F(StartFailuresTest, TheLockFileGoesWithTheLastInstance) {
    ASSERT_EQ(Start(), 0);
    EXPECT_TRUE(QFile::exists(kInstanceLockFile));
    {
        InstanceLock second(kInstanceLockFile);
        second.HoldShared();
        EndRun();
        EXPECT_TRUE(QFile::exists(kInstanceLockFile)); // the second still runs
    }
    EXPECT_FALSE(QFile::exists(kInstanceLockFile));
}

// The folder is made read-only. An administrator writes anyway, so as root
// the start runs in a child process that has given up its rights.
TEST_F(StartFailuresTest, FolderThatCannotBeWrittenEndsTheStartWithTheFileUntouched) {
    const QByteArray before = Bytes(kDatabaseFile);
    ASSERT_EQ(::chmod(QFile::encodeName(kDatabaseFile).constData(), 0644), 0);
    ASSERT_EQ(::chmod(".", 0555), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(90);
        const int status = Start();
        const bool told = messages.shown.size() == 1 &&
                          messages.shown[0].icon == MsgIcon::Critical &&
                          messages.shown[0].text.contains(QDir::currentPath()) &&
                          messages.shown[0].text.contains(QStringLiteral("書き込めない"));
        ::_exit(status != 0 && windows == 0 && told ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(".", 0700);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(FolderEntries(), QStringList{kDatabaseFile});
    EXPECT_EQ(Bytes(kDatabaseFile), before);
}

} // namespace
