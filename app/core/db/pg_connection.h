#pragma once

// One connection to a PostgreSQL server through libpq. Text values travel as
// UTF-8; results come back as Null-aware values of the column's kind.

#include "db/engine_connection.h"

#include <functional>
#include <map>

struct pg_conn;
struct pg_result;

namespace tabulon {

class PgConnection : public EngineConnection {
public:
    // Connects with a libpq connection string or URI (a service name, the
    // password file and the PG* variables apply as libpq has them). TLS is
    // used whenever the server offers it: "disable" and "allow" are raised to
    // "prefer". Throws DbError 3151 (unreachable or broken connection string),
    // 3029 (login refused or no password available), 3024 (no such database).
    explicit PgConnection(const QString& conninfo);
    ~PgConnection() override;
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    SqlTarget Target() const override { return SqlTarget::Postgres; }
    QueryResult Query(const QString& sql, const std::vector<QVariant>& values = {}) override;
    void Exec(const QString& sql, const std::vector<QVariant>& values = {}) override;
    const TableInfo* FindTable(const QString& name) override;
    KeyedRow InsertRow(const QString& table, const std::vector<QString>& columns,
                       const Row& values) override;
    KeyedRow UpdateRow(const QString& table, const QVariant& key,
                       const std::vector<QString>& columns, const Row& values) override;
    std::vector<KeyedRow> ReadRows(const QString& table,
                                   const std::vector<QVariant>& keys) override;
    bool AtomicOperations() const override { return true; }

    // What every session needs before its first statement (temporary tables,
    // say). Runs now, and again whenever a lost connection is made anew.
    void SetSessionSetup(std::function<void(PgConnection&)> setup);
    // A setting of the connection as libpq resolved it ("sslmode", "host" …).
    QString Option(const char* keyword) const;

private:
    // The result of one statement; throws the mapped DbError on failure.
    pg_result* Run(const QString& sql, const std::vector<QVariant>& values);
    KeyedRow OneKeyedRow(const QString& sql, const std::vector<QVariant>& values);

    // A connection lost since the last statement (a server restart, a network
    // break) is made anew once before the next one; the statement that met the
    // loss has failed with 3151 and is not repeated.
    void ReconnectIfLost();
    void PrepareSession();

    pg_conn* conn_ = nullptr;
    std::function<void(PgConnection&)> sessionSetup_;
    std::map<QString, std::optional<TableInfo>> tables_;
};

} // namespace tabulon
