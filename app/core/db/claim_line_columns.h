#pragma once

// Column names of T_請求書 for the grid lines of a claim: the line is the
// screen's RowIndex, 入院 at even and 外来 at odd indexes, 退職 from 10 on.

#include <QString>

namespace tabulon {

// Section word of a line: "一般" below index 10, "退職" from 10.
QString ClaimSectionOfLine(int line);
// Row number 1..5 of a line within its section.
int ClaimRowOfLine(int line);

// S_療養_入院_<figure>_r or S_療養_外来_<figure>_r; figure 件数, 実日数, 点数, 負担金.
QString CareColumn(const QString& figure, int line);
// S_食事_<figure>_r of the line's row; figure 件数, 日数, 金額, 負担額.
QString FoodColumn(const QString& figure, int line);

} // namespace tabulon
