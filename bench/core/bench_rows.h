#pragma once

// Rows for the benchmarks, inserted straight through the connection.

#include "db/sqlite_connection.h"

#include <QStringList>
#include <vector>

namespace tabulon::bench {

// "INSERT INTO table (every column) VALUES (?, …)".
inline QString InsertAllColumns(const QString& table, const TableInfo& info) {
    QStringList names;
    QStringList marks;
    for (const ColumnInfo& column : info.columns) {
        names << column.name;
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table, names.join(u','), marks.join(u','));
}

// A claim of the month with every figure filled.
inline void InsertClaim(SqliteConnection& c, const TableInfo& claim, const QString& month, int i) {
    std::vector<QVariant> values = {month, QString::number(138000 + i), QString(),
                                    QString::number(i % 6 + 1), 1};
    while (values.size() < claim.columns.size())
        values.push_back(QString::number(1000 + i));
    c.Exec(InsertAllColumns(QStringLiteral("T_請求書"), claim), values);
}

} // namespace tabulon::bench
