// Restore: a generation or a picked file replaces the database, the current
// data kept as a generation first; anything that is not a database of this
// program under its password, with exactly its tables, columns, indexes and
// views, is refused with its reason and nothing changed.

#include "backup/database_contents.h"
#include "backup/generations.h"
#include "backup/restore.h"
#include "db/db_files.h"
#include "db/instance_lock.h"
#include "db/schema.h"
#include "db/sqlite_connection.h"
#include "db_error_number.h"
#include "sqlcipher_tool.h"
#include "startup_fixture.h"

#include <QFile>
#include <algorithm>

using namespace tabulon;

namespace {

class RestoreTest : public test::StartupFixture {
protected:
    void SetUp() override {
        StartupFixture::SetUp();
        ASSERT_EQ(Start(), 0);
        gDb->Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3802'"));
        gDb->Execute(QStringLiteral("INSERT INTO T_請求書 ( 年月, 保険者番号, 請求書種類, 連番 ) "
                                    "SELECT '3802', '138057', '1', 1"));
        // The next start keeps the file with month 3802 as a generation.
        EndRun();
        ASSERT_EQ(Start(), 0);
        ASSERT_EQ(ListGenerations(BackupFolder()).size(), 2u);
        withMonth = ListGenerations(BackupFolder()).front().path;
        // Deleted after the generation was made.
        gDb->Execute(QStringLiteral("DELETE T_請求書.* FROM T_請求書 WHERE 年月 = '3802'"));
        gDb->Execute(QStringLiteral("DELETE T_年月.* FROM T_年月 WHERE 年月 = '3802'"));
    }
    static QString BackupFolder() { return BackupFolderOf(kDatabaseFile); }
    static bool Holds(const QString& month) {
        return !gDb->OpenRecordset(QStringLiteral("SELECT * From T_請求書 where 年月 = '") + month +
                                   QStringLiteral("'"))
                    ->Eof();
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Runs a restore that must be refused and checks that nothing changed.
    void ExpectRefused(const QString& chosen, int errorNumber) {
        const QByteArray before = Bytes(kDatabaseFile);
        const size_t generations = ListGenerations(BackupFolder()).size();
        EXPECT_EQ(test::ErrorNumberOf([&] { RestoreDatabase(chosen, later); }), errorNumber);
        EXPECT_EQ(Bytes(kDatabaseFile), before);
        EXPECT_EQ(ListGenerations(BackupFolder()).size(), generations);
        EXPECT_FALSE(QFile::exists(kCompactionFile));
        ASSERT_NE(gDb, nullptr);
        EXPECT_FALSE(Holds(QStringLiteral("3802")));
    }

    QString withMonth;
    const QDateTime later = QDateTime::currentDateTime().addSecs(3600);
};

TEST_F(RestoreTest, RestoringAGenerationBringsBackAMonthDeletedAfterIt) {
    ASSERT_FALSE(Holds(QStringLiteral("3802")));
    const DatabaseContents contents = ReadContents(withMonth, kDatabasePassword);
    EXPECT_EQ(contents.months, (QStringList{"3801", "3802"}));
    EXPECT_EQ(contents.claims, 1);

    RestoreDatabase(withMonth, later);
    ASSERT_NE(gDb, nullptr);
    EXPECT_TRUE(Holds(QStringLiteral("3802")));
    // The data as it was before the restore is the newest generation.
    const std::vector<Generation> generations = ListGenerations(BackupFolder());
    ASSERT_EQ(generations.size(), 3u);
    EXPECT_EQ(generations.front().madeAt,
              QDateTime(later.date(), later.time().addMSecs(-later.time().msec())));
    EXPECT_EQ(ReadContents(generations.front().path, kDatabasePassword).claims, 0);
    EXPECT_TRUE(QFile::exists(withMonth)); // the restored generation is kept
    EXPECT_FALSE(QFile::exists(kCompactionFile));
    // The restored data is the database of the run: a save reaches the file.
    gDb->Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3803'"));
    EndRun();
    EXPECT_EQ(ReadContents(kDatabaseFile, kDatabasePassword).months,
              (QStringList{"3801", "3802", "3803"}));
}

TEST_F(RestoreTest, NotADatabaseOrAnotherPasswordIsRefusedWithNothingChanged) {
    QTemporaryDir elsewhere;
    const QString letter = elsewhere.filePath(QStringLiteral("letter.mdb"));
    QFile file(letter);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Dear clerk, this is not a database.");
    file.close();
    ExpectRefused(letter, kErrNotADatabase);

    const QString otherPassword = elsewhere.filePath(QStringLiteral("other.mdb"));
    CreateDatabase(otherPassword, QStringLiteral("another password")).reset();
    ExpectRefused(otherPassword, kErrBadPassword);

    ExpectRefused(elsewhere.filePath(QStringLiteral("missing.mdb")), kErrFileNotFound);
}

TEST_F(RestoreTest, EncryptedDatabaseOfAnotherProgramIsRefused) {
    QTemporaryDir elsewhere;
    const QString foreign = elsewhere.filePath(QStringLiteral("foreign.mdb"));
    {
        SqliteConnection other(foreign, kDatabasePassword, OpenMode::CreateNew);
        other.Exec(QStringLiteral("CREATE TABLE address_book (name TEXT)"));
    }
    ExpectRefused(foreign, kErrNotADatabase);
}

TEST_F(RestoreTest, RefusedWhileAnotherInstanceHoldsTheDatabase) {
    InstanceLock secondInstance(kInstanceLockFile);
    secondInstance.HoldShared();
    ExpectRefused(withMonth, kErrLocked);
}

TEST_F(RestoreTest, FailureAtAnyStepLeavesTheDatabaseAsItWasAndOpen) {
    for (RestoreStep failing : {RestoreStep::Copy, RestoreStep::SetAside, RestoreStep::Replace}) {
        const QByteArray before = Bytes(kDatabaseFile);
        const size_t generations = ListGenerations(BackupFolder()).size();
        EXPECT_EQ(test::ErrorNumberOf([&] {
                      RestoreDatabase(withMonth, later, {}, [failing](RestoreStep step) {
                          if (step == failing)
                              throw DbError(kErrDiskFull, QStringLiteral("injected"));
                      });
                  }),
                  kErrDiskFull);
        EXPECT_EQ(Bytes(kDatabaseFile), before) << int(failing);
        ASSERT_NE(gDb, nullptr);
        EXPECT_FALSE(Holds(QStringLiteral("3802"))) << int(failing);
        EXPECT_FALSE(QFile::exists(kCompactionFile)) << int(failing);
        EXPECT_EQ(ListGenerations(BackupFolder()).size(), generations) << int(failing);
    }
    // Still able to restore afterwards: the lock was given back.
    RestoreDatabase(withMonth, later);
    EXPECT_TRUE(Holds(QStringLiteral("3802")));
}

struct ChangedBackup {
    const char* what;
    bool fromScratch; // a new file instead of a changed generation
    const char* statements;
    const char* reason;
};

class ChangedBackupTest : public RestoreTest,
                          public ::testing::WithParamInterface<ChangedBackup> {};

// Files changed with the sqlcipher tool. Each is refused before anything is
// replaced, and the reason names what is not this program's.
TEST_P(ChangedBackupTest, IsRefusedWithItsReason) {
    QTemporaryDir elsewhere;
    const QString changed = elsewhere.filePath(QStringLiteral("changed.mdb"));
    if (!GetParam().fromScratch) {
        ASSERT_TRUE(QFile::copy(withMonth, changed));
    }
    ASSERT_TRUE(test::RunSqlcipher(changed, QString::fromUtf8(GetParam().statements)));
    ExpectRefused(changed, kErrNotADatabase);
    try {
        ReadContents(changed, kDatabasePassword);
        ADD_FAILURE() << "accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.Description().contains(QString::fromUtf8(GetParam().reason)))
            << e.Description().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ChangedBackupTest,
    ::testing::Values(
        ChangedBackup{"trigger", false,
                      "CREATE TRIGGER 点数 AFTER INSERT ON T_請求書 BEGIN UPDATE T_請求書 "
                      "SET 一般_療養_外来_点数_1 = '99999999'; END;",
                      "トリガー '点数'"},
        ChangedBackup{"table of another program", false, "CREATE TABLE address_book (name);",
                      "テーブル 'address_book' があります"},
        ChangedBackup{"index added", false, "CREATE INDEX 年月順 ON T_請求書 (年月);",
                      "インデックス '年月順' があります"},
        ChangedBackup{"column added", false, "ALTER TABLE T_年月 ADD COLUMN メモ TEXT;",
                      "テーブル 'T_年月' の定義が違います"},
        ChangedBackup{"view dropped", false, "DROP VIEW Q_年;", "クエリ 'Q_年' がありません"},
        ChangedBackup{"view changed", false, "DROP VIEW Q_年; CREATE VIEW Q_年 AS SELECT 1;",
                      "クエリ 'Q_年' の定義が違います"},
        ChangedBackup{"only the three table names", true,
                      "CREATE TABLE T_請求書 (年月); CREATE TABLE T_総括表明細 (年月); "
                      "CREATE TABLE T_年月 (年月);",
                      "の定義が違います"}),
    [](const ::testing::TestParamInfo<ChangedBackup>& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

} // namespace
