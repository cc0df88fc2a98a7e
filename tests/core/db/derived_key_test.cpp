// The key derived once per run: it must be the key SQLCipher derives from the
// password, a compacted copy must open with the password alone (as another
// program or a later run opens it), and a known salt must not let a wrong
// password in.

#include "db/compact_in_place.h"
#include "db/db_files.h"
#include "db/derived_key.h"
#include "db_error_number.h"
#include "temp_database.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using namespace tabulon;

namespace {

// Whether SQLCipher itself reads the file's months with `key`, outside the
// program's connections and their remembered keys.
bool SqlcipherReads(const QString& path, const QByteArray& key) {
    sqlite3* db = nullptr;
    bool read = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY,
                                nullptr) == SQLITE_OK &&
                sqlite3_key(db, key.constData(), int(key.size())) == SQLITE_OK &&
                sqlite3_exec(db, "SELECT * FROM T_年月", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return read;
}

class DerivedKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.db().Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3801'"));
        db.Close();
    }
    test::TempDatabase db;
};

TEST_F(DerivedKeyTest, RawKeyIsTheKeySqlcipherDerivesFromThePassword) {
    const QByteArray raw = RawKeyFor(kDatabasePassword, FileSalt(db.Path()));
    ASSERT_FALSE(raw.isEmpty());
    EXPECT_TRUE(SqlcipherReads(db.Path(), raw));
    EXPECT_FALSE(
        SqlcipherReads(db.Path(), RawKeyFor(QStringLiteral("wrong"), FileSalt(db.Path()))));
}

TEST_F(DerivedKeyTest, CompactedCopyKeepsTheSaltAndOpensWithThePasswordAlone) {
    const QByteArray salt = FileSalt(db.Path());
    CompactInPlace(db.Path(), QDir(db.Folder()).filePath(kCompactionFile), kCompactConnect);
    EXPECT_EQ(FileSalt(db.Path()), salt);
    EXPECT_TRUE(SqlcipherReads(db.Path(), kDatabasePassword.toUtf8()));
    EXPECT_FALSE(SqlcipherReads(db.Path(), QByteArray()));
}

TEST_F(DerivedKeyTest, WrongPasswordIsRefusedAfterTheRightOneOpenedTheFile) {
    DBEngine::OpenDatabase(db.Path(), false, false, kOpenConnect).reset();
    EXPECT_EQ(test::ErrorNumberOf([&] {
                  DBEngine::OpenDatabase(db.Path(), false, false,
                                         QStringLiteral("MS Access;PWD=wrong"));
              }),
              kErrBadPassword);
}

} // namespace
