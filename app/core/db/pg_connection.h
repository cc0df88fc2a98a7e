#pragma once

// One connection to a PostgreSQL server through libpq. Text values travel as
// UTF-8; results come back as Null-aware values of the column's kind.

#include "db/engine_connection.h"

#include <QByteArray>
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
    // "prefer" before the first connection. Throws DbError 3151 (unreachable
    // or broken connection string), 3029 (login refused or no password
    // available), 3024 (no such database). No message holds a password.
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
    void BeginGuarded(const QStringList& tables) override;

    // What every session needs before its first statement (temporary tables,
    // say). Runs now, and again whenever a lost connection is made anew.
    void SetSessionSetup(std::function<void(PgConnection&)> setup);
    // A setting of the connection as libpq resolved it ("sslmode", "host" …).
    QString Option(const char* keyword) const;

private:
    // What a statement does to the transaction, or whether it only reads.
    enum class StatementKind { Begin, Commit, Rollback, Reads, Writes };
    static StatementKind KindOf(const QString& sql);

    // The result of one statement; throws the mapped DbError on failure.
    pg_result* Run(const QString& sql, const std::vector<QVariant>& values);
    KeyedRow OneKeyedRow(const QString& sql, const std::vector<QVariant>& values);

    // A session lost since the last statement (a server restart, a network
    // break) is made anew before the next statement is sent, so nothing is
    // lost and nothing said. Outside a transaction, a statement that changes
    // nothing and meets the loss while it runs is repeated once on a new
    // session; a write is not, since it may have been done. A transaction
    // whose session is lost is over: its further statements and its COMMIT
    // fail with 3151, its ROLLBACK (or the next BEGIN) lets the connection
    // go on. Returns whether a transaction is open.
    bool BeforeStatement(StatementKind kind);
    bool SessionLost();
    void Reconnect();
    void StartSession();
    void PrepareSession();

    QByteArray conninfo_;
    QByteArray sslmode_; // the raised sslmode, empty when libpq's own stands
    bool transactionLost_ = false;
    pg_conn* conn_ = nullptr;
    std::function<void(PgConnection&)> sessionSetup_;
    std::map<QString, std::optional<TableInfo>> tables_;
};

} // namespace tabulon
