#include "export/month_csv.h"

#include "db/dao.h"
#include "db/insurer_order.h"
#include "db/sql_quote.h"
#include "owner_only_file.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringList>
#include <memory>

namespace tabulon {

namespace {

QString MonthRows(const QString& table, const QString& month, const QString& thenBy) {
    return QStringLiteral("SELECT * From ") + table + QStringLiteral(" Where 年月 = '") +
           SqlEscape(month) + QLatin1Char('\'') + InsurerOrderBy() + thenBy;
}

QString Line(const QStringList& fields) {
    return fields.join(u',') + QStringLiteral("\r\n");
}

// Writes every row of the recordset; returns the number of data rows.
int WriteCsv(Recordset& rows, const QString& path, int& rowsDone, const ProgressFn& progress) {
    OwnerOnlyFile file;
    if (!file.Open(path))
        throw DbError(kErrDiskError, QStringLiteral("ファイル '%1' に書き込めません。").arg(path));
    QStringList header;
    for (int i = 0; i < rows.FieldCount(); ++i)
        header << CsvField(rows.Fields(i).Name());
    QByteArray out = QByteArrayLiteral("\xEF\xBB\xBF") + Line(header).toUtf8();
    int count = 0;
    for (; !rows.Eof(); rows.MoveNext()) {
        QStringList fields;
        for (int i = 0; i < rows.FieldCount(); ++i)
            fields << CsvField(rows.Fields(i).Text());
        out += Line(fields).toUtf8();
        ++count;
        if (progress && ++rowsDone % 100 == 0)
            progress(rowsDone, 0);
    }
    if (!file.Write(out) || !file.Commit())
        throw DbError(kErrDiskError, QStringLiteral("ファイル '%1' に書き込めません。").arg(path));
    return count;
}

} // namespace

QString CsvField(const QString& value) {
    static const QRegularExpression number(QStringLiteral("^[+-]?\\d+(\\.\\d+)?$"));
    const bool runnable = !value.isEmpty() && QStringView(u"=+-@\t\r").contains(value.front()) &&
                          !number.match(value).hasMatch();
    const QString text = runnable ? u'\'' + value : value;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

MonthCsvFiles MonthCsvNames(const QString& month, const QString& folder) {
    const QDir dir(folder);
    MonthCsvFiles files;
    files.claims = dir.filePath(QStringLiteral("請求書_%1.csv").arg(month));
    files.summaryLines = dir.filePath(QStringLiteral("総括表明細_%1.csv").arg(month));
    return files;
}

bool MonthHasRows(Database& db, const QString& month) {
    for (const QString& table : {QStringLiteral("T_請求書"), QStringLiteral("T_総括表明細")}) {
        if (!db.OpenRecordset(MonthRows(table, month, QString()))->Eof())
            return true;
    }
    return false;
}

MonthCsvFiles ExportMonthCsv(Database& db, const QString& month, const QString& folder,
                             const ProgressFn& progress) {
    MonthCsvFiles files = MonthCsvNames(month, folder);
    int rowsDone = 0;
    std::unique_ptr<Recordset> claims = db.OpenRecordset(
        MonthRows(QStringLiteral("T_請求書"), month, QStringLiteral(", 請求書種類, 連番")));
    files.claimRows = WriteCsv(*claims, files.claims, rowsDone, progress);
    std::unique_ptr<Recordset> lines = db.OpenRecordset(
        MonthRows(QStringLiteral("T_総括表明細"), month, QStringLiteral(", 総括表種類, 連番")));
    files.summaryRows = WriteCsv(*lines, files.summaryLines, rowsDone, progress);
    return files;
}

} // namespace tabulon
