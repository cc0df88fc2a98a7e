#pragma once

// A row as it was read, column by column, so that a later save can tell
// whether the stored row is still that row.

#include "db/dao.h"

#include <QVariantMap>

namespace tabulon {

// The current row of `rs` by column name; empty when there is none.
QVariantMap CurrentRowValues(Recordset& rs);

} // namespace tabulon
