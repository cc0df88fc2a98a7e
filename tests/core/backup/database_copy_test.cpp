// Backup on demand: a consistent copy of the open database in a folder, named
// as a generation, complete or not there at all.

#include "backup/database_copy.h"
#include "backup/generations.h"
#include "db_error_number.h"
#include "temp_database.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

class DatabaseCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int m = 1; m <= 12; ++m)
            db.db().Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '37%1'")
                                .arg(m, 2, 10, QChar(u'0')));
    }
    static int Months(const QString& path) {
        auto opened = DBEngine::OpenDatabase(path, false, true, kOpenConnect);
        int n = 0;
        for (auto rs = opened->OpenRecordset(QStringLiteral("SELECT * From T_年月")); !rs->Eof();
             rs->MoveNext())
            ++n;
        return n;
    }
    QStringList Entries() const {
        return QDir(target.path()).entryList(QDir::Files | QDir::Hidden);
    }

    test::TempDatabase db;
    QTemporaryDir target;
    const QDateTime noon{QDate(2026, 12, 8), QTime(12, 0, 5)};
};

TEST_F(DatabaseCopyTest, CopyOfTheOpenDatabaseHoldsEveryRowUnderTheGenerationName) {
    std::vector<std::pair<qint64, qint64>> reports;
    const QString path =
        BackUpTo(db.Path(), target.path(), noon, kDatabasePassword,
                 [&](qint64 done, qint64 total) { reports.emplace_back(done, total); });
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("db-20261208-120005.mdb"));
    EXPECT_EQ(Months(path), 12);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().first, reports.back().second);
    // The copy is encrypted like the database: no plain SQLite header.
    QFile copy(path);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_NE(copy.read(16), QByteArray("SQLite format 3\0", 16));
    // A second backup in the same second keeps the first.
    db.db().Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3801'"));
    const QString second = BackUpTo(db.Path(), target.path(), noon, kDatabasePassword);
    EXPECT_NE(second, path);
    EXPECT_EQ(Months(second), 13);
    EXPECT_EQ(Months(path), 12);
    EXPECT_EQ(ListGenerations(target.path()).size(), 2u);
    EXPECT_EQ(Entries().size(), 2);
}

TEST_F(DatabaseCopyTest, FailedCopyLeavesNothingInTheFolder) {
    EXPECT_EQ(test::ErrorNumberOf(
                  [&] { BackUpTo(db.Path(), target.path(), noon, QStringLiteral("wrong")); }),
              kErrBadPassword);
    EXPECT_EQ(test::ErrorNumberOf([&] {
                  BackUpTo(db.Path(), QDir(target.path()).filePath(QStringLiteral("missing")), noon,
                           kDatabasePassword);
              }),
              kErrCannotOpen);
    EXPECT_TRUE(Entries().isEmpty()) << Entries().join(u' ').toStdString();
    EXPECT_EQ(Months(db.Path()), 12);
}

} // namespace
