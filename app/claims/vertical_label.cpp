#include "vertical_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace tabulon {

VerticalLabel::VerticalLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {
    setAccessibleName(QString(text).remove(u'\n'));
}

void VerticalLabel::paintEvent(QPaintEvent*) {
    const QStringList columns = text_.split(u'\n');
    qsizetype longest = 1;
    for (const QString& column : columns)
        longest = std::max(longest, column.size());

    QFont font = this->font();
    qreal size = font.pointSizeF();
    QFontMetrics metrics(font);
    // Shrink in half points until every column fits the height and all columns the width.
    while (size > 5.0) {
        metrics = QFontMetrics(font);
        const int cell = metrics.height() - 2;
        const int columnWidth = metrics.horizontalAdvance(QStringLiteral("国"));
        if (cell * longest <= height() && columnWidth * columns.size() <= width())
            break;
        size -= 0.5;
        font.setPointSizeF(size);
    }

    QPainter painter(this);
    painter.setFont(font);
    const int cell = metrics.height() - 2;
    const int columnWidth = metrics.horizontalAdvance(QStringLiteral("国"));
    const int left = (width() - columnWidth * static_cast<int>(columns.size())) / 2;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const int x = left + columnWidth * static_cast<int>(columns.size() - 1 - c);
        const QString& column = columns.at(c);
        const int top = (height() - cell * static_cast<int>(column.size())) / 2;
        for (qsizetype i = 0; i < column.size(); ++i) {
            const QRect box(x, top + cell * static_cast<int>(i), columnWidth, cell);
            painter.drawText(box, Qt::AlignCenter, column.mid(i, 1));
        }
    }
}

} // namespace tabulon
