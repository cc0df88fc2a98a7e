#include "backup/database_contents.h"

#include "db/db_error.h"
#include "db/schema_check.h"
#include "db/sqlite_connection.h"
#include "db/sqlite_statement.h"

namespace tabulon {

DatabaseContents ReadContents(const QString& path, const QString& password) {
    SqliteConnection connection(path, password, OpenMode::ExistingReadOnly);
    RequireProgramSchema(connection, path);
    DatabaseContents contents;
    Statement months(connection, QStringLiteral("SELECT 年月 FROM T_年月 ORDER BY 年月"));
    while (months.Step())
        contents.months << months.Column(0).toString();
    Statement claims(connection, QStringLiteral("SELECT count(*) FROM T_請求書"));
    if (claims.Step())
        contents.claims = claims.Column(0).toInt();
    return contents;
}

QString MonthSpan(const QStringList& months) {
    if (months.isEmpty())
        return QStringLiteral("なし");
    if (months.size() == 1)
        return months.first();
    return QStringLiteral("%1～%2（%3か月）").arg(months.first(), months.last()).arg(months.size());
}

} // namespace tabulon
