// Start-up in a working folder whose connection file puts the database on the
// server: no compaction and no instance lock, and a server that cannot be
// used ends the start like a missing database file.

#include "db/db_files.h"
#include "startup_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

class ServerStartupTest : public test::StartupFixture {
protected:
    void WriteConnectFile(const QString& conninfo) {
        QFile file(kServerConnectFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("# Tabulon on the test server\n" + conninfo.toUtf8() + "\n");
    }
    // The start ended with the error report of that number and no window.
    void ExpectRefusedWith(int number) {
        EXPECT_NE(Start(), 0);
        EXPECT_EQ(windows, 0);
        EXPECT_EQ(gDb, nullptr);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(
            messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = %1\r\r").arg(number)))
            << messages.shown[0].text.toStdString();
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    }
};

TEST_F(ServerStartupTest, OpensTheServerDatabaseWithoutCompactionOrLock) {
    WriteConnectFile(db.ConnectInfo());
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_NE(gDb, nullptr);
    EXPECT_FALSE(gDb->OpenRecordset(QStringLiteral("SELECT * From T_年月"))->Eof());
    EXPECT_FALSE(QFile::exists(kDatabaseFile));
    EXPECT_FALSE(QFile::exists(kCompactionFile));
    EXPECT_FALSE(QFile::exists(kInstanceLockFile));
}

TEST_F(ServerStartupTest, UnreachableServerEndsTheStart) {
    WriteConnectFile(QStringLiteral("host=127.0.0.1 port=1 dbname=tabulon connect_timeout=5"));
    ExpectRefusedWith(kErrConnectFailed);
}

TEST_F(ServerStartupTest, RefusedLoginEndsTheStart) {
    QString conninfo = db.ConnectInfo();
    conninfo.replace(QStringLiteral("user=tabulon"), QStringLiteral("user=nobody_here"));
    WriteConnectFile(conninfo);
    ExpectRefusedWith(kErrLoginRefused);
}

TEST_F(ServerStartupTest, DatabaseWithoutTheSchemaEndsTheStart) {
    WriteConnectFile(test::TestServer());
    ExpectRefusedWith(kErrUnknownObject);
}

TEST_F(ServerStartupTest, PasswordInTheConnectFileEndsTheStart) {
    WriteConnectFile(db.ConnectInfo() + QStringLiteral(" password=secret"));
    ExpectRefusedWith(kErrConnectFailed);
}

} // namespace
