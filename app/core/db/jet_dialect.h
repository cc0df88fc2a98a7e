#pragma once

// Statements in the Jet dialect that the screens write, rewritten for the
// engine's SQL (SQLite or PostgreSQL):
//   DELETE * FROM t / DELETE t.* FROM t      -> DELETE FROM t
//   UPDATE t SET t.col = ...                 -> UPDATE t SET col = ...
//   INSERT INTO t SELECT s.* FROM s ...      -> columns matched by name; a
//                                               column of t that s lacks
//                                               takes its default
//   a trailing ';'                           -> dropped
// For PostgreSQL also (SQLite has Mid and Format registered as functions):
//   Mid(s, start[, length])                  -> substr(...)
//   Format(x, '@@@@@@@@')                    -> x right-aligned in 8 characters
//                                               (PostgreSQL's own format() is
//                                               something else entirely)
//   [name], `name`                           -> "name" in lower case, as the
//                                               server folds the bare names
// Only one statement is accepted; anything after it is an error (3142).

#include "db/engine_connection.h"

#include <QString>
#include <functional>

namespace tabulon {

enum class StatementKind { Select, Delete, Insert, Update };

struct TranslatedSql {
    StatementKind kind = StatementKind::Select;
    QString sql;
    // For "SELECT * FROM <one table> [WHERE ...] [ORDER BY ...]": the table,
    // whose rows can then be edited. The statement then reads the engine's
    // row addresses in the query's order: on the file only the rowid, and
    // the recordset reads a row's columns by it; on the server the ctid in
    // front of the row's columns.
    QString updatableTable;
};

using TableLookup = std::function<const TableInfo*(const QString& name)>;

TranslatedSql TranslateJetSql(const QString& jetSql, const TableLookup& lookup,
                              SqlTarget target = SqlTarget::Sqlite);

} // namespace tabulon
