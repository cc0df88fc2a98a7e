#include "db/engine_database.h"

#include "db/engine_recordset.h"
#include "db/jet_dialect.h"

namespace tabulon {

namespace {

TranslatedSql Translate(EngineConnection& connection, const QString& sql) {
    return TranslateJetSql(
        sql, [&connection](const QString& name) { return connection.FindTable(name); },
        connection.Target());
}

// Rolls back what the operation did unless it got as far as Commit. The
// connection has begun the transaction.
class TransactionOperation : public Operation {
public:
    explicit TransactionOperation(std::shared_ptr<EngineConnection> connection)
        : connection_(std::move(connection)) {}
    ~TransactionOperation() override {
        if (open_) {
            try {
                connection_->Rollback();
            } catch (const DbError&) {
                // A lost connection has rolled the transaction back already.
            }
        }
    }
    // A commit that fails (the file still busy with a reader) leaves the
    // transaction to be rolled back, never open under later statements.
    void Commit() override {
        connection_->Commit();
        open_ = false;
    }

private:
    std::shared_ptr<EngineConnection> connection_;
    bool open_ = true;
};

} // namespace

EngineDatabase::EngineDatabase(std::shared_ptr<EngineConnection> connection)
    : connection_(std::move(connection)) {}

std::unique_ptr<Recordset> EngineDatabase::OpenRecordset(const QString& sql) {
    TranslatedSql query = Translate(*connection_, sql);
    if (query.kind != StatementKind::Select)
        throw DbError(kErrInvalidOperation,
                      QStringLiteral("アクション クエリからレコードセットは開けません。"));
    return std::make_unique<EngineRecordset>(connection_, std::move(query));
}

void EngineDatabase::Execute(const QString& sql) {
    const TranslatedSql statement = Translate(*connection_, sql);
    if (statement.kind == StatementKind::Select)
        throw DbError(kErrSelectInExecute, QStringLiteral("選択クエリは実行できません。"));
    connection_->Exec(statement.sql);
}

std::unique_ptr<Operation> EngineDatabase::BeginOperation() {
    if (!connection_->AtomicOperations())
        return Database::BeginOperation();
    connection_->Begin();
    return std::make_unique<TransactionOperation>(connection_);
}

std::unique_ptr<Operation> EngineDatabase::BeginGuardedWrite(const QStringList& tables) {
    connection_->BeginGuarded(tables);
    return std::make_unique<TransactionOperation>(connection_);
}

} // namespace tabulon
