#pragma once

// What the DAO objects need from a database engine: run statements with bound
// values, read result rows, describe tables, and address single rows of a
// table so that a recordset can edit them. SQLCipher files and PostgreSQL
// servers each implement it.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

namespace tabulon {

// The SQL dialect a connection speaks; the Jet statements are rewritten for it.
enum class SqlTarget { Sqlite, Postgres };

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

using Row = std::vector<QVariant>;

struct QueryResult {
    std::vector<QString> names;
    std::vector<Row> rows;
};

// A row of a table with the engine's address of it (SQLite's rowid,
// PostgreSQL's ctid), which stays valid until the row is changed.
struct KeyedRow {
    QVariant key;
    Row values;
};

class EngineConnection {
public:
    virtual ~EngineConnection() = default;

    virtual SqlTarget Target() const = 0;
    // Runs one statement; values bind to its placeholders in order.
    virtual QueryResult Query(const QString& sql, const std::vector<QVariant>& values = {}) = 0;
    virtual void Exec(const QString& sql, const std::vector<QVariant>& values = {}) = 0;
    // The table or view of that name (case-insensitive), or nothing.
    virtual const TableInfo* FindTable(const QString& name) = 0;

    // Row writes of updatable recordsets. Both return the row as stored, with
    // its new address; UpdateRow throws DbError 3167 when the row is gone.
    virtual KeyedRow InsertRow(const QString& table, const std::vector<QString>& columns,
                               const Row& values) = 0;
    virtual KeyedRow UpdateRow(const QString& table, const QVariant& key,
                               const std::vector<QString>& columns, const Row& values) = 0;
    // The rows of a table at these addresses, in no particular order; a row
    // that is gone is missing from the result.
    virtual std::vector<KeyedRow> ReadRows(const QString& table,
                                           const std::vector<QVariant>& keys) = 0;

    // Whether a multi-statement operation runs as one transaction. The
    // single-user file keeps running each statement on its own.
    virtual bool AtomicOperations() const { return false; }
    void Begin() { Exec(QStringLiteral("BEGIN")); }
    // Begins a transaction in which no other connection writes `tables` until
    // it ends; reading connections are not kept waiting.
    virtual void BeginGuarded(const QStringList& tables) = 0;
    void Commit() { Exec(QStringLiteral("COMMIT")); }
    void Rollback() { Exec(QStringLiteral("ROLLBACK")); }
};

// Quotes a table or column name for either dialect.
QString QuoteSqlName(const QString& name);

// The rows of a "SELECT <address>, * ..." with the address taken out.
std::vector<KeyedRow> KeyedRows(QueryResult result);

} // namespace tabulon
