#include "ui/enter_path.h"

#include <QKeyEvent>
#include <QWidget>

namespace tabulon {

EnterPath::EnterPath(QObject* parent, QList<QWidget*> path)
    : QObject(parent), path_(std::move(path)) {
    for (qsizetype i = 0; i + 1 < path_.size(); ++i)
        path_[i]->installEventFilter(this);
}

bool EnterPath::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const qsizetype at = path_.indexOf(static_cast<QWidget*>(watched));
            if (at >= 0 && at + 1 < path_.size()) {
                path_[at + 1]->setFocus();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tabulon
