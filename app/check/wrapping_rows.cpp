#include "wrapping_rows.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace tabulon {

namespace {

class WrappingDelegate : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), view_(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QSize line = QStyledItemDelegate::sizeHint(option, index);
        // The text's room: the column less what the style puts around it.
        const int room = view_->header()->sectionSize(index.column()) - 2 * kTextMargin;
        if (item.text.isEmpty() || room <= 0)
            return line;
        const QRect text = item.fontMetrics.boundingRect(QRect(0, 0, room, QWIDGETSIZE_MAX),
                                                         Qt::TextWordWrap, item.text);
        return {line.width(), qMax(line.height(), text.height() + 2 * kTextMargin)};
    }

private:
    static constexpr int kTextMargin = 3;
    QTreeView* view_;
};

} // namespace

void WrapRowsOf(QTreeView* view) {
    view->setUniformRowHeights(false);
    view->setWordWrap(true);
    view->setTextElideMode(Qt::ElideNone);
    view->setItemDelegate(new WrappingDelegate(view));
    QObject::connect(view->header(), &QHeaderView::sectionResized, view,
                     [view] { view->doItemsLayout(); });
}

} // namespace tabulon
