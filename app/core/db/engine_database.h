#pragma once

#include "db/dao.h"
#include "db/engine_connection.h"

#include <memory>

namespace tabulon {

// The open database over any engine: every statement goes through the Jet
// dialect translation for the engine's SQL.
class EngineDatabase : public Database {
public:
    explicit EngineDatabase(std::shared_ptr<EngineConnection> connection);
    std::unique_ptr<Recordset> OpenRecordset(const QString& sql) override;
    void Execute(const QString& sql) override;
    std::unique_ptr<Operation> BeginOperation() override;
    std::unique_ptr<Operation> BeginGuardedWrite(const QStringList& tables) override;

    EngineConnection& connection() { return *connection_; }

private:
    std::shared_ptr<EngineConnection> connection_;
};

} // namespace tabulon
