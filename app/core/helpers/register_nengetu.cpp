#include "helpers/register_nengetu.h"

#include "db/dao.h"
#include "globals.h"

namespace tabulon {

void RegisterNengetu() {
    const QString month = QString(gNengetu).replace(u'\'', QStringLiteral("''"));
    std::unique_ptr<Recordset> rs = gDb->OpenRecordset(
        QStringLiteral("SELECT * From T_年月 where 年月 = '") + month + QStringLiteral("'"));
    if (!rs->Eof())
        return;
    rs->AddNew();
    rs->Fields(QStringLiteral("年月")).SetValue(gNengetu);
    rs->Update();
}

} // namespace tabulon
