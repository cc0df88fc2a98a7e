#include "vertical_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace tabulon {

VerticalLabel::VerticalLabel(const QString& text, QWidget* parent) : QFrame(parent), text_(text) {
    setAccessibleName(QString(text).remove(u'\n'));
}

void VerticalLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event); // the frame, when there is one
    const QRect area = contentsRect();
    const QStringList columns = text_.split(u'\n');
    qsizetype longest = 1;
    for (const QString& column : columns)
        longest = std::max(longest, column.size());

    // Shrink in half points until every column fits the height and all columns the width.
    QFont font = this->font();
    const auto fits = [&](const QFontMetrics& metrics) {
        return (metrics.height() - 2) * longest <= area.height() &&
               metrics.horizontalAdvance(QStringLiteral("国")) * columns.size() <= area.width();
    };
    while (font.pointSizeF() > 5.0 && !fits(QFontMetrics(font)))
        font.setPointSizeF(font.pointSizeF() - 0.5);
    const QFontMetrics metrics(font);

    QPainter painter(this);
    painter.setFont(font);
    const int cell = metrics.height() - 2;
    const int columnWidth = metrics.horizontalAdvance(QStringLiteral("国"));
    const int left =
        area.left() + (area.width() - columnWidth * static_cast<int>(columns.size())) / 2;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const int x = left + columnWidth * static_cast<int>(columns.size() - 1 - c);
        const QString& column = columns.at(c);
        const int top = area.top() + (area.height() - cell * static_cast<int>(column.size())) / 2;
        for (qsizetype i = 0; i < column.size(); ++i) {
            const QRect box(x, top + cell * static_cast<int>(i), columnWidth, cell);
            painter.drawText(box, Qt::AlignCenter, column.mid(i, 1));
        }
    }
}

} // namespace tabulon
