#include "ui/list_lines.h"

#include <QTreeWidget>

namespace tabulon {

void ReplaceLines(QTreeWidget* list, ListLines lines) {
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(lines.size()));
    for (std::unique_ptr<QTreeWidgetItem>& line : lines)
        items << line.release();
    list->clear();
    list->addTopLevelItems(items);
}

} // namespace tabulon
