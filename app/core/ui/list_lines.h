#pragma once

// The lines of a list screen are read in full before the list changes: a
// query that fails leaves the lines shown before, never an empty list that
// looks like a month with nothing stored.

#include <QTreeWidgetItem>
#include <memory>
#include <vector>

class QTreeWidget;

namespace tabulon {

using ListLines = std::vector<std::unique_ptr<QTreeWidgetItem>>;

// Replaces the lines of `list` with `lines`, all read.
void ReplaceLines(QTreeWidget* list, ListLines lines);

} // namespace tabulon
