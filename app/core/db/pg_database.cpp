#include "db/pg_database.h"

#include "db/engine_database.h"
#include "db/pg_connection.h"
#include "db/schema.h"

namespace tabulon {

namespace {

const QStringList kSchemaObjects = {
    QStringLiteral("T_請求書"),  QStringLiteral("T_総括表明細"),  QStringLiteral("T_年月"),
    QStringLiteral("WK_請求書"), QStringLiteral("WK_総括表明細"), QStringLiteral("Q_年"),
    QStringLiteral("Q_月"),      QStringLiteral("Q_総括明細"),    QStringLiteral("Q_総括表"),
};

void RequireSchema(PgConnection& connection) {
    for (const QString& name : kSchemaObjects)
        if (connection.FindTable(name) == nullptr)
            throw DbError(kErrUnknownObject,
                          QStringLiteral("サーバーのデータベースにテーブルまたはクエリ '%1' が"
                                         "ありません。tabulon-initdb --server で作成してください。")
                              .arg(name));
}

// Several clerks share the server, so each connection fills work tables of
// its own: temporary tables of the same shape hide the shared ones, and the
// summary totals read them through a temporary view.
void UsePrivateWorkTables(PgConnection& connection) {
    for (const QString& table : {QStringLiteral("WK_請求書"), QStringLiteral("WK_総括表明細")})
        connection.Exec(
            QStringLiteral("CREATE TEMPORARY TABLE %1 (LIKE %1 INCLUDING DEFAULTS)").arg(table));
    connection.Exec(SummaryTotalsView(true));
}

std::shared_ptr<PgConnection> OpenWithSchema(const QString& conninfo) {
    auto connection = std::make_shared<PgConnection>(conninfo);
    RequireSchema(*connection);
    connection->SetSessionSetup(UsePrivateWorkTables);
    return connection;
}

} // namespace

std::unique_ptr<Database> CreateServerDatabase(const QString& conninfo) {
    {
        PgConnection connection(conninfo);
        connection.Begin();
        // The schema first on the search path is the one the tables go into.
        const QueryResult existing = connection.Query(QStringLiteral(
            "SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
            "WHERE c.relkind IN ('r', 'v', 'm', 'p', 'f') AND n.nspname = current_schema() "
            "LIMIT 1"));
        if (!existing.rows.empty())
            throw DbError(kErrAlreadyExists,
                          QStringLiteral("サーバーのデータベースには既にテーブル '%1' があります。"
                                         "空のデータベースを指定してください。")
                              .arg(existing.rows.front().front().toString()));
        for (const QString& statement : SchemaStatements(SqlTarget::Postgres))
            connection.Exec(statement);
        connection.Commit();
    }
    return std::make_unique<EngineDatabase>(OpenWithSchema(conninfo));
}

namespace DBEngine {

std::unique_ptr<Database> OpenServerDatabase(const QString& conninfo) {
    return std::make_unique<EngineDatabase>(OpenWithSchema(conninfo));
}

} // namespace DBEngine

} // namespace tabulon
