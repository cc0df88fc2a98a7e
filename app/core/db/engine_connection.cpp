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

} // namespace tabulon
