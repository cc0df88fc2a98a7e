#include "helpers/register_nengetu.h"

#include "db/dao.h"
#include "db/sql_quote.h"
#include "globals.h"

namespace tabulon {

void RegisterNengetu() {
    std::unique_ptr<Recordset> rs =
        gDb->OpenRecordset(QStringLiteral("SELECT * From T_年月 where 年月 = '") +
                           SqlEscape(gNengetu) + QStringLiteral("'"));
    if (!rs->Eof())
        return;
    rs->AddNew();
    rs->Fields(QStringLiteral("年月")).SetValue(gNengetu);
    try {
        rs->Update();
    } catch (const DbError& e) {
        // Another terminal has registered the month since it was looked up.
        if (e.Number() != kErrDuplicateKey)
            throw;
    }
}

} // namespace tabulon
