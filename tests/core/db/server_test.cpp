// The database on a PostgreSQL server as several clerks use it: two
// connections on one key, work tables of their own, operations that never
// stay half done, and the refusals of the server reported with their numbers.

#include "db/engine_database.h"
#include "db/pg_connection.h"
#include "db/pg_database.h"
#include "db/sql_quote.h"
#include "db_error_number.h"
#include "temp_database.h"
#include "ui/month_data.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tabulon;
using tabulon::test::ErrorNumberOf;

namespace {

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A second clerk's program on the same database.
        other = DBEngine::OpenServerDatabase(db.ConnectInfo());
    }
    static void AddClaim(Database& on, const QString& month, const QString& number, int serial) {
        auto rs = on.OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
        rs->AddNew();
        rs->Fields(QStringLiteral("年月")).SetValue(month);
        rs->Fields(QStringLiteral("保険者番号")).SetValue(number);
        rs->Fields(QStringLiteral("請求書種類")).SetValue(1);
        rs->Fields(QStringLiteral("連番")).SetValue(serial);
        rs->Update();
    }
    static int Count(Database& on, const QString& sql) {
        int n = 0;
        for (auto rs = on.OpenRecordset(sql); !rs->Eof(); rs->MoveNext())
            ++n;
        return n;
    }
    // The serial a save would take: the highest stored one plus 1.
    static int NextSerial(Database& on) {
        auto rs = on.OpenRecordset(QStringLiteral(
            "SELECT * From T_請求書 where 年月 = '3801' and 保険者番号 = '138001' and "
            "診療科 = '' and 請求書種類 = '1' Order By 連番"));
        if (rs->Eof())
            return 1;
        rs->MoveLast();
        return rs->Fields(QStringLiteral("連番")).Value().toInt() + 1;
    }
    // Makes every later statement of `sql`'s kind on the table fail, as a
    // server fault in the middle of an operation would.
    void FailOn(const QString& table, const QString& event) {
        Exec(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                            "$$ BEGIN RAISE EXCEPTION 'refused'; END $$"));
        Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON %2 FOR EACH ROW "
                            "EXECUTE FUNCTION refuse()")
                 .arg(event, table));
    }
    void Exec(const QString& sql) { PgConnection(db.ConnectInfo()).Exec(sql); }

    test::TempDatabase db;
    std::unique_ptr<Database> other;
};

TEST_F(ServerTest, TwoClerksSavingOneKeyGive3022ToTheSecondAndNeverTwoRows) {
    // Both read the next serial before either has written.
    const int mine = NextSerial(db.db());
    const int theirs = NextSerial(*other);
    ASSERT_EQ(mine, theirs);
    AddClaim(db.db(), QStringLiteral("3801"), QStringLiteral("138001"), mine);
    EXPECT_EQ(ErrorNumberOf([&] {
                  AddClaim(*other, QStringLiteral("3801"), QStringLiteral("138001"), theirs);
              }),
              kErrDuplicateKey);
    EXPECT_EQ(Count(db.db(), QStringLiteral("SELECT * From T_請求書")), 1);
    // The second clerk's next try takes the following serial.
    AddClaim(*other, QStringLiteral("3801"), QStringLiteral("138001"), NextSerial(*other));
    EXPECT_EQ(NextSerial(db.db()), 3);
}

TEST_F(ServerTest, AClaimSavedByOneClerkIsInTheOthersListAtItsNextRefill) {
    const QString list = QStringLiteral("SELECT * From T_請求書 Where 年月 = '3801'");
    auto shown = other->OpenRecordset(list);
    EXPECT_TRUE(shown->Eof());
    AddClaim(db.db(), QStringLiteral("3801"), QStringLiteral("138001"), 1);
    shown->Requery();
    EXPECT_FALSE(shown->Eof());
    EXPECT_EQ(Count(*other, list), 1);
}

TEST_F(ServerTest, EachConnectionTotalsItsOwnWorkTable) {
    const auto fill = [](Database& on, int count) {
        on.Execute(QStringLiteral("DELETE * From WK_総括表明細"));
        auto rs = on.OpenRecordset(QStringLiteral("Select * From WK_総括表明細"));
        rs->AddNew();
        rs->Fields(QStringLiteral("総括表種類")).SetValue(QStringLiteral("1"));
        rs->Fields(QStringLiteral("一般_入院_件数")).SetValue(count);
        rs->Update();
    };
    fill(db.db(), 3);
    fill(*other, 40);
    const QString totals =
        QStringLiteral("Select * From Q_総括表 WHERE 総括表種類 ='1' or 総括表種類 ='2'");
    EXPECT_EQ(db.db().OpenRecordset(totals)->Fields(QStringLiteral("一般_入院_件数_合計")).Value(),
              QVariant(3));
    EXPECT_EQ(other->OpenRecordset(totals)->Fields(QStringLiteral("一般_入院_件数_合計")).Value(),
              QVariant(40));
}

