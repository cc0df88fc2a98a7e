#include "claim_batch.h"

#include "db/claim_line_columns.h"
#include "claim_form.h"
#include "claim_qr.h"
#include "db/dao.h"
#include "db/insurer_order.h"
#include "db/sql_quote.h"
#include "globals.h"
#include "message_box.h"
#include "print_table.h"

#include <memory>

namespace tabulon {

namespace {

const char* const kPassFilters[] = {
    " and (請求書種類 = '1' or 請求書種類 = '2') ",
    " and (請求書種類 = '3' or 請求書種類 = '4') ",
    " and (請求書種類 = '5' or 請求書種類 = '6')",
};

// The column of T_請求書 behind a screen box array at a line; the food arrays
// belong to the 入院 line only.
QString columnOf(const QString& array, int line) {
    static const QHash<QString, QString> care = {{"txtKensuu", "件数"},
                                                 {"txtJitunisuu", "実日数"},
                                                 {"txtTensuu", "点数"},
                                                 {"txtFutankin", "負担金"}};
    static const QHash<QString, QString> food = {{"txtKensuu2", "件数"},
                                                 {"txtNisuu", "日数"},
                                                 {"txtKingaku", "金額"},
                                                 {"txtFutangaku", "負担額"}};
    if (care.contains(array))
        return CareColumn(care.value(array), line);
    if (line % 2 == 0 && food.contains(array))
        return FoodColumn(food.value(array), line);
    return QString();
}

// One claim: its payload and its page from the stored row.
bool printClaimPage(PrintRun& run, Recordset& row) {
    const int kindCode = row.Fields(QStringLiteral("請求書種類")).Text().toInt();
    const ClaimPrintKind* kind = FindClaimPrintKind(kindCode);
    if (kind == nullptr)
        return true; // not a claim kind: nothing to print
    gQRKind = QString::fromLatin1(kind->qrKind);
    const QString bangou = row.Fields(QStringLiteral("保険者番号")).Text();
    const QString sinryouka = row.Fields(QStringLiteral("診療科")).Text();

    return PrintBatchPage(run, QString::fromLatin1(kind->layout), [&](ReportForm& form) {
        BuildClaimQRFromRow(row, kind->payloadRows);
        ClaimPage page;
        page.kind = kind;
        page.bangou = bangou;
        page.sinryouka = sinryouka;
        page.lastRowIndex = kind->lastRowIndex;
        page.figure = [&row](const QString& array, int line) {
            const QString column = columnOf(array, line);
            return column.isEmpty() ? QString() : row.Fields(column).Text();
        };
        page.kouhi = row.Fields(QStringLiteral("公費件数")).Text();
        page.uba = row.Fields(QStringLiteral("福祉件数")).Text();
        FillClaimPage(form, page, [](const std::function<void()>& statement) { statement(); });
    });
}

} // namespace

void PrintClaimsOfMonth() {
    const QString query = QStringLiteral("SELECT * From T_請求書 Where 年月 = '") +
                          SqlEscape(gNengetu) + QStringLiteral("'");
    try {
        if (gDb->OpenRecordset(query)->Eof()) {
            ShowMessage(QStringLiteral("請求書データが入力されていません。"), MsgIcon::Exclamation);
            return;
        }
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return;
    }
    PrintClaimBatchOf(query);
}

void PrintClaimBatchOf(const QString& claimQuery) {
    PrintClaimBatch([&claimQuery](PrintRun& run) {
        for (const char* filter : kPassFilters) {
            const std::unique_ptr<Recordset> rows =
                gDb->OpenRecordset(claimQuery + QString::fromUtf8(filter) + InsurerOrderBy() +
                                   QStringLiteral(", 請求書種類,連番"));
            for (; !rows->Eof(); rows->MoveNext())
                if (!printClaimPage(run, *rows))
                    return;
        }
    });
}

} // namespace tabulon
