#pragma once

// The check list on paper, "点検リスト": the lines of 請求前点検 as the screen
// shows them, 40 a page on "tenken.qvf", for ticking off.

#include <QList>
#include <QStringList>

namespace tabulon {

// Lines of grade, insurer number, kind, department, serial, where, finding.
void PrintTenkenList(const QList<QStringList>& lines);

} // namespace tabulon
