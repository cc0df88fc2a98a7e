#pragma once

// A fresh database with the whole schema, set as gDb for the life of the
// object: an encrypted file in a temporary folder, or, when the test run has
// started a PostgreSQL cluster (TABULON_TEST_PG_DIR names its folder), a
// schema of its own on that server. Header only: include it and link
// tabulon_core.

#include "db/dao.h"
#include "db/db_files.h"
#include "db/engine_database.h"
#include "db/pg_connection.h"
#include "db/pg_database.h"
#include "db/schema.h"
#include "globals.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

namespace tabulon::test {

// The connection string of the test cluster's maintenance database, or empty
// when the tests run on the file engine.
inline QString TestServer() {
    const QByteArray dir = qgetenv("TABULON_TEST_PG_DIR");
    if (dir.isEmpty())
        return QString();
    QFile file(QString::fromLocal8Bit(dir) + QStringLiteral("/conninfo"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("the test cluster has no conninfo file");
    return QString::fromUtf8(file.readAll()).trimmed();
}

inline bool OnServer() {
    return !qgetenv("TABULON_TEST_PG_DIR").isEmpty();
}

class TempDatabase {
public:
    TempDatabase() {
        if (!folder_.isValid())
            throw std::runtime_error("no temporary folder");
        server_ = TestServer();
        if (server_.isEmpty()) {
            db_ = CreateDatabase(Path(), kDatabasePassword);
        } else {
            static int count = 0;
            schema_ = QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++count);
            Admin().Exec(QStringLiteral("CREATE SCHEMA ") + schema_);
            db_ = CreateServerDatabase(ConnectInfo());
        }
        gDb = db_.get();
    }
    ~TempDatabase() {
        Close();
        if (!schema_.isEmpty())
            Admin().Exec(QStringLiteral("DROP SCHEMA ") + schema_ + QStringLiteral(" CASCADE"));
    }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    Database& db() { return *db_; }
    // The folder holding the file, which is named db.mdb.
    QString Folder() const { return folder_.path(); }
    QString Path() const { return folder_.filePath(kDatabaseFile); }
    // On the server: a connection string for a further connection to the same
    // database, as a second clerk's program would open it.
    QString ConnectInfo() const {
        return server_ + QStringLiteral(" options='-csearch_path=") + schema_ + u'\'';
    }
    // Runs a statement in the engine's own SQL beside the program's, e.g. to
    // rename a table away so that the program's queries on it fail.
    void ExecEngineSql(const QString& sql) {
        dynamic_cast<EngineDatabase&>(*db_).connection().Exec(sql);
    }
    // Closes the database (gDb becomes null), e.g. before the file is compacted.
    void Close() {
        if (gDb == db_.get())
            gDb = nullptr;
        db_.reset();
    }

private:
    // One connection of the test process creates and drops the schemas.
    PgConnection& Admin() {
        static PgConnection admin(server_);
        return admin;
    }

    QTemporaryDir folder_;
    QString server_;
    QString schema_;
    std::unique_ptr<Database> db_;
};

} // namespace tabulon::test
