// Start-up in a working folder: dates from the clock, the main window only
// with an open database, and no compaction under a running instance.

#include "db/db_files.h"
#include "db/instance_lock.h"
#include "startup_fixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tabulon;

namespace {

using StartupTest = test::StartupFixture;

TEST_F(StartupTest, OpensTheDatabaseAndSetsTodayAndLastMonth) {
    SetTodayForTesting(QDate(2024, 3, 31));
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_NE(gDb, nullptr);
    EXPECT_FALSE(gDb->OpenRecordset(QStringLiteral("SELECT * From T_年月"))->Eof());
    EXPECT_EQ(gToday, QStringLiteral("4360331"));
    EXPECT_EQ(gZengetu, QStringLiteral("4360229"));
}

TEST_F(StartupTest, MidJanuaryGivesMidDecemberOfTheYearBefore) {
    SetTodayForTesting(QDate(2026, 1, 15));
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(gToday, QStringLiteral("4380115"));
    EXPECT_EQ(gZengetu, QStringLiteral("4371215"));
    EndRun();
    SetTodayForTesting(QDate(2025, 3, 31));
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(gZengetu, QStringLiteral("4370228"));
}

TEST_F(StartupTest, MissingDatabaseEndsWithTheErrorAndNoWindow) {
    QFile::remove(kDatabaseFile);
    EXPECT_NE(Start(), 0);
    EXPECT_EQ(windows, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 3024\r\r")));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(QFile::exists(kDatabaseFile));
    EXPECT_EQ(gDb, nullptr);
}

TEST_F(StartupTest, UnreadableDatabaseIsLeftExactlyAsItWas) {
    QFile::remove(kDatabaseFile);
    QFile file(kDatabaseFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    EXPECT_NE(Start(), 0);
    EXPECT_EQ(windows, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 3343")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a database"));
}

TEST_F(StartupTest, InjectedCompactionFailureEndsWithoutLosingARow) {
    EXPECT_NE(Start(FailAt(CompactionStep::Replace)), 0);
    EXPECT_EQ(windows, 0);
    EXPECT_FALSE(QFile::exists(kCompactionFile));
    EndRun();
    ASSERT_EQ(Start(), 0);
    EXPECT_FALSE(gDb->OpenRecordset(QStringLiteral("SELECT * From T_年月"))->Eof());
}

TEST_F(StartupTest, SecondInstanceNeitherCompactsNorDamagesTheOpenFile) {
    InstanceLock firstInstance(kInstanceLockFile);
    ASSERT_TRUE(firstInstance.TryExclusive());
    firstInstance.HoldShared();
    auto firstDb = DBEngine::OpenDatabase(kDatabaseFile, false, false, kOpenConnect);
    const auto inode = [] {
        struct stat info {};
        stat("db.mdb", &info);
        return info.st_ino;
    };
    const auto before = inode();
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(inode(), before); // not replaced by a copy
    gDb->Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3802'"));
    auto seen = firstDb->OpenRecordset(QStringLiteral("SELECT * From T_年月 where 年月 = '3802'"));
    EXPECT_FALSE(seen->Eof());
}

} // namespace
