#include "db/insurer_order.h"

namespace tabulon {

QString InsurerOrderBy() {
    return QStringLiteral(" ORDER BY Mid(Format(保険者番号,'@@@@@@@@'),3,6),"
                          " Mid(Format(保険者番号,'@@@@@@@@'),1,2), 診療科");
}

} // namespace tabulon
