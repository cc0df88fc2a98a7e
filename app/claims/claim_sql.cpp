#include "claim_sql.h"

#include "db/insurer_order.h"
#include "db/sql_quote.h"

namespace tabulon {

namespace {

// The conditions up to and including the kind, as the three claim statements share them.
QString KeyConditions(const ClaimKey& key) {
    return QStringLiteral("年月 = '") + SqlEscape(key.nengetu) + QStringLiteral("' and ") +
           QStringLiteral("保険者番号 = '") + SqlEscape(key.bangou) + QStringLiteral("' and ") +
           QStringLiteral("診療科 = '") + SqlEscape(key.sinryouka) + QStringLiteral("' and ") +
           QStringLiteral("請求書種類 = '") + QString::number(key.kind) + QLatin1Char('\'');
}

QString SerialCondition(const ClaimKey& key) {
    return QStringLiteral(" and 連番 = ") + QString::number(key.renban);
}

} // namespace

QString ClaimQuery(const ClaimKey& key) {
    return QStringLiteral("SELECT * From T_請求書 where ") + KeyConditions(key) +
           SerialCondition(key);
}

QString ClaimDeleteStatement(const ClaimKey& key) {
    return QStringLiteral("DELETE * From T_請求書 where ") + KeyConditions(key) +
           SerialCondition(key);
}

QString RenbanQuery(const ClaimKey& key) {
    return QStringLiteral("SELECT * From T_請求書 where ") + KeyConditions(key) +
           QStringLiteral(" Order By 連番");
}

QString ClaimListQuery(const QString& nengetu) {
    return QStringLiteral("SELECT * From T_請求書 Where 年月 = '") + SqlEscape(nengetu) +
           QLatin1Char('\'') + InsurerOrderBy() + QStringLiteral(", 請求書種類");
}

} // namespace tabulon
