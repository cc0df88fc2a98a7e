// db.mdb on a computer that others use too: every file made from it is its
// owner's alone whatever the umask, the mode its owner gave it outlives
// compaction and restore, and a db.mdb that is a symbolic link stays one
// while the file it leads to is compacted, kept as a generation and restored.

#include "backup/database_contents.h"
#include "backup/database_copy.h"
#include "backup/generations.h"
#include "backup/restore.h"
#include "db/db_files.h"
#include "db/schema.h"
#include "file_mode.h"
#include "startup_fixture.h"

#include <QFile>
#include <sys/stat.h>

using namespace tabulon;

namespace {

using test::ModeOf;

class DatabaseFilesTest : public test::StartupFixture {
protected:
    void SetUp() override {
        previousMask_ = ::umask(022);
        StartupFixture::SetUp();
    }
    void TearDown() override {
        StartupFixture::TearDown();
        ::umask(previousMask_);
    }
    static QStringList MonthsIn(const QString& path) {
        return ReadContents(path, kDatabasePassword).months;
    }

    const QDateTime later = QDateTime::currentDateTime().addSecs(3600);

private:
    mode_t previousMask_ = 0;
};

TEST_F(DatabaseFilesTest, NewDatabaseAndBackupCopyAreTheOwnersAlone) {
    CreateDatabase(QStringLiteral("new.mdb"), kDatabasePassword).reset();
    EXPECT_EQ(ModeOf(QStringLiteral("new.mdb")), 0600);
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("copies")));
    const QString copy =
        BackUpTo(kDatabaseFile, QStringLiteral("copies"), later, kDatabasePassword);
    EXPECT_EQ(ModeOf(copy), 0600);
}

class KeptModeTest : public DatabaseFilesTest, public ::testing::WithParamInterface<int> {};

TEST_P(KeptModeTest, CompactionGenerationsAndRestoreKeepTheOwnersMode) {
    const int mode = GetParam();
    ASSERT_EQ(::chmod(QFile::encodeName(kDatabaseFile).constData(), mode_t(mode)), 0);
    ASSERT_EQ(Start(), 0);
    EndRun();
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(ModeOf(kDatabaseFile), mode);
    EXPECT_EQ(ModeOf(BackupFolderOf(kDatabaseFile)), 0700);
    const std::vector<Generation> generations = ListGenerations(BackupFolderOf(kDatabaseFile));
    ASSERT_EQ(generations.size(), 2u);
    for (const Generation& generation : generations)
        EXPECT_EQ(ModeOf(generation.path), mode);
    RestoreDatabase(generations.back().path, later);
    EXPECT_EQ(ModeOf(kDatabaseFile), mode);
}

INSTANTIATE_TEST_SUITE_P(Modes, KeptModeTest, ::testing::Values(0600, 0640));

TEST_F(DatabaseFilesTest, LinkedDatabaseStaysALinkWhileItsFileIsCompactedKeptAndRestored) {
    const QString linked = QStringLiteral("data/real.mdb");
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("data")));
    ASSERT_TRUE(QFile::rename(kDatabaseFile, linked));
    ASSERT_TRUE(QFile::link(linked, kDatabaseFile));

    ASSERT_EQ(Start(), 0);
    EXPECT_TRUE(QFileInfo(kDatabaseFile).isSymLink());
    gDb->Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3802'"));
    EndRun();
    EXPECT_EQ(MonthsIn(linked), (QStringList{"3801", "3802"}));

    ASSERT_EQ(Start(), 0);
    EXPECT_TRUE(QFileInfo(kDatabaseFile).isSymLink());
    const std::vector<Generation> generations = ListGenerations(BackupFolderOf(kDatabaseFile));
    ASSERT_EQ(generations.size(), 2u);
    for (const Generation& generation : generations)
        EXPECT_FALSE(QFileInfo(generation.path).isSymLink()) << generation.path.toStdString();
    EXPECT_EQ(MonthsIn(generations.front().path), (QStringList{"3801", "3802"}));
    EXPECT_FALSE(QFile::exists(kCompactionFile));
    EXPECT_FALSE(QFile::exists(QStringLiteral("data/") + kCompactionFile));

    RestoreDatabase(generations.back().path, later);
    EXPECT_TRUE(QFileInfo(kDatabaseFile).isSymLink());
    EXPECT_EQ(MonthsIn(linked), QStringList{"3801"});
    EXPECT_FALSE(QFile::exists(QStringLiteral("data/") + kCompactionFile));
}

} // namespace
