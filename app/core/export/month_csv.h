#pragma once

// A processing month for a spreadsheet: the claims and the summary lines as
// two CSV files (UTF-8 with BOM, CR LF, a header row of the column names, one
// row per stored row in the order of the claim list and of the summary line
// list). Every field is quoted, so figures stay text as stored (leading zeros
// kept) and any comma, quote or line break in a name stays inside its field;
// a text that a spreadsheet would run as a formula gets a leading apostrophe.

#include "backup/progress.h"

#include <QString>

namespace tabulon {

class Database;

struct MonthCsvFiles {
    QString claims;
    QString summaryLines;
    int claimRows = 0;
    int summaryRows = 0;
};

// The paths of the two files of `month` in `folder` (no rows counted).
MonthCsvFiles MonthCsvNames(const QString& month, const QString& folder);

// True when the month has a claim or a summary line.
bool MonthHasRows(Database& db, const QString& month);

// "請求書_YYMM.csv" and "総括表明細_YYMM.csv" in `folder`, each written to a
// temporary name and renamed into place. Throws DbError (engine errors, 3043
// when a file cannot be written).
MonthCsvFiles ExportMonthCsv(Database& db, const QString& month, const QString& folder,
                             const ProgressFn& progress = {});

// One CSV field: quoted, an inner quote doubled. A spreadsheet would run a
// text that begins with "=", "+", "-", "@", a tab or a CR as a formula (a
// 保険者名 "=HYPERLINK(…)"): such a text is written after an apostrophe,
// which spreadsheets take as "this is text". A number ("-5") stays as it is.
QString CsvField(const QString& value);

} // namespace tabulon
