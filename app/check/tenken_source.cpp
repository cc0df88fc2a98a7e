#include "tenken_source.h"

#include "db/claim_line_columns.h"
#include "db/dao.h"
#include "db/insurer_order.h"
#include "db/sql_quote.h"

#include <memory>

namespace tabulon {

namespace {

QString MonthWhere(const QString& columns, const QString& table, const QString& nengetu) {
    return QStringLiteral("SELECT ") + columns + QStringLiteral(" From ") + table +
           QStringLiteral(" Where 年月 = '") + SqlEscape(nengetu) + u'\'';
}

QString MonthQuery(const QString& columns, const QString& table, const QString& nengetu,
                   const QString& order) {
    return MonthWhere(columns, table, nengetu) + InsurerOrderBy() + order;
}

// Between the figures of a row as the database joins them; no box takes it.
constexpr char16_t kSeparator = u'\x1f';

// A claim's figures joined by the database into one text: one value to carry
// per claim instead of one per column is most of what reading a month saves.
QString JoinedFigures(const QStringList& columns) {
    QStringList figures;
    for (const QString& column : columns)
        figures << QStringLiteral("COALESCE(%1,'')").arg(column);
    return figures.join(QStringLiteral(" || '") + kSeparator + QStringLiteral("' || "));
}

// The figures a claim is read from, in order: the counts, then per line the
// four figures of its care and, on the 入院 lines, of its meals.
const QStringList& ClaimFigureColumns() {
    static const QStringList columns = [] {
        QStringList c{QStringLiteral("公費件数"), QStringLiteral("福祉件数")};
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

// Where each of ClaimFigureColumns goes in a claim.
std::vector<QString*> FigurePlaces(TenkenClaim& c) {
    std::vector<QString*> places{&c.kouhi, &c.uba};
    places.reserve(static_cast<size_t>(ClaimFigureColumns().size()));
    for (size_t i = 0; i < c.care.size(); ++i) {
        TenkenClaim::Care& l = c.care[i];
        places.insert(places.end(), {&l.kensuu, &l.jitunisuu, &l.tensuu, &l.futankin});
        if (i % 2 == 0) {
            TenkenClaim::Food& f = c.food[i / 2];
            places.insert(places.end(), {&f.kensuu, &f.nisuu, &f.kingaku, &f.futangaku});
        }
    }
    return places;
}

const QStringList& PointColumns() {
    static const QStringList columns = [] {
        QStringList c;
        for (int i = 0; i < 20; ++i)
            c << CareColumn(QStringLiteral("点数"), i);
        return c;
    }();
    return columns;
}

const QString& KeyColumns() {
    static const QString key = QStringLiteral("保険者番号, 診療科, 請求書種類, 連番, ");
    return key;
}

constexpr int kFiguresAt = 4; // the first field after the key

void ReadKey(Recordset& rs, TenkenClaim& c) {
    c.bangou = rs.Fields(0).Text();
    c.sinryouka = rs.Fields(1).Text();
    c.kind = rs.Fields(2).Text().toInt();
    c.renban = rs.Fields(3).Text().toInt();
}

// Puts each figure of the joined text in its place; false, with the places
// untouched, when the text does not hold exactly one figure per place.
bool SplitFigures(const QString& joined, const std::vector<QString*>& places) {
    std::vector<QStringView> figures;
    figures.reserve(places.size());
    for (const QStringView figure : QStringView(joined).tokenize(kSeparator))
        figures.push_back(figure);
    if (figures.size() != places.size())
        return false;
    for (size_t i = 0; i < places.size(); ++i)
        if (!figures[i].isEmpty())
            *places[i] = figures[i].toString();
    return true;
}

// The points of each line, all the month before is compared by.
std::vector<QString*> PointPlaces(TenkenClaim& c) {
    std::vector<QString*> places;
    for (TenkenClaim::Care& l : c.care)
        places.push_back(&l.tensuu);
    return places;
}

using PlacesOf = std::vector<QString*> (*)(TenkenClaim&);

// In the order of the claim list, or (for sums) in no particular order.
std::unique_ptr<Recordset> OpenClaims(Database& db, const QString& figures, const QString& nengetu,
                                      bool listOrder) {
    const QString columns = KeyColumns() + figures;
    const QString table = QStringLiteral("T_請求書");
    return db.OpenRecordset(
        listOrder ? MonthQuery(columns, table, nengetu, QStringLiteral(", 請求書種類, 連番"))
                  : MonthWhere(columns, table, nengetu));
}

// The month read a column at a time: for a figure holding the separator,
// which the joined reading cannot split.
QList<TenkenClaim> ReadClaimsByColumn(Database& db, const QString& nengetu,
                                      const QStringList& columns, PlacesOf placesOf,
                                      bool listOrder) {
    QList<TenkenClaim> claims;
    std::unique_ptr<Recordset> rs =
        OpenClaims(db, columns.join(QStringLiteral(", ")), nengetu, listOrder);
    for (; !rs->Eof(); rs->MoveNext()) {
        TenkenClaim c;
        ReadKey(*rs, c);
        const std::vector<QString*> places = placesOf(c);
        for (size_t i = 0; i < places.size(); ++i)
            *places[i] = rs->Fields(kFiguresAt + static_cast<int>(i)).Text();
        claims.append(std::move(c));
    }
    return claims;
}

// The month's claims with the figures of `columns` put where `placesOf` says.
QList<TenkenClaim> ReadClaims(Database& db, const QString& nengetu, const QStringList& columns,
                              PlacesOf placesOf, bool listOrder) {
    QList<TenkenClaim> claims;
    std::unique_ptr<Recordset> rs = OpenClaims(db, JoinedFigures(columns), nengetu, listOrder);
    for (; !rs->Eof(); rs->MoveNext()) {
        TenkenClaim c;
        ReadKey(*rs, c);
        if (!SplitFigures(rs->Fields(kFiguresAt).Text(), placesOf(c)))
            return ReadClaimsByColumn(db, nengetu, columns, placesOf, listOrder);
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
    month.claims = ReadClaims(db, nengetu, ClaimFigureColumns(), FigurePlaces, true);
    // The month before only gives sums per insurer, department and kind.
    month.previousClaims =
        ReadClaims(db, PreviousNengetu(nengetu), PointColumns(), PointPlaces, false);
    month.summaryLines = ReadSummaryLines(db, nengetu);
    return month;
}

QList<TenkenFinding> CheckStoredMonth(Database& db, const QString& nengetu) {
    return CheckMonth(ReadTenkenMonth(db, nengetu));
}

} // namespace tabulon
