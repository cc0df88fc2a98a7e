// A start that fails leaves the working folder as it found it: no lock file,
// no copy, the database file untouched. A folder in which nothing can be
// written ends the start at once with a message that says so; so does a
// db.mdb that is no regular file or that holds a trigger.

#include "db/db_files.h"
#include "db/instance_lock.h"
#include "db/schema.h"
#include "db/sqlite_connection.h"
#include "sqlcipher_tool.h"
#include "startup_fixture.h"

#include <QFile>
#include <cstdio>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
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

// Enough rows for the file to have pages beyond the first few.
void FillMonths(int count) {
    SqliteConnection c(kDatabaseFile, kDatabasePassword, OpenMode::Existing);
    c.Exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < count; ++i)
        c.Exec(QStringLiteral("INSERT INTO T_年月 ( 年月 ) VALUES ( ? )"),
               {QString::number(10000 + i)});
    c.Exec(QStringLiteral("COMMIT"));
}

// A page in the middle of the file damaged, as a failing disk leaves it: the
// file opens, and reading every row (as compaction does) meets the damage.
TEST_F(StartFailuresTest, DamagedDatabaseIsLeftAsItWasAndTheStartPointsToTheRestore) {
    FillMonths(3000);
    const QByteArray whole = Bytes(kDatabaseFile);
    ASSERT_GT(whole.size(), 8 * 4096);
    {
        QFile file(kDatabaseFile);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek((whole.size() / 4096 / 2) * 4096 + 100);
        file.write(QByteArray(64, '\0'));
    }
    const QByteArray damaged = Bytes(kDatabaseFile);

    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(windows, 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    const QString text = messages.shown[0].text;
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(text.startsWith(QStringLiteral("ｴﾗｰ番号 = %1\r\r").arg(kErrCorrupt)))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QDir::current().absoluteFilePath(kDatabaseFile)))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ﾌｧｲﾙ → 復元"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("そのまま残して"))) << text.toStdString();
    EXPECT_EQ(Bytes(kDatabaseFile), damaged);
    EXPECT_FALSE(QFile::exists(kCompactionFile));
    EXPECT_TRUE(TakeDatabaseAlone()) << "a restore must be able to replace the file";
}

// Less free space than the database needs for its compacted copy: the start
// ends saying so (3026, the file named), the file as it was. The folder is a
// small file system of its own, mounted in a child process.
TEST_F(StartFailuresTest, DiskTooFullForTheCompactedCopyIsSaidSo) {
    FillMonths(1000);
    const QByteArray whole = Bytes(kDatabaseFile);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int ns = ::geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS;
        const QByteArray size = "size=" + QByteArray::number(whole.size() + 4096);
        if (::unshare(ns) != 0 ||
            ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            !QDir::current().mkdir(QStringLiteral("small")) ||
            ::mount("tmpfs", "small", "tmpfs", 0, size.constData()) != 0)
            ::_exit(77);
        QDir::setCurrent(QStringLiteral("small"));
        QFile copy(kDatabaseFile);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(whole) != whole.size())
            ::_exit(77);
        copy.close();
        const int status = Start();
        const QString text = messages.shown.size() == 1 ? messages.shown[0].text : QString();
        const bool told = text.startsWith(QStringLiteral("ｴﾗｰ番号 = %1\r\r").arg(kErrDiskFull)) &&
                          text.contains(QDir::current().absoluteFilePath(kDatabaseFile));
        const bool untouched = Bytes(kDatabaseFile) == whole && !QFile::exists(kCompactionFile);
        if (!told)
            std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
        ::_exit(status != 0 && windows == 0 && told && untouched ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no small file system can be mounted here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
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

// A pipe, a folder or a link to a pipe under the name db.mdb. The test holds
// the pipe open for writing too, so that a start which reads it fails here
// instead of waiting for ever.
class NotARegularFileTest : public StartFailuresTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(NotARegularFileTest, EndsTheStartAtOnceAndLeavesItAsItWas) {
    QFile::remove(kDatabaseFile);
    const QString kind = QString::fromLatin1(GetParam());
    const QByteArray pipe = kind == QLatin1String("link") ? "pipe" : "db.mdb";
    if (kind == QLatin1String("folder")) {
        ASSERT_TRUE(QDir().mkdir(kDatabaseFile));
    } else {
        ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    }
    if (kind == QLatin1String("link")) {
        ASSERT_TRUE(QFile::link(QStringLiteral("pipe"), kDatabaseFile));
    }
    const QStringList before = FolderEntries();
    const int writer = kind == QLatin1String("folder") ? -1 : ::open(pipe, O_RDWR | O_NONBLOCK);
    ExpectFailedStart(kErrCannotOpen);
    if (writer >= 0)
        ::close(writer);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("普通のファイルではない")));
    EXPECT_EQ(FolderEntries(), before);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(kDatabaseFile).constData(), &info), 0);
    EXPECT_EQ(S_ISDIR(info.st_mode), kind == QLatin1String("folder"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotARegularFileTest, ::testing::Values("pipe", "folder", "link"));

// The program makes no triggers; one added to db.mdb would rewrite what is
// saved. The start refuses the file before compacting it.
TEST_F(StartFailuresTest, DatabaseWithATriggerIsRefusedAndLeftAsItWas) {
    ASSERT_TRUE(test::RunSqlcipher(
        kDatabaseFile,
        QStringLiteral("CREATE TRIGGER 点数 AFTER INSERT ON T_請求書 BEGIN "
                       "UPDATE T_請求書 SET 一般_療養_外来_点数_1 = '99999999'; END;")));
    const QByteArray before = Bytes(kDatabaseFile);
    ExpectFailedStart(kErrNotADatabase);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("トリガー '点数'")));
    EXPECT_EQ(FolderEntries(), QStringList{kDatabaseFile});
    EXPECT_EQ(Bytes(kDatabaseFile), before);
}

} // namespace
