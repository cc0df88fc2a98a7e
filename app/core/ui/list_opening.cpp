#include "ui/list_opening.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace tabulon {

namespace {

class LineOpener : public QObject {
public:
    LineOpener(QAbstractItemView* list, std::function<void()> open)
        : QObject(list), list_(list), open_(std::move(open)) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
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
    std::function<void()> open_;
};

} // namespace

void OpenLinesOf(QAbstractItemView* list, std::function<void()> open) {
    new LineOpener(list, std::move(open));
}

} // namespace tabulon
