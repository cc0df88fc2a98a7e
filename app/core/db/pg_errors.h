#pragma once

// PostgreSQL's SQLSTATE codes turned into the engine's error numbers.

#include "db/db_error.h"

namespace tabulon {

// The error for a SQLSTATE and the server's own message: our sentence, then
// "(SQLSTATE 28P01: the server's text)".
DbError ErrorFromSqlState(const QString& sqlState, const QString& message);

// The SQLSTATE in a message written with verbose error fields
// ("... failed: FATAL:  28P01: ..."), or empty.
QString SqlStateInMessage(const QString& message);

// What a clerk is shown of libpq's message: its first line, the server's text
// alone where a severity (and a SQLSTATE) stands before it. The rest
// (source locations, the password file's name, the same refusal again for a
// second attempt, hints) stays out.
QString ServerTextOf(const QString& message);

} // namespace tabulon
