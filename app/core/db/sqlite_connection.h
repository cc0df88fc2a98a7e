#pragma once

// One open, keyed SQLCipher connection with the Jet functions registered, and
// what the layer needs to know about its tables.

#include "db/engine_connection.h"

#include <QString>
#include <QVariant>
#include <map>
#include <optional>
#include <vector>

struct sqlite3;

namespace tabulon {

enum class OpenMode {
    Existing,         // the file must exist; it is never created
    ExistingReadOnly, // as Existing, and every write is refused (3027)
    CreateNew,        // the file must not exist; it is created
};

class SqliteConnection : public EngineConnection {
public:
    // Opens `path` with the password as key and checks that the key reads it.
    // Throws DbError 3024 (no file), 3204 (file exists, CreateNew), 3031 (wrong
    // password or unreadable content), 3343 (a file that is no encrypted
    // database), or the error SQLite reports.
    SqliteConnection(const QString& path, const QString& password, OpenMode mode);
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* handle() const { return db_; }
    SqlTarget Target() const override { return SqlTarget::Sqlite; }
    QueryResult Query(const QString& sql, const std::vector<QVariant>& values = {}) override;
    void Exec(const QString& sql, const std::vector<QVariant>& values = {}) override;
    const TableInfo* FindTable(const QString& name) override;
    KeyedRow InsertRow(const QString& table, const std::vector<QString>& columns,
                       const Row& values) override;
    KeyedRow UpdateRow(const QString& table, const QVariant& key,
                       const std::vector<QString>& columns, const Row& values) override;
    // The file has one write lock for all its tables.
    void BeginGuarded(const QStringList&) override { Exec(QStringLiteral("BEGIN IMMEDIATE")); }
    std::vector<KeyedRow> ReadRows(const QString& table,
                                   const std::vector<QVariant>& keys) override;

private:
    KeyedRow ReadRow(const QString& table, qint64 rowid);

    sqlite3* db_ = nullptr;
    std::map<QString, std::optional<TableInfo>> tables_;
};

} // namespace tabulon
