// The connection file that puts the database on a server.

#include "db/server_connect_file.h"
#include "db_error_number.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tabulon;
using tabulon::test::ErrorNumberOf;

namespace {

class ServerConnectFileTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& content) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("tabulon-db.conf"));
};

TEST_F(ServerConnectFileTest, NoFileMeansTheDatabaseFile) {
    EXPECT_FALSE(ReadServerConnectFile(path).has_value());
}

TEST_F(ServerConnectFileTest, CommentsGoAndTheLinesJoin) {
    Write("# the clinic's server\n"
          "host=db.clinic.example dbname=tabulon\n"
          "  user=clerk1 sslmode=verify-full\n\n");
    EXPECT_EQ(ReadServerConnectFile(path),
              QStringLiteral("host=db.clinic.example dbname=tabulon user=clerk1 "
                             "sslmode=verify-full"));
    Write("service=tabulon\n");
    EXPECT_EQ(ReadServerConnectFile(path), QStringLiteral("service=tabulon"));
    Write("postgresql://clerk1@db.clinic.example/tabulon?sslmode=verify-full");
    EXPECT_TRUE(ReadServerConnectFile(path).has_value());
}

TEST_F(ServerConnectFileTest, APasswordAnEmptyFileOrAWrongStringIsRefused) {
    Write("host=db dbname=tabulon password=secret");
    EXPECT_EQ(ErrorNumberOf([&] { ReadServerConnectFile(path); }), kErrConnectFailed);
    Write("postgresql://clerk1:secret@db/tabulon");
    EXPECT_EQ(ErrorNumberOf([&] { ReadServerConnectFile(path); }), kErrConnectFailed);
    Write("# nothing but a comment\n");
    EXPECT_EQ(ErrorNumberOf([&] { ReadServerConnectFile(path); }), kErrConnectFailed);
    Write("host=db no_such_keyword=1");
    EXPECT_EQ(ErrorNumberOf([&] { ReadServerConnectFile(path); }), kErrConnectFailed);
}

} // namespace
