#pragma once

// What a database file of this program holds, read without changing it: the
// months it has data for and its number of claims. Also the check that a file
// picked for a restore is such a database.

#include <QString>
#include <QStringList>

namespace tabulon {

struct DatabaseContents {
    QStringList months; // 年月, ascending
    int claims = 0;
};

// Opens the file read-only with the password. Throws DbError: 3024 no file,
// 3031 another password, 3343 not a database, or a database whose tables,
// columns, indexes and views are not exactly this program's (schema_check.h).
DatabaseContents ReadContents(const QString& path, const QString& password);

// "3704～3811（20か月）", or "なし" without months.
QString MonthSpan(const QStringList& months);

} // namespace tabulon