TEST_F(ServerTest, AMonthCopyThatFailsInTheMiddleLeavesNothingCopied) {
    AddClaim(db.db(), QStringLiteral("3801"), QStringLiteral("138001"), 1);
    db.db().Execute(
        QStringLiteral("INSERT INTO T_総括表明細 ( 年月, 保険者番号, 総括表種類, 連番 ) "
                       "SELECT '3801', '138001', '1', 1"));
    FailOn(QStringLiteral("T_総括表明細"), QStringLiteral("INSERT"));
    EXPECT_NE(ErrorNumberOf([] { CopyMonth(QStringLiteral("3801"), QStringLiteral("3802")); }), 0);
    EXPECT_EQ(Count(*other, QStringLiteral("SELECT * From T_請求書 where 年月 = '3802'")), 0);
    // The connection goes on working after the rollback.
    EXPECT_EQ(Count(db.db(), QStringLiteral("SELECT * From T_請求書")), 1);
}

TEST_F(ServerTest, AMonthDeleteThatFailsInTheMiddleKeepsTheWholeMonth) {
    AddClaim(db.db(), QStringLiteral("3801"), QStringLiteral("138001"), 1);
    db.db().Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3801'"));
    FailOn(QStringLiteral("T_年月"), QStringLiteral("DELETE"));
    EXPECT_NE(ErrorNumberOf([] { DeleteMonth(QStringLiteral("3801")); }), 0);
    EXPECT_EQ(Count(*other, QStringLiteral("SELECT * From T_請求書 where 年月 = '3801'")), 1);
}

TEST_F(ServerTest, AMonthCopiedByOneClerkIsNotCopiedAgainByTheOther) {
    AddClaim(db.db(), QStringLiteral("3801"), QStringLiteral("138001"), 1);
    AddClaim(db.db(), QStringLiteral("3801"), QStringLiteral("138002"), 1);
    EXPECT_EQ(CopyMonth(QStringLiteral("3801"), QStringLiteral("3802")), kCopiedClaims);
    Database* mine = gDb;
    gDb = other.get();
    // The claims are there already and the source has no summary lines.
    EXPECT_EQ(CopyMonth(QStringLiteral("3801"), QStringLiteral("3802")), kNoSourceData);
    gDb = mine;
    EXPECT_EQ(Count(*other, QStringLiteral("SELECT * From T_請求書 where 年月 = '3802'")), 2);
}

// Quotes are escaped by doubling them; a backslash before one must not undo
// that on a server configured the old way.
TEST_F(ServerTest, ABackslashCannotEndAQuotedValue) {
    Exec(QStringLiteral("ALTER ROLE tabulon SET standard_conforming_strings = off"));
    auto fresh = DBEngine::OpenServerDatabase(db.ConnectInfo());
    Exec(QStringLiteral("ALTER ROLE tabulon RESET standard_conforming_strings"));
    AddClaim(*fresh, QStringLiteral("3801"), QStringLiteral("138001"), 1);
    const QString hostile = QStringLiteral("\\' or 1=1 or 年月 = '");
    EXPECT_EQ(Count(*fresh, QStringLiteral("SELECT * From T_請求書 where 年月 = '") +
                                SqlEscape(hostile) + QStringLiteral("'")),
              0);
}

TEST_F(ServerTest, CreatingTheSchemaRefusesADatabaseThatHoldsTables) {
    EXPECT_EQ(ErrorNumberOf([&] { CreateServerDatabase(db.ConnectInfo()); }), kErrAlreadyExists);
    EXPECT_EQ(Count(db.db(), QStringLiteral("SELECT * From T_年月")), 0);
}

// tabulon-initdb --server as an administrator runs it: once into an empty
// database, and a refusal the second time.
TEST_F(ServerTest, InitdbCreatesTheSchemaOnceOnTheServer) {
    const QString schema = QStringLiteral("initdb_%1").arg(QCoreApplication::applicationPid());
    Exec(QStringLiteral("CREATE SCHEMA ") + schema);
    const QString conninfo =
        test::TestServer() + QStringLiteral(" options='-csearch_path=%1'").arg(schema);
    const QString program =
        QString::fromLocal8Bit(qgetenv("TABULON_BUILD_DIR")) + QStringLiteral("/tabulon-initdb");
    const auto run = [&](QString& errors) {
        QProcess initdb;
        initdb.start(program, {QStringLiteral("--server"), conninfo});
        EXPECT_TRUE(initdb.waitForFinished(20000));
        errors = QString::fromLocal8Bit(initdb.readAllStandardError());
        return initdb.exitCode();
    };
    QString errors;
    EXPECT_EQ(run(errors), 0) << errors.toStdString();
    auto created = DBEngine::OpenServerDatabase(conninfo);
    EXPECT_TRUE(created->OpenRecordset(QStringLiteral("SELECT * From Q_総括表"))->Eof());
    EXPECT_EQ(run(errors), 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("3204"))) << errors.toStdString();
    created.reset();
    Exec(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(schema));
}

