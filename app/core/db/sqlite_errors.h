#pragma once

// SQLite result codes turned into the engine's error numbers.

#include "db/db_error.h"

struct sqlite3;

namespace tabulon {

// The error for an extended result code and SQLite's own message.
DbError ErrorFromSqlite(int extendedCode, const QString& message);

// Throws the error that the connection reports for its last call.
[[noreturn]] void ThrowSqliteError(sqlite3* db);

} // namespace tabulon
