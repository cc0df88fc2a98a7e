#pragma once

// Values written into columns take the column's kind, as the screens expect
// when they assign box texts and whole numbers alike.

#include "db/engine_connection.h"

#include <QVariant>

namespace tabulon {

// INTEGER columns: whole numbers stay, digit text becomes its number and empty
// text 0 (an empty box counts nothing); other text throws DbError 3421.
// Other columns: numbers become their decimal text. Null stays Null.
QVariant ConvertForColumn(const QVariant& value, const ColumnInfo& column);

} // namespace tabulon
