#pragma once

// Western dates to the era form GYYMMDD used for today's date and the
// processing month.

#include <QString>

namespace tabulon {

// Converts "yyyymmdd" to GYYMMDD: G the era code ("1" 明治, "2" 大正, "3" 昭和,
// "4" 平成), YY the era year with at least two digits, MMDD copied from the
// input. Returns 0 and sets `out`, or -1 and leaves `out` as it was, for a date
// before 1868-09-08 or input that is not eight digits. There is no era after
// 平成: the stored months and the printed payloads count its years on.
int ToWareki(const QString& yyyymmdd, QString& out);

// The processing month "YYMM" (平成 year and month, as the month keys hold
// it) as the screens write it: "3811" is "平成38年11月". Empty for a key that is
// not four digits of a year from 1 and a month 1 to 12.
QString NengetuText(const QString& nengetu);

} // namespace tabulon
