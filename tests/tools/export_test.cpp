// tabulon-export MONTH FOLDER as a clerk's helper scripts it: run in the
// folder of db.mdb, the two files written and their paths printed; wrong
// arguments and a missing database end with a non-zero status and no file.

#include "temp_database.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

struct ExportRun {
    int status;
    QString out;
};

ExportRun Export(const QString& workingFolder, const QStringList& args) {
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(qEnvironmentVariable("TABULON_BUILD_DIR") + QStringLiteral("/tabulon-export"),
                  args);
    EXPECT_TRUE(process.waitForFinished(15000));
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput())};
}

TEST(ExportToolTest, WritesTheMonthFromDbMdbInTheCurrentFolder) {
    test::TempDatabase db;
    db.db().Execute(QStringLiteral("INSERT INTO T_請求書 ( 年月, 保険者番号, 請求書種類, 連番 ) "
                                   "SELECT '3811', '138057', '1', 1"));
    db.Close();
    QTemporaryDir out;
    const ExportRun run = Export(db.Folder(), {QStringLiteral("3811"), out.path()});
    EXPECT_EQ(run.status, 0);
    const QString claims = QDir(out.path()).filePath(QStringLiteral("請求書_3811.csv"));
    EXPECT_TRUE(run.out.contains(claims + QStringLiteral("\t1")));
    EXPECT_TRUE(QFile::exists(claims));
    EXPECT_TRUE(QFile::exists(QDir(out.path()).filePath(QStringLiteral("総括表明細_3811.csv"))));
}

TEST(ExportToolTest, WrongArgumentsOrNoDatabaseWriteNothing) {
    test::TempDatabase db;
    db.Close();
    QTemporaryDir out;
    EXPECT_EQ(Export(db.Folder(), {QStringLiteral("3813"), out.path()}).status, 2);
    EXPECT_EQ(Export(db.Folder(), {QStringLiteral("38-1"), out.path()}).status, 2);
    EXPECT_EQ(Export(db.Folder(), {QStringLiteral("3811")}).status, 2);
    EXPECT_EQ(Export(db.Folder(), {QStringLiteral("3811"), out.filePath("missing")}).status, 2);
    EXPECT_EQ(Export(out.path(), {QStringLiteral("3811"), out.path()}).status, 1); // no db.mdb
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
