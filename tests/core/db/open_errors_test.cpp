// Opening and creating database files: encryption, and numbered errors that
// never leave an empty database behind.

#include "db/db_files.h"
#include "db/sqlite_errors.h"
#include "temp_database.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using namespace tabulon;

namespace {

int OpenErrorNumber(const QString& path, const QString& connect = kOpenConnect) {
    try {
        DBEngine::OpenDatabase(path, false, false, connect);
    } catch (const DbError& e) {
        return e.Number();
    }
    return 0;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(OpenErrors, MissingFileGives3024AndIsNotCreated) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.mdb"));
    EXPECT_EQ(OpenErrorNumber(path), kErrFileNotFound);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(OpenErrors, WrongPasswordGives3031AndPlainClientsCannotRead) {
    test::TempDatabase db;
    db.Close();
    EXPECT_EQ(OpenErrorNumber(db.Path(), QStringLiteral("MS Access;PWD=wrong")), kErrBadPassword);
    EXPECT_EQ(OpenErrorNumber(db.Path()), 0);
    sqlite3* plain = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(db.Path()).constData(), &plain,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    EXPECT_NE(sqlite3_exec(plain, "SELECT * FROM sqlite_master", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(plain);
}

TEST(OpenErrors, FilesThatAreNoDatabaseGive3343AndStayAsTheyWere) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.mdb"));
    for (const QByteArray& content :
         {QByteArray(), QByteArray("not a database\n"),
          QByteArray("SQLite format 3\0", 16) + QByteArray(1008, '\0')}) {
        WriteFile(path, content);
        EXPECT_EQ(OpenErrorNumber(path), kErrNotADatabase);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), content);
    }
    // Whole pages of foreign bytes cannot be told from a wrong password.
    WriteFile(path, QByteArray(4096, 'x'));
    EXPECT_EQ(OpenErrorNumber(path), kErrBadPassword);
}

TEST(OpenErrors, CreatingNeverOverwrites) {
    test::TempDatabase db;
    db.db().Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3801'"));
    db.Close();
    try {
        CreateDatabase(db.Path(), kDatabasePassword);
        FAIL() << "an existing file was overwritten";
    } catch (const DbError& e) {
        EXPECT_EQ(e.Number(), kErrAlreadyExists);
    }
    auto reopened = DBEngine::OpenDatabase(db.Path(), false, false, kOpenConnect);
    EXPECT_FALSE(reopened->OpenRecordset(QStringLiteral("SELECT * From T_年月"))->Eof());
}

TEST(OpenErrors, InitdbCreatesAnEmptyDatabaseOnceOnly) {
    const QString program = qEnvironmentVariable("TABULON_BUILD_DIR") + "/tabulon-initdb";
    if (!QFile::exists(program))
        GTEST_SKIP() << "tabulon-initdb not built";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.mdb"));
    EXPECT_EQ(QProcess::execute(program, {path}), 0);
    auto db = DBEngine::OpenDatabase(path, false, false, kOpenConnect);
    EXPECT_TRUE(db->OpenRecordset(QStringLiteral("SELECT * From T_請求書"))->Eof());
    EXPECT_EQ(QProcess::execute(program, {path}), 1);
}

// The engine's words for a full disk and a damaged file also come under its
// generic code (from a statement run inside a function, as the export that
// compacts the file): they keep their own numbers and name the file.
TEST(OpenErrors, EngineConditionsGiveTheirJetNumbers) {
    const QString file = QStringLiteral("/data/db.mdb");
    const struct {
        int code;
        const char* message;
        int number;
    } cases[] = {
        {SQLITE_ERROR, "database or disk is full", kErrDiskFull},
        {SQLITE_FULL, "database or disk is full", kErrDiskFull},
        {SQLITE_ERROR, "database disk image is malformed", kErrCorrupt},
        {SQLITE_CORRUPT, "database disk image is malformed", kErrCorrupt},
        {SQLITE_CORRUPT_VTAB, "database disk image is malformed", kErrCorrupt},
        {SQLITE_ERROR, "no such table: T_x", kErrUnknownObject},
        {SQLITE_ERROR, "near \"FROM\": syntax error", kErrSyntax},
    };
    for (const auto& c : cases) {
        const DbError error = ErrorFromSqlite(c.code, QString::fromUtf8(c.message), file);
        EXPECT_EQ(error.Number(), c.number) << c.message;
        if (c.number == kErrDiskFull || c.number == kErrCorrupt) {
            EXPECT_TRUE(error.Description().contains(file)) << error.Description().toStdString();
        }
    }
}

// Options are never taken for a path: a wrong call is refused with the usage
// and creates nothing.
TEST(OpenErrors, InitdbRefusesUnknownOptionsAndMissingArguments) {
    const QString program = qEnvironmentVariable("TABULON_BUILD_DIR") + "/tabulon-initdb";
    if (!QFile::exists(program))
        GTEST_SKIP() << "tabulon-initdb not built";
    QTemporaryDir dir;
    const QStringList calls[] = {
        {"-x"}, {"--server"}, {"--help", "x.mdb"}, {"--bogus", "x.mdb"}, {"a.mdb", "b.mdb"}, {}};
    for (const QStringList& args : calls) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(program, args);
        ASSERT_TRUE(process.waitForFinished(15000));
        EXPECT_EQ(process.exitCode(), 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(process.readAllStandardError().startsWith("usage: "))
            << args.join(u' ').toStdString();
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty())
            << args.join(u' ').toStdString();
    }
}

} // namespace
