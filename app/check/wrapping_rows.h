#pragma once

// Rows of a list as tall as their longest text wrapped in its column: a place
// or a finding in Japanese, which has no spaces to cut at, goes on to a second
// line instead of being cut off at the column's edge.

class QTreeView;

namespace tabulon {

void WrapRowsOf(QTreeView* view);

} // namespace tabulon
