#pragma once

// SQLite result codes turned into the engine's error numbers.

#include "db/db_error.h"

struct sqlite3;

namespace tabulon {

// The error for an extended result code and SQLite's own message. A full disk
// and a damaged file name `file` (the database file) when it is given.
DbError ErrorFromSqlite(int extendedCode, const QString& message, const QString& file = {});

// Throws the error that the connection reports for its last call, naming the
// connection's main database file.
[[noreturn]] void ThrowSqliteError(sqlite3* db);

} // namespace tabulon
