#include "db/row_values.h"

namespace tabulon {

QVariantMap CurrentRowValues(Recordset& rs) {
    QVariantMap values;
    if (rs.Eof())
        return values;
    for (int i = 0; i < rs.FieldCount(); ++i)
        values.insert(rs.Fields(i).Name(), rs.Fields(i).Value());
    return values;
}

} // namespace tabulon
