#include "soukatu_work.h"

#include "db/dao.h"
#include "db/sql_quote.h"
#include "globals.h"
#include "message_box.h"
#include "print_errors.h"
#include "print_table.h"
#include "soukatu_form.h"
#include "soukatu_list.h"

#include <memory>

namespace tabulon {

namespace {

QString monthQuery() {
    return QStringLiteral("Select * From Q_総括明細 Where 年月 = '") + SqlEscape(gNengetu) +
           QStringLiteral("'");
}

struct ColumnPair {
    const char* work;
    const char* claim;
};

// Work column <- Q_総括明細 column for the 一般・退職 kinds (1, 3, 5).
const ColumnPair kGeneralColumns[] = {
    {"一般_入院_件数", "一般_入院_件数"},
    {"一般_入院_実日数", "一般_入院_実日数"},
    {"一般_入院_点数", "一般_入院_点数"},
    {"一般_入院_食事", "一般_食事_金額"},
    {"一般_外来_件数", "一般_外来_件数"},
    {"一般_外来_実日数", "一般_外来_実日数"},
    {"一般_外来_点数", "一般_外来_点数"},
    {"退職_入院_件数", "退職_入院_件数"},
    {"退職_入院_実日数", "退職_入院_実日数"},
    {"退職_入院_点数", "退職_入院_点数"},
    {"退職_入院_食事", "退職_食事_金額"},
    {"退職_外来_件数", "退職_外来_件数"},
    {"退職_外来_実日数", "退職_外来_実日数"},
    {"退職_外来_点数", "退職_外来_点数"},
    {"公費件数", "公費件数_合計"},
    {"福祉件数", "福祉件数_合計"},
};

// The late-elderly kinds (2, 4, 6) go into the 老人 section.
const ColumnPair kLateElderlyColumns[] = {
    {"老人_入院_件数", "一般_入院_件数"}, {"老人_入院_実日数", "一般_入院_実日数"},
    {"老人_入院_点数", "一般_入院_点数"}, {"老人_入院_食事", "一般_食事_金額"},
    {"老人_外来_件数", "一般_外来_件数"}, {"老人_外来_実日数", "一般_外来_実日数"},
    {"老人_外来_点数", "一般_外来_点数"}, {"公費件数", "公費件数_合計"},
    {"福祉件数", "福祉件数_合計"},
};

// One statement per claim kind adds that kind's claims of the month: each
// work line starts at the table's zeros, so its figures are the claim's.
// (A row-by-row append commits every row on its own and is slower by far.)
QString appendKindStatement(int kind) {
    const bool lateElderly = kind % 2 == 0;
    QStringList targets = {"保険者番号", "診療科", "請求書種類", "連番", "総括表種類"};
    QStringList sources = {"保険者番号", "診療科", "請求書種類", "連番",
                           QStringLiteral("'%1'").arg((kind + 1) / 2)};
    const auto add = [&](const ColumnPair& pair) {
        targets << QString::fromUtf8(pair.work);
        sources << QString::fromUtf8(pair.claim);
    };
    if (lateElderly)
        for (const ColumnPair& pair : kLateElderlyColumns)
            add(pair);
    else
        for (const ColumnPair& pair : kGeneralColumns)
            add(pair);
    return QStringLiteral("INSERT INTO WK_総括表明細 (") + targets.join(QStringLiteral(", ")) +
           QStringLiteral(") SELECT ") + sources.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM Q_総括明細 WHERE 年月 = '") + SqlEscape(gNengetu) +
           QStringLiteral("' AND 請求書種類 = '") + QString::number(kind) + u'\'';
}

} // namespace

bool BuildSoukatuWork() {
    try {
        gDb->Execute(QStringLiteral("DELETE WK_総括表明細.* FROM WK_総括表明細"));
        for (int kind = 1; kind <= 6; ++kind)
            gDb->Execute(appendKindStatement(kind));
    } catch (...) {
        ReportCurrentError();
        return true;
    }
    return false;
}

void PrintAllSoukatu() {
    PrintSoukatuAll(PrintSoukatuMedDental, PrintSoukatuPharmacy, PrintSoukatuList);
}

void PrintSummariesOfMonth() {
    try {
        if (gDb->OpenRecordset(monthQuery())->Eof()) {
            ShowMessage(QStringLiteral("請求書データが入力されていません。"), MsgIcon::Exclamation);
            return;
        }
    } catch (...) {
        ReportCurrentError();
        return;
    }
    if (!BuildSoukatuWork())
        PrintAllSoukatu();
}

} // namespace tabulon
