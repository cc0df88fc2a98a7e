// tabulon-export MONTH FOLDER as a clerk's helper scripts it: run in the
// folder of db.mdb, the two files written and their paths printed; wrong
// arguments and a missing database end with a non-zero status and no file.

#include "temp_database.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

struct ExportRun {
    int status;
    QString out;
    QString err;
};

QString BuiltProgram() {
    return qEnvironmentVariable("TABULON_BUILD_DIR") + QStringLiteral("/tabulon-export");
}

ExportRun
Export(const QString& workingFolder, const QStringList& args,
       const QString& program = BuiltProgram(),
       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.setProcessEnvironment(environment);
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(15000));
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
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

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ExportFiles : public ::testing::Test {
protected:
    void SetUp() override {
        db.db().Execute(
            QStringLiteral("INSERT INTO T_請求書 ( 年月, 保険者番号, 請求書種類, 連番 ) "
                           "SELECT '3811', '138057', '1', 1"));
        db.Close();
    }
    QString Claims() const { return QDir(out.path()).filePath(QStringLiteral("請求書_3811.csv")); }
    QString Lines() const {
        return QDir(out.path()).filePath(QStringLiteral("総括表明細_3811.csv"));
    }
    QStringList Written() const { return QDir(out.path()).entryList(QDir::Files); }

    test::TempDatabase db;
    QTemporaryDir out;
};

TEST_F(ExportFiles, MonthWithoutDataIsSaidAndWritesNothing) {
    const ExportRun run = Export(db.Folder(), {QStringLiteral("3810"), out.path()});
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(run.err.contains(QStringLiteral("3810"))) << run.err.toStdString();
    EXPECT_TRUE(Written().isEmpty()) << Written().join(u' ').toStdString();
}

// A file of either name, even a link to nowhere, is kept unless --force says
// to replace it; a refused export writes neither file.
TEST_F(ExportFiles, ExistingFilesAreReplacedOnlyWithForce) {
    const struct {
        const char* what;
        bool claims;
        bool lines;
        bool dangling;
    } cases[] = {{"both files", true, true, false},
                 {"the summary lines only", false, true, false},
                 {"a dangling link", false, true, true}};
    for (const auto& c : cases) {
        for (const QString& name : Written())
            QFile::remove(QDir(out.path()).filePath(name));
        if (c.claims) {
            QFile mine(Claims());
            ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
            mine.write("mine");
        }
        if (c.lines && c.dangling) {
            ASSERT_TRUE(QFile::link(out.filePath(QStringLiteral("nowhere")), Lines()));
        } else if (c.lines) {
            QFile mine(Lines());
            ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
            mine.write("mine");
        }
        const QStringList before = Written();
        const ExportRun refused = Export(db.Folder(), {QStringLiteral("3811"), out.path()});
        EXPECT_EQ(refused.status, 1) << c.what;
        EXPECT_TRUE(refused.err.contains(QStringLiteral("--force"))) << c.what;
        EXPECT_EQ(Written(), before) << c.what;
        if (c.claims) {
            EXPECT_EQ(Bytes(Claims()), "mine") << c.what;
        }
        if (c.lines && !c.dangling) {
            EXPECT_EQ(Bytes(Lines()), "mine") << c.what;
        }

        const ExportRun forced =
            Export(db.Folder(), {QStringLiteral("--force"), QStringLiteral("3811"), out.path()});
        EXPECT_EQ(forced.status, 0) << c.what << forced.err.toStdString();
        EXPECT_TRUE(Bytes(Claims()).startsWith("\xEF\xBB\xBF")) << c.what;
    }
}

