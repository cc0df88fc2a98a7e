#include "stored_month.h"

#include "db/claim_line_columns.h"
#include "db/dao.h"
#include "db/sql_quote.h"

namespace tabulon::test {

void StoreClaims(Database& db, const QString& nengetu, const QList<TenkenClaim>& claims) {
    if (claims.isEmpty())
        return;
    QStringList columns{"年月", "保険者番号", "診療科",  "請求書種類",
                        "連番", "公費件数",   "福祉件数"};
    for (int i = 0; i < 20; ++i)
        for (const char* figure : {"件数", "実日数", "点数", "負担金"})
            columns << CareColumn(QString::fromUtf8(figure), i);
    for (int i = 0; i < 20; i += 2)
        for (const char* figure : {"件数", "日数", "金額", "負担額"})
            columns << FoodColumn(QString::fromUtf8(figure), i);
    QStringList rows;
    for (const TenkenClaim& c : claims) {
        QStringList values{SqlQuote(nengetu),
                           SqlQuote(c.bangou),
                           SqlQuote(c.sinryouka),
                           SqlQuote(QString::number(c.kind)),
                           QString::number(c.renban),
                           SqlQuote(c.kouhi),
                           SqlQuote(c.uba)};
        for (const TenkenClaim::Care& l : c.care)
            values << SqlQuote(l.kensuu) << SqlQuote(l.jitunisuu) << SqlQuote(l.tensuu)
                   << SqlQuote(l.futankin);
        for (const TenkenClaim::Food& f : c.food)
            values << SqlQuote(f.kensuu) << SqlQuote(f.nisuu) << SqlQuote(f.kingaku)
                   << SqlQuote(f.futangaku);
        rows << u'(' + values.join(u',') + u')';
    }
    db.Execute(QStringLiteral("INSERT INTO T_請求書 (") + columns.join(u',') +
               QStringLiteral(") VALUES ") + rows.join(u','));
}

} // namespace tabulon::test
