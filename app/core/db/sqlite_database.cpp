#include "db/sqlite_database.h"

#include "db/jet_dialect.h"
#include "db/sqlite_recordset.h"

namespace tabulon {

namespace {

TranslatedSql Translate(Connection& connection, const QString& sql) {
    return TranslateJetSql(
        sql, [&connection](const QString& name) { return connection.FindTable(name); });
}

} // namespace

SqliteDatabase::SqliteDatabase(std::shared_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

std::unique_ptr<Recordset> SqliteDatabase::OpenRecordset(const QString& sql) {
    TranslatedSql query = Translate(*connection_, sql);
    if (query.kind != StatementKind::Select)
        throw DbError(kErrInvalidOperation,
                      QStringLiteral("アクション クエリからレコードセットは開けません。"));
    return std::make_unique<SqliteRecordset>(connection_, std::move(query));
}

void SqliteDatabase::Execute(const QString& sql) {
    const TranslatedSql statement = Translate(*connection_, sql);
    if (statement.kind == StatementKind::Select)
        throw DbError(kErrSelectInExecute, QStringLiteral("選択クエリは実行できません。"));
    connection_->Exec(statement.sql);
}

} // namespace tabulon
