#include "soukatu_work.h"

#include "db/dao.h"
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
    return QStringLiteral("Select * From Q_総括明細 Where 年月 = '") + gNengetu +
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

qint64 number(Field& field) {
    const QVariant v = field.Value();
    return v.isNull() ? 0 : v.toLongLong();
}

void addWorkLine(Recordset& work, Recordset& claim) {
    const int kind = claim.Fields(QStringLiteral("請求書種類")).Text().toInt();
    const int tableKind = (kind + 1) / 2; // 1, 2 -> 1; 3, 4 -> 2; 5, 6 -> 3
    work.AddNew();
    for (const char* key : {"保険者番号", "診療科", "請求書種類", "連番"})
        work.Fields(QString::fromUtf8(key)).SetValue(claim.Fields(QString::fromUtf8(key)).Value());
    work.Fields(QStringLiteral("総括表種類")).SetValue(QString::number(tableKind));
    const bool lateElderly = kind % 2 == 0;
    auto carry = [&](const ColumnPair& pair) {
        Field& target = work.Fields(QString::fromUtf8(pair.work));
        target.SetValue(number(target) + number(claim.Fields(QString::fromUtf8(pair.claim))));
    };
    if (lateElderly)
        for (const ColumnPair& pair : kLateElderlyColumns)
            carry(pair);
    else
        for (const ColumnPair& pair : kGeneralColumns)
            carry(pair);
    work.Update();
}

} // namespace

bool BuildSoukatuWork() {
    try {
        const std::unique_ptr<Recordset> claims = gDb->OpenRecordset(monthQuery());
        gDb->Execute(QStringLiteral("DELETE WK_総括表明細.* FROM WK_総括表明細"));
        const std::unique_ptr<Recordset> work =
            gDb->OpenRecordset(QStringLiteral("Select * From WK_総括表明細"));
        for (; !claims->Eof(); claims->MoveNext())
            addWorkLine(*work, *claims);
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
