// A server that goes away under the clerks: a restart between two actions
// costs nothing, a statement caught by the loss is repeated only when it
// changes nothing, a transaction caught by it never ends as a success, and
// what the clerk reads of a refusal is one clean line.

#include "db/pg_connection.h"
#include "db/pg_database.h"
#include "db_error_number.h"
#include "own_cluster.h"
#include "temp_database.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tabulon;
using tabulon::test::ErrorNumberOf;

namespace {

int Count(Database& on, const QString& sql) {
    int n = 0;
    for (auto rs = on.OpenRecordset(sql); !rs->Eof(); rs->MoveNext())
        ++n;
    return n;
}

void AddClaim(Database& on, int serial) {
    auto rs = on.OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
    rs->AddNew();
    rs->Fields(QStringLiteral("年月")).SetValue(QStringLiteral("3801"));
    rs->Fields(QStringLiteral("保険者番号")).SetValue(QStringLiteral("138001"));
    rs->Fields(QStringLiteral("請求書種類")).SetValue(1);
    rs->Fields(QStringLiteral("連番")).SetValue(serial);
    rs->Update();
}

QString DescriptionOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DbError& e) {
        return e.Description();
    }
    return QString();
}

TEST(ServerRestartTest, TheNextActionAfterARestartWorksWithoutAMessage) {
    test::OwnCluster cluster;
    auto db = CreateServerDatabase(cluster.ConnectInfo());
    AddClaim(*db, 1);
    cluster.Restart();
    // A save: the row is written on a new session.
    EXPECT_EQ(ErrorNumberOf([&] { AddClaim(*db, 2); }), 0);
    cluster.Restart();
    // A list.
    EXPECT_EQ(Count(*db, QStringLiteral("SELECT * From T_請求書 Where 年月 = '3801'")), 2);
    cluster.Restart();
    // A print fills and totals the session's own work tables, made anew.
    EXPECT_EQ(ErrorNumberOf([&] {
                  db->Execute(QStringLiteral("DELETE * From WK_総括表明細"));
                  db->Execute(
                      QStringLiteral("INSERT INTO WK_総括表明細 ( 総括表種類 ) SELECT '1'"));
              }),
              0);
    EXPECT_EQ(Count(*db, QStringLiteral("Select * From Q_総括表 WHERE 総括表種類 ='1'")), 1);
}

TEST(ServerRestartTest, ATransactionCaughtByARestartIsNeverCommitted) {
    test::OwnCluster cluster;
    auto db = CreateServerDatabase(cluster.ConnectInfo());
    {
        auto operation = db->BeginOperation();
        AddClaim(*db, 1);
        cluster.Restart();
        // Its first statement went with the old session: the rest must not
        // run on its own, and the commit must not say it is done.
        EXPECT_EQ(ErrorNumberOf([&] { AddClaim(*db, 2); }), kErrConnectFailed);
        EXPECT_EQ(ErrorNumberOf([&] { operation->Commit(); }), kErrConnectFailed);
    }
    EXPECT_EQ(Count(*db, QStringLiteral("SELECT * From T_請求書")), 0);
    // The next operation runs as usual.
    auto operation = db->BeginOperation();
    AddClaim(*db, 3);
    operation->Commit();
    EXPECT_EQ(Count(*db, QStringLiteral("SELECT * From T_請求書")), 1);
}

class LostStatementTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::OnServer())
            GTEST_SKIP() << "needs the server";
        connection = std::make_unique<PgConnection>(db.ConnectInfo());
        connection->Exec(QStringLiteral("CREATE SEQUENCE runs"));
        connection->Exec(QStringLiteral("CREATE TABLE written (n int)"));
    }
    int Runs() {
        return connection->Query(QStringLiteral("SELECT last_value FROM runs"))
            .rows.front()
            .front()
            .toInt();
    }

    test::TempDatabase db;
    std::unique_ptr<PgConnection> connection;
};

// Ends its own session the first time it runs, as a restart in the middle
// of a statement would.
const QString kEndsFirstRun = QStringLiteral(
    "(CASE WHEN nextval('runs') = 1 THEN pg_terminate_backend(pg_backend_pid()) END)");

TEST_F(LostStatementTest, AReadIsRepeatedOnceOnANewSession) {
    EXPECT_EQ(ErrorNumberOf([&] {
                  connection->Query(QStringLiteral("SELECT ") + kEndsFirstRun +
                                    QStringLiteral(" AS ended"));
              }),
              0);
    EXPECT_EQ(Runs(), 2);
}

// The write is reported with the server's reason, in one line.
TEST_F(LostStatementTest, AWriteThatMayHaveBeenDoneIsNotRepeated) {
    const QString message = DescriptionOf([&] {
        connection->Exec(QStringLiteral("INSERT INTO written SELECT 1 WHERE ") + kEndsFirstRun +
                         QStringLiteral(" IS NULL"));
    });
    EXPECT_EQ(message,
              QStringLiteral("データベース サーバーとの接続に失敗しました。(SQLSTATE 57P01: "
                             "terminating connection due to administrator command)"));
    EXPECT_EQ(Runs(), 1);
    EXPECT_TRUE(connection->Query(QStringLiteral("SELECT n FROM written")).rows.empty());
}

// The wrong password of a clerk's password file, on the shared cluster and
// on one with TLS, where libpq tries the login twice.
class WrongPasswordTest : public ::testing::TestWithParam<const char*> {};

TEST_P(WrongPasswordTest, TheRefusalIsSaidOnceWithItsSqlStateAndNothingElse) {
    if (!test::OnServer())
        GTEST_SKIP() << "needs the server";
    std::unique_ptr<test::OwnCluster> tls;
    QString server = test::TestServer();
    if (QByteArray(GetParam()) == "tls") {
        tls = std::make_unique<test::OwnCluster>(QStringLiteral("tls"));
        server = tls->ConnectInfo();
    }
    QTemporaryDir home;
    const QString passfile = home.filePath(QStringLiteral("pgpass"));
    QFile file(passfile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("*:*:*:tabulon_pw:wrong\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    qputenv("PGPASSFILE", passfile.toLocal8Bit());
    const QString message = DescriptionOf([&] {
        PgConnection(
            server.replace(QStringLiteral("user=tabulon"), QStringLiteral("user=tabulon_pw")));
    });
    qunsetenv("PGPASSFILE");
    EXPECT_TRUE(message.startsWith(QStringLiteral("サーバーがログインを拒否しました。")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("SQLSTATE 28P01"))) << message.toStdString();
    EXPECT_EQ(message.count(QStringLiteral("password authentication failed")), 1)
        << message.toStdString();
    for (const QString& leak : {QStringLiteral("LOCATION"), QStringLiteral(".c:"), passfile,
                                QStringLiteral("pgpass"), QStringLiteral("\n")})
        EXPECT_FALSE(message.contains(leak)) << message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Servers, WrongPasswordTest, ::testing::Values("plain", "tls"));

} // namespace
