#pragma once

// The era years and months that hold data (the views Q_年 and Q_月), as the
// main menu and the copy and delete screens list them.

#include <QStringList>

class QComboBox;

namespace tabulon {

// Every 年 of Q_年 in the order delivered (ascending).
QStringList StoredYears();

// The months stored for a year; in ascending order when `ordered`, otherwise
// in the order the grouping delivers them.
QStringList StoredMonths(const QString& year, bool ordered);

// Replaces the entries of a list box and selects the last one (none when
// there are no entries), without running the box's own handlers.
void FillAndSelectLast(QComboBox* box, const QStringList& entries);

} // namespace tabulon
