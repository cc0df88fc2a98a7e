#pragma once

// Claims written as rows of T_請求書 for a processing month, one insert for
// them all, with their figures exactly as the rows hold them.

#include "mdu_tenken.h"

namespace tabulon {
class Database;
}

namespace tabulon::test {

void StoreClaims(Database& db, const QString& nengetu, const QList<TenkenClaim>& claims);

} // namespace tabulon::test
