#include "tenken_source.h"

#include "db/claim_line_columns.h"
#include "db/dao.h"
#include "db/insurer_order.h"
#include "db/sql_quote.h"

#include <memory>

namespace tabulon {

namespace {

QString MonthQuery(const QString& table, const QString& nengetu, const QString& order) {
    return QStringLiteral("SELECT * From ") + table + QStringLiteral(" Where 年月 = '") +
           SqlEscape(nengetu) + u'\'' + InsurerOrderBy() + order;
}

QList<TenkenClaim> ReadClaims(Database& db, const QString& nengetu) {
    // The column names of every line, built once for the whole month: the
    // four figures of a care line, or of a food line (件数, 日数, 金額, 負担額).
    struct LineColumns {
        QString first, second, third, fourth;
    };
    std::array<LineColumns, 20> care;
    std::array<LineColumns, 10> food;
    for (int i = 0; i < 20; ++i) {
        care[static_cast<size_t>(i)] = {
            CareColumn(QStringLiteral("件数"), i), CareColumn(QStringLiteral("実日数"), i),
            CareColumn(QStringLiteral("点数"), i), CareColumn(QStringLiteral("負担金"), i)};
        if (i % 2 == 0)
            food[static_cast<size_t>(i / 2)] = {
                FoodColumn(QStringLiteral("件数"), i), FoodColumn(QStringLiteral("日数"), i),
                FoodColumn(QStringLiteral("金額"), i), FoodColumn(QStringLiteral("負担額"), i)};
    }

    QList<TenkenClaim> claims;
    std::unique_ptr<Recordset> rs = db.OpenRecordset(
        MonthQuery(QStringLiteral("T_請求書"), nengetu, QStringLiteral(", 請求書種類, 連番")));
    for (; !rs->Eof(); rs->MoveNext()) {
        const auto text = [&rs](const QString& column) { return rs->Fields(column).Text(); };
        TenkenClaim c;
        c.bangou = text(QStringLiteral("保険者番号"));
        c.sinryouka = text(QStringLiteral("診療科"));
        c.kind = text(QStringLiteral("請求書種類")).toInt();
        c.renban = text(QStringLiteral("連番")).toInt();
        for (size_t i = 0; i < care.size(); ++i)
            c.care[i] = {text(care[i].first), text(care[i].second), text(care[i].third),
                         text(care[i].fourth)};
        for (size_t i = 0; i < food.size(); ++i)
            c.food[i] = {text(food[i].first), text(food[i].second), text(food[i].third),
                         text(food[i].fourth)};
        c.kouhi = text(QStringLiteral("公費件数"));
        c.uba = text(QStringLiteral("福祉件数"));
        claims.append(std::move(c));
    }
    return claims;
}

QList<TenkenSummaryLine> ReadSummaryLines(Database& db, const QString& nengetu) {
    static const QStringList sections{QStringLiteral("一般"), QStringLiteral("退職"),
                                      QStringLiteral("老人")};
    QList<TenkenSummaryLine> lines;
    std::unique_ptr<Recordset> rs = db.OpenRecordset(
        MonthQuery(QStringLiteral("T_総括表明細"), nengetu, QStringLiteral(", 総括表種類, 連番")));
    for (; !rs->Eof(); rs->MoveNext()) {
        const auto number = [&rs](const QString& column) {
            return rs->Fields(column).Text().toLongLong();
        };
        TenkenSummaryLine s;
        s.bangou = rs->Fields(QStringLiteral("保険者番号")).Text();
        s.sinryouka = rs->Fields(QStringLiteral("診療科")).Text();
        s.kind = static_cast<int>(number(QStringLiteral("総括表種類")));
        s.renban = static_cast<int>(number(QStringLiteral("連番")));
        for (int i = 0; i < TenkenSummaryLine::kLines; ++i) {
            const QString stem = sections.at(i / 2) +
                                 (i % 2 == 0 ? QStringLiteral("_入院_") : QStringLiteral("_外来_"));
            TenkenSummaryLine::Line& l = s.lines[static_cast<size_t>(i)];
            l.kensuu = number(stem + QStringLiteral("件数"));
            l.jitunisuu = number(stem + QStringLiteral("実日数"));
            l.tensuu = number(stem + QStringLiteral("点数"));
            // No screen writes the 外来 meals; they are carried but never printed.
            if (i % 2 == 0)
                l.syokuji = number(stem + QStringLiteral("食事"));
        }
        s.kouhi = number(QStringLiteral("公費件数"));
        s.uba = number(QStringLiteral("福祉件数"));
        lines.append(s);
    }
    return lines;
}

} // namespace

QString PreviousNengetu(const QString& nengetu) {
    const int year = nengetu.left(2).toInt();
    const int month = nengetu.mid(2, 2).toInt();
    if (month <= 1)
        return QStringLiteral("%1").arg(year - 1, 2, 10, QLatin1Char('0')) + QStringLiteral("12");
    return QStringLiteral("%1%2")
        .arg(year, 2, 10, QLatin1Char('0'))
        .arg(month - 1, 2, 10, QLatin1Char('0'));
}

TenkenMonth ReadTenkenMonth(Database& db, const QString& nengetu) {
    TenkenMonth month;
    month.claims = ReadClaims(db, nengetu);
    month.previousClaims = ReadClaims(db, PreviousNengetu(nengetu));
    month.summaryLines = ReadSummaryLines(db, nengetu);
    return month;
}

QList<TenkenFinding> CheckStoredMonth(Database& db, const QString& nengetu) {
    return CheckMonth(ReadTenkenMonth(db, nengetu));
}

} // namespace tabulon
