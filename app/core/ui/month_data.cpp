#include "ui/month_data.h"

#include "db/dao.h"
#include "db/sql_quote.h"
#include "globals.h"

namespace tabulon {

namespace {

bool hasRows(const QString& table, const QString& month) {
    return !gDb->OpenRecordset(QStringLiteral("SELECT * From ") + table +
                               QStringLiteral(" where 年月 = '") + SqlEscape(month) +
                               QStringLiteral("'"))
                ->Eof();
}

void copyClaims(const QString& source, const QString& target) {
    gDb->Execute(QStringLiteral("DELETE WK_請求書.* FROM WK_請求書"));
    gDb->Execute(QStringLiteral("INSERT INTO WK_請求書 SELECT T_請求書.* FROM T_請求書") +
                 QStringLiteral(" WHERE T_請求書.年月 = '") + SqlEscape(source) +
                 QStringLiteral("'"));
    gDb->Execute(QStringLiteral("UPDATE WK_請求書 SET WK_請求書.年月 = '") + SqlEscape(target) +
                 QStringLiteral("'"));
    gDb->Execute(QStringLiteral("INSERT INTO T_請求書 SELECT WK_請求書.* FROM WK_請求書"));
}

// The summary line columns carried over; the work table's 請求書種類 is not.
const QString kSummaryColumns =
    QStringLiteral("年月, 保険者番号, 診療科, 総括表種類, 連番, 保険者名, "
                   "一般_入院_件数, 一般_入院_実日数, 一般_入院_点数, 一般_入院_食事, "
                   "一般_外来_件数, 一般_外来_実日数, 一般_外来_点数, 一般_外来_食事, "
                   "退職_入院_件数, 退職_入院_実日数, 退職_入院_点数, 退職_入院_食事, "
                   "退職_外来_件数, 退職_外来_実日数, 退職_外来_点数, 退職_外来_食事, "
                   "老人_入院_件数, 老人_入院_実日数, 老人_入院_点数, 老人_入院_食事, "
                   "老人_外来_件数, 老人_外来_実日数, 老人_外来_点数, 老人_外来_食事, "
                   "公費件数, 福祉件数");

void copySummaryLines(const QString& source, const QString& target) {
    gDb->Execute(QStringLiteral("DELETE WK_総括表明細.* FROM WK_総括表明細"));
    gDb->Execute(
        QStringLiteral("INSERT INTO WK_総括表明細 SELECT T_総括表明細.* FROM T_総括表明細") +
        QStringLiteral(" WHERE T_総括表明細.年月 = '") + SqlEscape(source) + QStringLiteral("'"));
    gDb->Execute(QStringLiteral("UPDATE WK_総括表明細 SET WK_総括表明細.年月 = '") +
                 SqlEscape(target) + QStringLiteral("'"));
    gDb->Execute(QStringLiteral("INSERT INTO T_総括表明細 ( ") + kSummaryColumns +
                 QStringLiteral(" ) SELECT ") + kSummaryColumns +
                 QStringLiteral(" FROM WK_総括表明細;"));
}

} // namespace

int CopyMonth(const QString& source, const QString& target) {
    const QString claims = QStringLiteral("T_請求書");
    const QString summary = QStringLiteral("T_総括表明細");
    // No other terminal adds to the target between the check that it is empty
    // and the copy, so the month never ends with its own entries and copied ones.
    const std::unique_ptr<Operation> operation = gDb->BeginGuardedWrite({claims, summary});
    int status = kCopiedNothing;
    if (!hasRows(claims, target)) {
        if (hasRows(claims, source)) {
            copyClaims(source, target);
            status = kCopiedClaims;
        } else {
            status = kNoSourceData;
        }
    }
    if (!hasRows(summary, target)) {
        if (hasRows(summary, source)) {
            copySummaryLines(source, target);
            status += kCopiedSummary;
        } else if (status == kCopiedNothing) {
            status = kNoSourceData;
        }
    }
    operation->Commit();
    return status;
}

bool CopySucceeded(int status) {
    return status == kCopiedClaims || status == kCopiedSummary || status == kCopiedBoth ||
           status == kCopiedSummaryWithoutClaims;
}

void DeleteMonth(const QString& month) {
    const QString key = SqlEscape(month);
    const std::unique_ptr<Operation> operation = gDb->BeginOperation();
    gDb->Execute(QStringLiteral("DELETE T_請求書.* FROM T_請求書 WHERE 年月 = '") + key +
                 QStringLiteral("'"));
    gDb->Execute(QStringLiteral("DELETE T_総括表明細.* FROM T_総括表明細 WHERE 年月 = '") + key +
                 QStringLiteral("'"));
    gDb->Execute(QStringLiteral("DELETE T_年月.* FROM T_年月 WHERE 年月 = '") + key +
                 QStringLiteral("'"));
    operation->Commit();
}

} // namespace tabulon
