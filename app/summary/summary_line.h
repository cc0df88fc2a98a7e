#pragma once

// One stored line of a summary table (T_総括表明細): which column each figure
// box of frmSoukatu2 stores, and the statements that read and remove lines.

#include <QString>
#include <array>

namespace tabulon {

// Figure arrays of frmSoukatu2, in the order of SummaryFigureColumns.
enum SummaryFigure { FigKensuu, FigJitunisuu, FigTensuu, FigSyokuji, FigCount };
constexpr int kSummaryBoxes = 6; // index i: group i mod 3, care i div 3

// The column of T_総括表明細 that box `index` (0 to 5) of figure array
// `figure` stores; empty for the outpatient meals, which are never stored.
QString SummaryFigureColumn(SummaryFigure figure, int index);

// The 23 figure columns in list order: the four 入院 columns of 一般, 退職
// and 老人, then the three 外来 columns of each, then 公費件数 and 福祉件数.
const std::array<QString, 23>& SummaryListFigureColumns();

// "医科", "歯科" or "調剤" for table kind 1, 2, 3.
QString SummaryKindName(int kind);

// The month's lines in list order (insurer number by its last six places,
// then its first two, then department).
QString MonthLinesSql(const QString& nengetu);
// The lines sharing a key but the serial, in serial order.
QString SameKeyLinesSql(const QString& nengetu, const QString& bangou, const QString& sinryouka,
                        int kind);
QString OneLineSql(const QString& nengetu, const QString& bangou, const QString& sinryouka,
                   int kind, int renban);
QString DeleteLineSql(const QString& nengetu, const QString& bangou, const QString& sinryouka,
                      int kind, int renban);

} // namespace tabulon
