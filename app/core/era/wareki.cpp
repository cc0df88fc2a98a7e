#include "era/wareki.h"

namespace tabulon {

namespace {

struct Era {
    int code;
    int year;
};

bool isDigits(const QString& s, qsizetype count) {
    if (s.size() != count)
        return false;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// The era of a date on or after 1868-09-08; each rule applies only when the
// earlier ones did not.
Era eraOf(int y, int m, int d) {
    if (y < 1912)
        return {1, y - 1867};
    if (y == 1912 && (m < 7 || (m == 7 && d < 30)))
        return {1, 45};
    if (y < 1926)
        return {2, y - 1911};
    if (y == 1926 && (m < 12 || (m == 12 && d < 25)))
        return {2, 15};
    if (y < 1989)
        return {3, y - 1925};
    if (y == 1989 && (m < 1 || (m == 1 && d < 8)))
        return {3, 64};
    return {4, y - 1988};
}

} // namespace

int ToWareki(const QString& yyyymmdd, QString& out) {
    if (!isDigits(yyyymmdd, 8))
        return -1;
    const int y = yyyymmdd.left(4).toInt();
    const int m = yyyymmdd.mid(4, 2).toInt();
    const int d = yyyymmdd.mid(6, 2).toInt();
    if (y < 1868 || (y == 1868 && (m < 9 || (m == 9 && d < 8))))
        return -1;
    const Era era = eraOf(y, m, d);
    out = QString::number(era.code) + QStringLiteral("%1").arg(era.year, 2, 10, QLatin1Char('0')) +
          yyyymmdd.mid(4, 4);
    return 0;
}

QString NengetuText(const QString& nengetu) {
    if (!isDigits(nengetu, 4))
        return {};
    const int year = nengetu.left(2).toInt();
    const int month = nengetu.mid(2, 2).toInt();
    if (year < 1 || month < 1 || month > 12)
        return {};
    return QStringLiteral("平成%1年%2月").arg(year).arg(month);
}

} // namespace tabulon
