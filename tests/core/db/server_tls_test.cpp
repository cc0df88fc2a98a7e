// On a server that refuses every login without TLS, a connection file that
// asks for no TLS still connects, over TLS, and no login without it is ever
// tried.

#include "db/db_error.h"
#include "db/pg_connection.h"
#include "db/server_connect_file.h"
#include "own_cluster.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

// Where the connection asks for no TLS.
enum class Asked { InTheFile, InTheEnvironment, InTheServiceFile };

struct WeakTls {
    const char* name;
    Asked where;
    const char* sslmode;
};

class TlsRaiseTest : public ::testing::TestWithParam<WeakTls> {
protected:
    static void SetUpTestSuite() { cluster = new test::OwnCluster(QStringLiteral("tls")); }
    static void TearDownTestSuite() {
        delete cluster;
        cluster = nullptr;
    }
    static test::OwnCluster* cluster;
};

test::OwnCluster* TlsRaiseTest::cluster = nullptr;

TEST_P(TlsRaiseTest, ConnectsOverTlsAndNeverTriesWithout) {
    const WeakTls& weak = GetParam();
    const QByteArray sslmode = QByteArray("sslmode=") + weak.sslmode;
    QTemporaryDir folder;
    const auto write = [&folder](const char* name, const QByteArray& content) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    };
    // The connection file of a clerk's working folder.
    const QByteArray server = cluster->ConnectInfo().toUtf8();
    QByteArray conf = "# the clinic's server\n";
    if (weak.where == Asked::InTheServiceFile) {
        conf += "service=clinic\n";
        const QString services =
            write("pg_service.conf",
                  "[clinic]\n" + QByteArray(server).replace(' ', '\n') + '\n' + sslmode + '\n');
        qputenv("PGSERVICEFILE", services.toLocal8Bit());
    } else {
        conf += server + (weak.where == Asked::InTheFile ? ' ' + sslmode : QByteArray()) + '\n';
    }
    if (weak.where == Asked::InTheEnvironment)
        qputenv("PGSSLMODE", weak.sslmode);
    const QString path = write("tabulon-db.conf", conf);
    std::unique_ptr<PgConnection> connection;
    try {
        connection = std::make_unique<PgConnection>(*ReadServerConnectFile(path));
    } catch (const DbError& e) {
        ADD_FAILURE() << e.Number() << ' ' << e.Description().toStdString();
    }
    qunsetenv("PGSSLMODE");
    qunsetenv("PGSERVICEFILE");
    ASSERT_TRUE(connection);
    EXPECT_EQ(
        connection
            ->Query(QStringLiteral("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()"))
            .rows.front()
            .front(),
        QVariant(true));
    const QString log = cluster->ServerLog();
    EXPECT_FALSE(log.contains(QStringLiteral("no encryption"))) << log.toStdString();
    static const QRegularExpression authorised(QStringLiteral("connection authorized: [^\\n]*"));
    for (auto it = authorised.globalMatch(log); it.hasNext();) {
        const QString line = it.next().captured();
        EXPECT_TRUE(line.contains(QStringLiteral("SSL enabled"))) << line.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, TlsRaiseTest,
    ::testing::Values(WeakTls{"Disable", Asked::InTheFile, "disable"},
                      WeakTls{"Allow", Asked::InTheFile, "allow"},
                      WeakTls{"DisableInTheEnvironment", Asked::InTheEnvironment, "disable"},
                      WeakTls{"DisableInTheServiceFile", Asked::InTheServiceFile, "disable"}),
    [](const ::testing::TestParamInfo<WeakTls>& info) { return std::string(info.param.name); });

} // namespace
