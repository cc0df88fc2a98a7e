#pragma once

// One open, keyed SQLCipher connection with the Jet functions registered, and
// what the layer needs to know about its tables.

#include <QString>
#include <QVariant>
#include <map>
#include <optional>
#include <vector>

struct sqlite3;

namespace tabulon {

struct ColumnInfo {
    QString name;
    bool integer = false; // declared INTEGER: text written to it is converted
    QString defaultSql;   // the DEFAULT expression, empty when none
};

struct TableInfo {
    bool isView = false;
    std::vector<ColumnInfo> columns;
    std::optional<size_t> IndexOf(const QString& column) const;
};

enum class OpenMode {
    Existing,         // the file must exist; it is never created
    ExistingReadOnly, // as Existing, and every write is refused (3027)
    CreateNew,        // the file must not exist; it is created
};

class Connection {
public:
    // Opens `path` with the password as key and checks that the key reads it.
    // Throws DbError 3024 (no file), 3204 (file exists, CreateNew), 3031 (wrong
    // password or unreadable content), 3343 (a file that is no encrypted
    // database), or the error SQLite reports.
    Connection(const QString& path, const QString& password, OpenMode mode);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    // Runs one statement that returns no rows, with optional bound values.
    void Exec(const QString& sql, const std::vector<QVariant>& values = {});
    // The table or view of that name (case-insensitive), or nothing.
    const TableInfo* FindTable(const QString& name);

private:
    sqlite3* db_ = nullptr;
    std::map<QString, std::optional<TableInfo>> tables_;
};

} // namespace tabulon
