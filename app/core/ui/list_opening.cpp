#include "ui/list_opening.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace tabulon {

namespace {

class LineOpener : public QObject {
public:
    LineOpener(QAbstractItemView* list, std::function<void()> open)
        : QObject(list), list_(list), viewport_(list->viewport()), open_(std::move(open)) {
        list->installEventFilter(this);
        viewport_->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The viewport is compared by the pointer kept at the start: while the
        // list is being destroyed its children still send events, and the
        // list can no longer be asked for its viewport then.
        if (watched == viewport_ && event->type() == QEvent::MouseButtonDblClick) {
            open_();
            return true;
        }
        if (watched == list_ && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                selectFocusedLine();
                open_();
                return true;
            }
        }
        return false;
    }

private:
    void selectFocusedLine() {
        QItemSelectionModel* selection = list_->selectionModel();
        const QModelIndex current = list_->currentIndex();
        if (current.isValid() && !selection->hasSelection())
            selection->select(current,
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QAbstractItemView* list_;
    QObject* viewport_;
    std::function<void()> open_;
};

} // namespace

void OpenLinesOf(QAbstractItemView* list, std::function<void()> open) {
    new LineOpener(list, std::move(open));
}

} // namespace tabulon
