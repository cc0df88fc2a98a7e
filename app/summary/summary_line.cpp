#include "summary_line.h"

#include "db/insurer_order.h"
#include "db/sql_quote.h"

namespace tabulon {

namespace {

const char* const kGroups[] = {"一般", "退職", "老人"};
const char* const kFigureWords[] = {"件数", "実日数", "点数", "食事"};

QString Column(int group, bool inpatient, int figure) {
    return QString::fromUtf8(kGroups[group]) +
           (inpatient ? QStringLiteral("_入院_") : QStringLiteral("_外来_")) +
           QString::fromUtf8(kFigureWords[figure]);
}

QString KeyCondition(const QString& nengetu, const QString& bangou, const QString& sinryouka,
                     int kind) {
    return QStringLiteral(" where 年月 = '") + SqlEscape(nengetu) + QStringLiteral("' and ") +
           QStringLiteral("保険者番号 = '") + SqlEscape(bangou) + QStringLiteral("' and ") +
           QStringLiteral("診療科 = '") + SqlEscape(sinryouka) + QStringLiteral("' and ") +
           QStringLiteral("総括表種類 = '") + QString::number(kind) + QLatin1Char('\'');
}

} // namespace

QString SummaryFigureColumn(SummaryFigure figure, int index) {
    const bool inpatient = index < 3;
    if (figure == FigSyokuji && !inpatient)
        return {};
    return Column(index % 3, inpatient, figure);
}

const std::array<QString, 23>& SummaryListFigureColumns() {
    static const std::array<QString, 23> columns = [] {
        std::array<QString, 23> c;
        int n = 0;
        for (int group = 0; group < 3; ++group)
            for (int figure = 0; figure < 4; ++figure)
                c[n++] = Column(group, true, figure);
        for (int group = 0; group < 3; ++group)
            for (int figure = 0; figure < 3; ++figure)
                c[n++] = Column(group, false, figure);
        c[n++] = QStringLiteral("公費件数");
        c[n++] = QStringLiteral("福祉件数");
        return c;
    }();
    return columns;
}

QString SummaryKindName(int kind) {
    switch (kind) {
    case 1:
        return QStringLiteral("医科");
    case 2:
        return QStringLiteral("歯科");
    case 3:
        return QStringLiteral("調剤");
    default:
        return {};
    }
}

QString MonthLinesSql(const QString& nengetu) {
    return QStringLiteral("SELECT * From T_総括表明細 Where 年月 = '") + SqlEscape(nengetu) +
           QLatin1Char('\'') + InsurerOrderBy();
}

QString SameKeyLinesSql(const QString& nengetu, const QString& bangou, const QString& sinryouka,
                        int kind) {
    return QStringLiteral("SELECT * From T_総括表明細") +
           KeyCondition(nengetu, bangou, sinryouka, kind) + QStringLiteral(" Order By 連番");
}

QString OneLineSql(const QString& nengetu, const QString& bangou, const QString& sinryouka,
                   int kind, int renban) {
    return QStringLiteral("SELECT * From T_総括表明細") +
           KeyCondition(nengetu, bangou, sinryouka, kind) + QStringLiteral(" and 連番 = ") +
           QString::number(renban);
}

QString DeleteLineSql(const QString& nengetu, const QString& bangou, const QString& sinryouka,
                      int kind, int renban) {
    return QStringLiteral("DELETE * From T_総括表明細") +
           KeyCondition(nengetu, bangou, sinryouka, kind) + QStringLiteral(" and 連番 = ") +
           QString::number(renban);
}

} // namespace tabulon
