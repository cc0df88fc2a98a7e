#pragma once

// The tables, unique indexes and saved queries (views) of the database, in one
// place for tabulon-initdb and the tests.

#include "db/dao.h"
#include "db/engine_connection.h"

#include <QStringList>
#include <memory>

namespace tabulon {

// CREATE statements for T_請求書, T_総括表明細, T_年月, WK_請求書,
// WK_総括表明細, their unique indexes and Q_年, Q_月, Q_総括明細, Q_総括表.
QStringList SchemaStatements(SqlTarget target = SqlTarget::Sqlite);

// The CREATE statement of Q_総括表 alone; a temporary view reads the
// connection's own work table on the server.
QString SummaryTotalsView(bool temporary);

// Creates an encrypted database with the schema under `path` and returns it
// open. Never overwrites: an existing file gives DbError 3204. A failure
// leaves no file behind.
std::unique_ptr<Database> CreateDatabase(const QString& path, const QString& password);

} // namespace tabulon
