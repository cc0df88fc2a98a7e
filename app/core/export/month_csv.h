#pragma once

// A processing month for a spreadsheet: the claims and the summary lines as
// two CSV files (UTF-8 with BOM, CR LF, a header row of the column names, one
// row per stored row in the order of the claim list and of the summary line
// list). Every field is quoted, so figures stay text as stored (leading zeros
// kept) and any comma, quote or line break in a name stays inside its field.

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

// "請求書_YYMM.csv" and "総括表明細_YYMM.csv" in `folder`, each written to a
// temporary name and renamed into place. Throws DbError (engine errors, 3043
// when a file cannot be written).
MonthCsvFiles ExportMonthCsv(Database& db, const QString& month, const QString& folder,
                             const ProgressFn& progress = {});

// One CSV field: quoted, an inner quote doubled.
QString CsvField(const QString& value);

} // namespace tabulon
