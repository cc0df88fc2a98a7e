#pragma once

#include "db/dao.h"
#include "db/sqlite_connection.h"

#include <memory>

namespace tabulon {

// The open database: every statement goes through the Jet dialect translation.
class SqliteDatabase : public Database {
public:
    explicit SqliteDatabase(std::shared_ptr<Connection> connection);
    std::unique_ptr<Recordset> OpenRecordset(const QString& sql) override;
    void Execute(const QString& sql) override;

private:
    std::shared_ptr<Connection> connection_;
};

} // namespace tabulon