TEST_F(ServerTest, ASessionEndedByTheServerIsMadeAnewBeforeTheNextStatement) {
    const QVariant pid = db.db()
                             .OpenRecordset(QStringLiteral("SELECT pg_backend_pid() AS pid"))
                             ->Fields(QStringLiteral("pid"))
                             .Value();
    // Waits until that session has ended.
    other->OpenRecordset(QStringLiteral("SELECT pg_terminate_backend(") + pid.toString() +
                         QStringLiteral(", 10000) AS done"));
    EXPECT_EQ(ErrorNumberOf([&] { Count(db.db(), QStringLiteral("SELECT * From T_年月")); }), 0);
    // The new session has work tables of its own and the totals view over them.
    EXPECT_EQ(Count(db.db(), QStringLiteral("SELECT relname FROM pg_class WHERE relpersistence = "
                                            "'t' AND pg_table_is_visible(oid)")),
              3);
    AddClaim(db.db(), QStringLiteral("3801"), QStringLiteral("138001"), 1);
    EXPECT_EQ(Count(*other, QStringLiteral("SELECT * From T_請求書")), 1);
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QString& value)
        : name_(name), previous_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnvironment() {
        if (had_)
            qputenv(name_, previous_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray previous_;
    bool had_;
};

class ServerLoginTest : public ::testing::Test {
protected:
    static int OpenError(const QString& conninfo) {
        return ErrorNumberOf([&] { DBEngine::OpenServerDatabase(conninfo); });
    }
    // The test cluster's address with other login settings.
    static QString Server(const QString& settings) {
        QString base = test::TestServer();
        base.replace(QStringLiteral("user=tabulon"), QString());
        base.replace(QStringLiteral("dbname=postgres"), QString());
        return base + u' ' + settings;
    }
};

TEST_F(ServerLoginTest, RefusalsOfTheServerCarryTheirNumbers) {
    EXPECT_EQ(OpenError(QStringLiteral("host=127.0.0.1 port=1 dbname=x connect_timeout=5")),
              kErrConnectFailed);
    EXPECT_EQ(OpenError(QStringLiteral("host=127.0.0.1 port=x")), kErrConnectFailed);
    EXPECT_EQ(OpenError(Server(QStringLiteral("user=nobody_here dbname=postgres"))),
              kErrLoginRefused);
    EXPECT_EQ(OpenError(Server(QStringLiteral("user=tabulon dbname=no_such_database"))),
              kErrFileNotFound);
    // The maintenance database exists but holds no schema of this program.
    EXPECT_EQ(OpenError(Server(QStringLiteral("user=tabulon dbname=postgres"))), kErrUnknownObject);
}

TEST_F(ServerLoginTest, AServiceNameIsLookedUpInTheServiceFile) {
    QTemporaryDir folder;
    const QString services = folder.filePath(QStringLiteral("pg_service.conf"));
    QFile file(services);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[tabulon]\n" +
               Server(QStringLiteral("user=tabulon dbname=postgres"))
                   .simplified()
                   .replace(u' ', u'\n')
                   .toUtf8() +
               "\n");
    file.close();
    const ScopedEnvironment serviceFile("PGSERVICEFILE", services);
    // Reached and logged in: what is missing is the schema.
    EXPECT_EQ(OpenError(QStringLiteral("service=tabulon")), kErrUnknownObject);
    EXPECT_EQ(OpenError(QStringLiteral("service=no_such_service")), kErrConnectFailed);
}

TEST_F(ServerLoginTest, TlsIsNeverSwitchedOff) {
    PgConnection plain(Server(QStringLiteral("user=tabulon dbname=postgres sslmode=disable")));
    EXPECT_EQ(plain.Option("sslmode"), QStringLiteral("prefer"));
    // The test server offers no TLS, so a connection that demands it fails.
    EXPECT_EQ(OpenError(Server(QStringLiteral("user=tabulon dbname=postgres sslmode=require"))),
              kErrConnectFailed);
}

TEST_F(ServerLoginTest, ThePasswordComesFromThePasswordFileOnly) {
    QTemporaryDir home;
    const QString passfile = home.filePath(QStringLiteral("pgpass"));
    const auto writePassword = [&](const QString& password) {
        QFile file(passfile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("*:*:*:tabulon_pw:" + password + "\n").toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    };
    const ScopedEnvironment passwordFile("PGPASSFILE", passfile);
    const QString login = Server(QStringLiteral("user=tabulon_pw dbname=postgres"));
    EXPECT_EQ(OpenError(login), kErrLoginRefused); // no password at hand
    writePassword(QStringLiteral("wrong"));
    EXPECT_EQ(OpenError(login), kErrLoginRefused);
    writePassword(QStringLiteral("right-password"));
    // Logged in: what is missing now is the schema.
    EXPECT_EQ(OpenError(login), kErrUnknownObject);
}

} // namespace
