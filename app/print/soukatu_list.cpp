#include "soukatu_list.h"

#include "db/dao.h"
#include "db/insurer_order.h"
#include "db/sql_quote.h"
#include "globals.h"
#include "print_run.h"
#include "report_api.h"
#include "screen_boxes.h"
#include "soukatu_form.h"

#include <memory>

namespace tabulon {

namespace {

constexpr int kLinesPerPage = 25;

// Running totals of the kind being listed.
struct ListTotals {
    qint64 kouhi = 0;
    qint64 fukusi = 0;
};

qint64 number(Recordset& row, const QString& column) {
    const QVariant v = row.Fields(column).Value();
    return v.isNull() ? 0 : v.toLongLong();
}

QString listQuery(const QString& kind) {
    return QStringLiteral("Select * From WK_総括表明細 Where 総括表種類 = '") + SqlEscape(kind) +
           QLatin1Char('\'') + InsurerOrderBy() + QStringLiteral(", 総括表種類, 請求書種類,連番");
}

// Rules, strike lines and captions that differ between the pharmacy list and
// the medical and dental lists.
void setKindSwitches(ReportForm& form, bool pharmacy) {
    const auto flag = [&form](const QString& name, bool on) { form.Fields(name).FieldFlag(on); };
    for (int i = 0; i <= 25; ++i)
        flag(QStringLiteral("Sen") + QString::number(i), !pharmacy);
    for (int i = 1; i <= 25; ++i) {
        flag(QStringLiteral("SyasenA") + QString::number(i), pharmacy);
        flag(QStringLiteral("SyasenB") + QString::number(i), !pharmacy);
    }
    for (int i = 1; i <= 50; ++i)
        flag(QStringLiteral("lblNyugai") + QString::number(i), !pharmacy);
    form.Fields(QStringLiteral("lblMidasi"))
        .FieldText(pharmacy ? QStringLiteral("平成　　　年　　月分　調剤報酬総括表")
                            : QStringLiteral("平成　　　年　　月分　診療報酬総括表"));
    for (int i = 1; i <= 3; ++i)
        form.Fields(QStringLiteral("lblJitunissuu") + QString::number(i))
            .FieldText(pharmacy ? QStringLiteral("枚数") : QStringLiteral("実日数"));
}

QString insurerText(Recordset& row) {
    QString text = row.Fields(QStringLiteral("保険者名")).Text();
    if (text.isEmpty())
        text = row.Fields(QStringLiteral("保険者番号")).Text();
    const QString department = row.Fields(QStringLiteral("診療科")).Text();
    if (!department.isEmpty())
        text += u'(' + department + u')';
    return text;
}

void setLine(ReportForm& form, Recordset& row, int n, const QString& mark) {
    const QString suffix = QString::number(n);
    form.Fields(QStringLiteral("Hokensya") + suffix).FieldText(insurerText(row));
    form.Fields(QStringLiteral("Hyoubetu")).FieldText(QStringLiteral("（") + mark + u'）');
    const qint64 food = number(row, QStringLiteral("一般_入院_食事")) +
                        number(row, QStringLiteral("退職_入院_食事")) +
                        number(row, QStringLiteral("老人_入院_食事"));
    form.Fields(QStringLiteral("Syokuji") + suffix).FieldText(QString::number(food).right(9));
    const char* const groups[] = {"一般_入院", "退職_入院", "老人_入院",
                                  "一般_外来", "退職_外来", "老人_外来"};
    for (int g = 1; g <= 6; ++g) {
        const QString column = QString::fromUtf8(groups[g - 1]);
        const QString at = QString::number(g) + u'_' + suffix;
        const auto set = [&](const char* field, const char* figure, int width) {
            SetReportField(form, QString::fromLatin1(field) + at,
                           QString::number(number(row, column + u'_' + QString::fromUtf8(figure)))
                               .right(width));
        };
        set("Kensuu", "件数", 4);
        set("Jitunissuu", "実日数", 6);
        set("Tensuu", "点数", 9);
    }
}

} // namespace

bool PrintSoukatuList(ReportEngine& engine, ReportForm& form, const QString& tableKind) {
    const bool pharmacy = tableKind == QStringLiteral("3");
    const QString mark = pharmacy                           ? QStringLiteral("薬")
                         : tableKind == QStringLiteral("2") ? QStringLiteral("歯")
                                                            : QStringLiteral("医");
    try {
        const std::unique_ptr<Recordset> rows = gDb->OpenRecordset(listQuery(tableKind));
        if (rows->Eof())
            return true;
        ListTotals totals;
        bool finished = false;
        while (!finished) {
            form.Clear();
            form.Fields(QStringLiteral("Nen1")).FieldText(MenuYearText());
            form.Fields(QStringLiteral("Tuki1")).FieldText(MenuMonthText());
            setKindSwitches(form, pharmacy);
            for (int k = 0; k < kLinesPerPage; ++k) {
                setLine(form, *rows, k + 1, mark);
                totals.kouhi += number(*rows, QStringLiteral("公費件数"));
                totals.fukusi += number(*rows, QStringLiteral("福祉件数"));
                rows->MoveNext();
                if (rows->Eof()) {
                    SetReportField(form, QStringLiteral("Kouhi"),
                                   QString::number(totals.kouhi).right(5));
                    SetReportField(form, QStringLiteral("Uba"),
                                   QString::number(totals.fukusi).right(5));
                    finished = true;
                    break;
                }
            }
            if (const int status = form.PrintPage())
                return AbandonDocument(engine, form,
                                       QStringLiteral("印刷処理エラー：") + QString::number(status),
                                       false);
        }
    } catch (...) {
        return AbandonOnError(engine, form);
    }
    return true;
}

} // namespace tabulon
