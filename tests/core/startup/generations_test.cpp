// Backup generations at start-up: one per start, stamped with the clock, the
// retention rule applied only once the newest is in place, none under a
// second instance, and a start that goes on when the backup folder cannot be
// written.

#include "backup/generations.h"
#include "clock.h"
#include "db/db_files.h"
#include "db/instance_lock.h"
#include "startup_fixture.h"

#include <QFile>
#include <QSet>

using namespace tabulon;

namespace {

class GenerationsTest : public test::StartupFixture {
protected:
    QString Folder() const { return BackupFolderOf(kDatabaseFile); }
    QStringList Paths() const {
        QStringList paths;
        for (const Generation& g : ListGenerations(Folder()))
            paths << g.path;
        return paths;
    }
    // Starts and ends one run; each start sets the file it replaces aside.
    void StartAndEnd() {
        ASSERT_EQ(Start(), 0);
        EndRun();
    }
    static bool OpensWithTheMonth(const QString& path) {
        try {
            auto opened = DBEngine::OpenDatabase(path, false, true, kOpenConnect);
            return !opened
                        ->OpenRecordset(QStringLiteral("SELECT * From T_年月 where 年月 = '3801'"))
                        ->Eof();
        } catch (const DbError&) {
            return false;
        }
    }
};

TEST_F(GenerationsTest, TenStartsLeaveTenGenerationsThatOpenWithEveryRow) {
    EXPECT_FALSE(QFileInfo::exists(Folder()));
    for (int i = 0; i < 10; ++i)
        StartAndEnd();
    const QStringList paths = Paths();
    ASSERT_EQ(paths.size(), 10);
    for (const QString& path : paths) {
        EXPECT_TRUE(QFileInfo(path).fileName().startsWith(QStringLiteral("db-")))
            << path.toStdString();
        EXPECT_TRUE(OpensWithTheMonth(path)) << path.toStdString();
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GenerationsTest, EleventhStartRemovesTheOldestOnlyAfterTheNewestIsInPlace) {
    for (int i = 0; i < 10; ++i)
        StartAndEnd();
    const QStringList ten = Paths();
    // Interrupted after the new generation and the rename, before the clean-up:
    // eleven generations, the oldest among them.
    EXPECT_NE(Start(FailAt(CompactionStep::SyncFolder)), 0);
    EndRun();
    QStringList eleven = Paths();
    ASSERT_EQ(eleven.size(), 11);
    EXPECT_TRUE(eleven.contains(ten.last()));
    const QString newest = eleven.first();
    EXPECT_FALSE(ten.contains(newest));
    EXPECT_TRUE(OpensWithTheMonth(newest));
    EXPECT_TRUE(OpensWithTheMonth(kDatabaseFile));

    StartAndEnd();
    const QStringList kept = Paths();
    ASSERT_EQ(kept.size(), 10);
    EXPECT_FALSE(kept.contains(ten.last())); // the oldest
    EXPECT_TRUE(kept.contains(newest));
    EXPECT_FALSE(kept.contains(ten[ten.size() - 2]));
}

TEST_F(GenerationsTest, StartStampsItsGenerationWithTheClockAndKeepsEarlierDaysNewest) {
    ASSERT_TRUE(QDir().mkpath(Folder()));
    const QDate before(2026, 11, 2);
    QStringList earlier = {GenerationFileName(QDateTime(QDate(2026, 10, 5), QTime(17, 0)))};
    for (int hour = 8; hour < 20; ++hour)
        earlier << GenerationFileName(QDateTime(before, QTime(hour, 0)));
    for (const QString& name : earlier) {
        QFile file(QDir(Folder()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    SetNowForTesting(QDateTime(QDate(2026, 11, 3), QTime(8, 15)));
    StartAndEnd();
    QStringList names;
    for (const QString& path : Paths())
        names << QFileInfo(path).fileName();
    // The new one and the nine newest of 11-02 make ten; 10-05 stays as the
    // newest of its day and month.
    QStringList expected = {QStringLiteral("db-20261103-081500.mdb")};
    for (int hour = 19; hour > 10; --hour)
        expected << GenerationFileName(QDateTime(before, QTime(hour, 0)));
    expected << GenerationFileName(QDateTime(QDate(2026, 10, 5), QTime(17, 0)));
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(OpensWithTheMonth(Paths().first()));
}

TEST_F(GenerationsTest, StartFailingBeforeTheReplaceLeavesNoGenerationSharingTheFile) {
    StartAndEnd();
    const QStringList before = Paths();
    EXPECT_NE(Start(FailAt(CompactionStep::Replace)), 0);
    EndRun();
    EXPECT_EQ(Paths(), before);
}

TEST_F(GenerationsTest, GenerationsAreListedNewestFirstAndOtherFilesAreLeftAlone) {
    ASSERT_TRUE(QDir().mkpath(Folder()));
    const QDateTime noon(QDate(2026, 12, 1), QTime(12, 0, 0));
    for (const QString& name : {GenerationFileName(noon), GenerationFileName(noon, 2),
                                GenerationFileName(noon, 1), GenerationFileName(noon.addDays(-1)),
                                QStringLiteral("notes.txt"), QStringLiteral("db-2026-12-01.mdb")}) {
        QFile file(QDir(Folder()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList names;
    for (const Generation& g : ListGenerations(Folder()))
        names << QFileInfo(g.path).fileName();
    EXPECT_EQ(names, (QStringList{"db-20261201-120000-2.mdb", "db-20261201-120000-1.mdb",
                                  "db-20261201-120000.mdb", "db-20261130-120000.mdb"}));
    PruneGenerations(Folder(), {.newest = 2, .days = 0, .months = 0});
    EXPECT_EQ(ListGenerations(Folder()).size(), 2u);
    EXPECT_TRUE(QFile::exists(QDir(Folder()).filePath(QStringLiteral("notes.txt"))));
}

TEST_F(GenerationsTest, NoGenerationWhileAnotherInstanceHoldsTheDatabase) {
    InstanceLock firstInstance(kInstanceLockFile);
    ASSERT_TRUE(firstInstance.TryExclusive());
    firstInstance.HoldShared();
    StartAndEnd();
    EXPECT_TRUE(Paths().isEmpty());
}

TEST_F(GenerationsTest, UnwritableBackupFolderIsToldOnceAndTheStartGoesOn) {
    // A file in the place of the folder: no folder can be made there, whoever runs.
    QFile blocker(Folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(windows, 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("バックアップ")));
    EXPECT_TRUE(messages.shown[0].text.contains(Folder()));
    EXPECT_FALSE(gDb->OpenRecordset(QStringLiteral("SELECT * From T_年月"))->Eof());
}

} // namespace
