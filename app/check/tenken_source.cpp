#include "tenken_source.h"

#include "db/claim_line_columns.h"
#include "db/dao.h"
#include "db/insurer_order.h"
#include "db/sql_quote.h"

#include <memory>

namespace tabulon {

namespace {

QString MonthQuery(const QString& columns, const QString& table, const QString& nengetu,
                   const QString& order) {
    return QStringLiteral("SELECT ") + columns + QStringLiteral(" From ") + table +
           QStringLiteral(" Where 年月 = '") + SqlEscape(nengetu) + u'\'' + InsurerOrderBy() +
           order;
}

// The columns a claim is read from, in the order the reading takes them: the
// key, the counts, then per line the four figures of its care and, on the
// 入院 lines, of its meals. Read by place, a month of claims takes a fraction
// of the time that reading each column by its name does.
const QStringList& ClaimColumns() {
    static const QStringList columns = [] {
        QStringList c{QStringLiteral("保険者番号"), QStringLiteral("診療科"),
                      QStringLiteral("請求書種類"), QStringLiteral("連番"),
                      QStringLiteral("公費件数"),   QStringLiteral("福祉件数")};
        for (int i = 0; i < 20; ++i) {
            for (const char* figure : {"件数", "実日数", "点数", "負担金"})
                c << CareColumn(QString::fromUtf8(figure), i);
            if (i % 2 == 0)
                for (const char* figure : {"件数", "日数", "金額", "負担額"})
                    c << FoodColumn(QString::fromUtf8(figure), i);
        }
        return c;
    }();
    return columns;
}

// The month before is compared by its points alone.
const QStringList& PointColumns() {
    static const QStringList columns = [] {
        QStringList c = ClaimColumns().mid(0, 4);
        for (int i = 0; i < 20; ++i)
            c << CareColumn(QStringLiteral("点数"), i);
        return c;
    }();
    return columns;
}

std::unique_ptr<Recordset> OpenClaims(Database& db, const QStringList& columns,
                                      const QString& nengetu) {
    return db.OpenRecordset(MonthQuery(columns.join(QStringLiteral(", ")),
                                       QStringLiteral("T_請求書"), nengetu,
                                       QStringLiteral(", 請求書種類, 連番")));
}

QList<TenkenClaim> ReadPoints(Database& db, const QString& nengetu) {
    QList<TenkenClaim> claims;
    std::unique_ptr<Recordset> rs = OpenClaims(db, PointColumns(), nengetu);
    for (; !rs->Eof(); rs->MoveNext()) {
        TenkenClaim c;
        c.bangou = rs->Fields(0).Text();
        c.sinryouka = rs->Fields(1).Text();
        c.kind = rs->Fields(2).Text().toInt();
        c.renban = rs->Fields(3).Text().toInt();
        for (int i = 0; i < 20; ++i)
            c.care[static_cast<size_t>(i)].tensuu = rs->Fields(4 + i).Text();
        claims.append(std::move(c));
    }
    return claims;
}

QList<TenkenClaim> ReadClaims(Database& db, const QString& nengetu) {
    QList<TenkenClaim> claims;
    std::unique_ptr<Recordset> rs = OpenClaims(db, ClaimColumns(), nengetu);
    for (; !rs->Eof(); rs->MoveNext()) {
        int at = 0;
        const auto next = [&rs, &at] { return rs->Fields(at++).Text(); };
        TenkenClaim c;
        c.bangou = next();
        c.sinryouka = next();
        c.kind = next().toInt();
        c.renban = next().toInt();
        c.kouhi = next();
        c.uba = next();
        for (size_t i = 0; i < c.care.size(); ++i) {
            c.care[i] = {next(), next(), next(), next()};
            if (i % 2 == 0)
                c.food[i / 2] = {next(), next(), next(), next()};
        }
        claims.append(std::move(c));
    }
    return claims;
}

QList<TenkenSummaryLine> ReadSummaryLines(Database& db, const QString& nengetu) {
    static const QStringList sections{QStringLiteral("一般"), QStringLiteral("退職"),
                                      QStringLiteral("老人")};
    QList<TenkenSummaryLine> lines;
    std::unique_ptr<Recordset> rs =
        db.OpenRecordset(MonthQuery(QStringLiteral("*"), QStringLiteral("T_総括表明細"), nengetu,
                                    QStringLiteral(", 総括表種類, 連番")));
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
    month.previousClaims = ReadPoints(db, PreviousNengetu(nengetu));
    month.summaryLines = ReadSummaryLines(db, nengetu);
    return month;
}

QList<TenkenFinding> CheckStoredMonth(Database& db, const QString& nengetu) {
    return CheckMonth(ReadTenkenMonth(db, nengetu));
}

} // namespace tabulon
