#include "ui/year_month_lists.h"

#include "db/dao.h"
#include "db/sql_quote.h"
#include "globals.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tabulon {

namespace {

QStringList column(const QString& sql, const QString& name) {
    QStringList values;
    std::unique_ptr<Recordset> rs = gDb->OpenRecordset(sql);
    for (; !rs->Eof(); rs->MoveNext())
        values << rs->Fields(name).Text();
    return values;
}

} // namespace

QStringList StoredYears() {
    return column(QStringLiteral("SELECT * From Q_年"), QStringLiteral("年"));
}

QStringList StoredMonths(const QString& year, bool ordered) {
    QString sql = QStringLiteral("SELECT 月 From Q_月 Where 年 = '") + SqlEscape(year) +
                  QStringLiteral("' GROUP BY 月");
    if (ordered)
        sql += QStringLiteral(" ORDER BY 月");
    return column(sql, QStringLiteral("月"));
}

void FillAndSelectLast(QComboBox* box, const QStringList& entries) {
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(static_cast<int>(entries.size()) - 1);
    if (entries.isEmpty())
        box->setEditText(QString());
}

} // namespace tabulon
