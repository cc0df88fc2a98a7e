#include "db/engine_connection.h"

namespace tabulon {

std::optional<size_t> TableInfo::IndexOf(const QString& column) const {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

QString QuoteSqlName(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

std::vector<KeyedRow> KeyedRows(QueryResult result) {
    std::vector<KeyedRow> rows;
    rows.reserve(result.rows.size());
    for (Row& row : result.rows) {
        QVariant key = std::move(row.front());
        row.erase(row.begin());
        rows.push_back({std::move(key), std::move(row)});
    }
    return rows;
}

} // namespace tabulon