// An insurer's name that a spreadsheet would run as a formula is exported so
// that the spreadsheet shows it as text.
TEST(ExportToolTest, FormulaLikeNamesAreExportedAsText) {
    test::TempDatabase db;
    const QString names[] = {QStringLiteral("=HYPERLINK(\"http://example.com\",\"x\")"),
                             QStringLiteral("@SUM(A1)"), QStringLiteral("-1+2"),
                             QStringLiteral("+81 組合")};
    int renban = 0;
    for (const QString& name : names)
        db.db().Execute(QStringLiteral("INSERT INTO T_総括表明細 ( 年月, 保険者番号, 診療科, "
                                       "総括表種類, 連番, 保険者名 ) SELECT '3811', '138057', '', "
                                       "'1', %1, '%2'")
                            .arg(++renban)
                            .arg(QString(name).replace(u'\'', QStringLiteral("''"))));
    db.Close();
    QTemporaryDir out;
    ASSERT_EQ(Export(db.Folder(), {QStringLiteral("3811"), out.path()}).status, 0);
    const QString text =
        QString::fromUtf8(Bytes(QDir(out.path()).filePath(QStringLiteral("総括表明細_3811.csv"))));
    for (const QString& name : names) {
        const QString guarded =
            QStringLiteral("\"'") + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
        EXPECT_TRUE(text.contains(u',' + guarded + u',')) << name.toStdString();
    }
}

// Where the tool looks for db.mdb, run from a folder that holds none: the
// file named with --database, or, for an installed copy (bin/ beside
// share/tabulon/form), the data folder of a home made for the test.
TEST(ExportToolTest, FindsTheDatabaseWhereTheProgramKeepsIt) {
    test::TempDatabase db;
    db.db().Execute(QStringLiteral("INSERT INTO T_請求書 ( 年月, 保険者番号, 請求書種類, 連番 ) "
                                   "SELECT '3811', '138057', '1', 1"));
    db.Close();
    QTemporaryDir root;
    const QDir dir(root.path());
    for (const char* folder : {"prefix/bin", "prefix/share/tabulon/form", "home/data", "start"})
        ASSERT_TRUE(dir.mkpath(QLatin1String(folder)));
    const QString installed = dir.filePath(QStringLiteral("prefix/bin/tabulon-export"));
    ASSERT_TRUE(QFile::copy(BuiltProgram(), installed));
    const QString dataFolder = dir.filePath(QStringLiteral("home/data/tabulon"));
    QProcessEnvironment home = QProcessEnvironment::systemEnvironment();
    home.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    home.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("home/data")));
    home.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("home/config")));

    const struct {
        const char* what;
        QString program;
        QStringList options;
        bool inDataFolder;
        int status;
        QString said; // on standard error, or in --help
    } cases[] = {
        {"--database names the file",
         BuiltProgram(),
         {QStringLiteral("--database"), db.Path()},
         false,
         0,
         QString()},
        {"installed, db.mdb in the data folder", installed, {}, true, 0, QString()},
        {"installed, no database", installed, {}, false, 1, dataFolder + QStringLiteral("/db.mdb")},
        {"build folder, none in the working folder",
         BuiltProgram(),
         {},
         true,
         1,
         dir.filePath(QStringLiteral("start/db.mdb"))},
        {"--database names a missing file",
         installed,
         {QStringLiteral("--database"), dir.filePath(QStringLiteral("gone.mdb"))},
         true,
         1,
         dir.filePath(QStringLiteral("gone.mdb"))},
    };
    for (const auto& c : cases) {
        QDir(dataFolder).removeRecursively();
        if (c.inDataFolder) {
            ASSERT_TRUE(QDir().mkpath(dataFolder));
            ASSERT_TRUE(QFile::copy(db.Path(), dataFolder + QStringLiteral("/db.mdb")));
        }
        QTemporaryDir out;
        const ExportRun run =
            Export(dir.filePath(QStringLiteral("start")),
                   c.options + QStringList{QStringLiteral("3811"), out.path()}, c.program, home);
        EXPECT_EQ(run.status, c.status) << c.what << ": " << run.err.toStdString();
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), c.status == 0 ? 2 : 0) << c.what;
        if (!c.said.isEmpty()) {
            EXPECT_TRUE(run.err.contains(c.said)) << c.what << ": " << run.err.toStdString();
            EXPECT_TRUE(run.err.contains(QStringLiteral("--database"))) << c.what;
        }
    }

    // --help names the file it would read.
    const ExportRun help =
        Export(dir.filePath(QStringLiteral("start")), {QStringLiteral("--help")}, installed, home);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(dataFolder + QStringLiteral("/db.mdb")))
        << help.out.toStdString();
}

} // namespace
