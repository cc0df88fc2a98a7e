#pragma once

// PostgreSQL's SQLSTATE codes turned into the engine's error numbers.

#include "db/db_error.h"

namespace tabulon {

// The error for a SQLSTATE and the server's own message, which the
// description carries after ours.
DbError ErrorFromSqlState(const QString& sqlState, const QString& message);

// The SQLSTATE in a message written with verbose error fields
// ("... failed: FATAL:  28P01: ..."), or empty.
QString SqlStateInMessage(const QString& message);

} // namespace tabulon
