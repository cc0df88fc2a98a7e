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

} // namespace tabulon
