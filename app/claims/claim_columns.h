#pragma once

// How the grid boxes of an entry screen map onto the figure columns of
// T_請求書. Grid boxes are control arrays indexed by RowIndex: row n of the
// 一般 section has its 入院 boxes at 2(n-1) and its 外来 boxes at 2(n-1)+1, the
// 退職 section the same from 10 on. The food boxes of a row sit at its 入院 index.

#include "claim_kinds.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tabulon {

// The four care arrays (件数, 実日数, 点数, 負担金) and the four food arrays
// (件数, 日数, 金額, 負担額), in column order.
const QStringList& CareArrays();
const QStringList& FoodArrays();

struct BoxColumn {
    QString box;
    int index;
    QString column;
};

// The column of T_請求書 that grid box `array`(rowIndex) maps to, such as
// 退職_療養_外来_件数_1 for txtKensuu(11).
QString FigureColumn(const QString& array, int rowIndex);

// The figure boxes that a save of the kind writes, in the order of writing:
// per row, 入院, food, 外来; the 一般 section first.
QList<BoxColumn> SavedFigureColumns(const ClaimKind& kind);

// The figure boxes that a load fills and that the input set-up walks: the
// saved ones plus the 入院 boxes of the kinds that do not store them. The
// 一般 section ends at `lastRowIndex`.
QList<BoxColumn> LoadedFigureColumns(const ClaimKind& kind, int lastRowIndex);

// Maximum input length of a box by its name (txtBangou depends on the kind).
int InputLimit(const ClaimKind& kind, const QString& box);

} // namespace tabulon
