#include "tenken_list_print.h"

#include "era/wareki.h"
#include "globals.h"
#include "print_context.h"
#include "print_run.h"
#include "print_table.h"

namespace tabulon {

namespace {

constexpr qsizetype kLinesPerPage = 40;
const char* const kColumnFields[] = {"Kubun",  "Bangou", "Syurui", "Sinryouka",
                                     "Renban", "Basyo",  "Naiyou"};

QString MonthHeading() {
    return NengetuText(gNengetu) + QStringLiteral("分　請求前点検");
}

void FillPage(ReportForm& form, const QList<QStringList>& lines, qsizetype page, qsizetype pages) {
    form.Clear();
    SetReportField(form, QStringLiteral("Nengetu"), MonthHeading());
    SetReportField(form, QStringLiteral("Page"),
                   QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    if (lines.isEmpty())
        SetReportField(form, QStringLiteral("Naiyou1"), QStringLiteral("誤りも確認もありません。"));
    for (qsizetype k = 0; k < kLinesPerPage; ++k) {
        const qsizetype at = page * kLinesPerPage + k;
        if (at >= lines.size())
            break;
        const QStringList& line = lines.at(at);
        for (qsizetype c = 0; c < static_cast<qsizetype>(std::size(kColumnFields)); ++c)
            SetReportField(form, QString::fromLatin1(kColumnFields[c]) + QString::number(k + 1),
                           line.value(c));
    }
}

} // namespace

void PrintTenkenList(const QList<QStringList>& lines) {
    PrintOnOneLayout(QStringLiteral("点検リスト"), QStringLiteral("tenken.qvf"),
                     [&lines](PrintRun& run, ReportForm& form) {
                         const qsizetype pages = std::max<qsizetype>(
                             1, (lines.size() + kLinesPerPage - 1) / kLinesPerPage);
                         for (qsizetype page = 0; page < pages; ++page) {
                             FillPage(form, lines, page, pages);
                             if (!run.OutputPage())
                                 return false;
                         }
                         return true;
                     });
}

} // namespace tabulon
