#pragma once

// Reads what the pre-claim check looks at from the database: the month's
// claims and summary lines in the order of the lists, and the claims of the
// month before.

#include "mdu_tenken.h"

namespace tabulon {

class Database;

// The month before a processing month YYMM: "3801" gives "3712".
QString PreviousNengetu(const QString& nengetu);

TenkenMonth ReadTenkenMonth(Database& db, const QString& nengetu);

// Reads and checks the month: what the screen lists and the print runs count.
QList<TenkenFinding> CheckStoredMonth(Database& db, const QString& nengetu);

} // namespace tabulon
