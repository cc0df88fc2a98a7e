// Restore: a generation or a picked file replaces the database, the current
// data kept as a generation first; anything that is not a database of this
// program under its password is refused with nothing changed.

#include "backup/database_contents.h"
#include "backup/generations.h"
#include "backup/restore.h"
#include "db/db_files.h"
#include "db/instance_lock.h"
#include "db/schema.h"
#include "db/sqlite_connection.h"
#include "db_error_number.h"
#include "startup_fixture.h"

#include <QFile>

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

} // namespace
