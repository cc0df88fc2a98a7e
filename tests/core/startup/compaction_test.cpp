// Compaction at start-up: a failure at any step leaves a database that opens
// with every row, and a database another instance holds is not compacted.

#include "db/compact_in_place.h"
#include "db/db_files.h"
#include "db/instance_lock.h"
#include "temp_database.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

class CompactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 50; ++i)
            db.db().Execute(
                QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '%1'").arg(3000 + i));
        db.db().Execute(QStringLiteral("DELETE * From T_年月 where 年月 < '3010'"));
        db.Close();
    }
    QString Work() const { return QDir(db.Folder()).filePath(kCompactionFile); }
    int Rows() {
        auto opened = DBEngine::OpenDatabase(db.Path(), false, false, kOpenConnect);
        int n = 0;
        for (auto rs = opened->OpenRecordset(QStringLiteral("SELECT * From T_年月")); !rs->Eof();
             rs->MoveNext())
            ++n;
        return n;
    }

    test::TempDatabase db;
};

TEST_F(CompactionTest, CompactsIntoACopyAndReplacesTheFile) {
    CompactInPlace(db.Path(), Work(), kCompactConnect);
    EXPECT_EQ(Rows(), 40);
    EXPECT_FALSE(QFile::exists(Work()));
}

TEST_F(CompactionTest, FailureAtAnyStepLeavesADatabaseWithEveryRow) {
    for (CompactionStep failing : {CompactionStep::Copy, CompactionStep::SyncCopy,
                                   CompactionStep::Replace, CompactionStep::SyncFolder}) {
        EXPECT_THROW(CompactInPlace(db.Path(), Work(), kCompactConnect,
                                    [failing](CompactionStep step) {
                                        if (step == failing)
                                            throw DbError(kErrDiskFull, QStringLiteral("injected"));
                                    }),
                     DbError);
        EXPECT_EQ(Rows(), 40) << int(failing);
        EXPECT_FALSE(QFile::exists(Work())) << int(failing);
    }
}

TEST_F(CompactionTest, LeftoverCopyOfAnInterruptedRunIsReplaced) {
    QFile stale(Work());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("half a copy");
    stale.close();
    CompactInPlace(db.Path(), Work(), kCompactConnect);
    EXPECT_EQ(Rows(), 40);
}

TEST_F(CompactionTest, SourceThatCannotBeReadIsLeftUntouched) {
    QFile::remove(db.Path());
    EXPECT_THROW(CompactInPlace(db.Path(), Work(), kCompactConnect), DbError);
    EXPECT_FALSE(QFile::exists(db.Path()));
    EXPECT_FALSE(QFile::exists(Work()));
}

TEST(InstanceLockTest, SecondHolderCannotTakeItExclusively) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kInstanceLockFile);
    InstanceLock first(path);
    ASSERT_TRUE(first.TryExclusive());
    first.HoldShared();
    InstanceLock second(path);
    EXPECT_FALSE(second.TryExclusive());
    second.HoldShared(); // shared with the first: does not wait
}

} // namespace
