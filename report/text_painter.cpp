#include "text_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

namespace tabulon {

namespace {

int AlignFlags(const TextStyle& s) {
    int flags = s.align == HAlign::Right    ? Qt::AlignRight
                : s.align == HAlign::Center ? Qt::AlignHCenter
                                            : Qt::AlignLeft;
    flags |= s.valign == VAlign::Top      ? Qt::AlignTop
             : s.valign == VAlign::Bottom ? Qt::AlignBottom
                                          : Qt::AlignVCenter;
    return flags;
}

QString Normalized(const QString& text, bool multiline) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!multiline)
        t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

void PaintFlowing(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& s) {
    const int wrap = s.multiline ? Qt::TextWordWrap : Qt::TextSingleLine;
    painter.drawText(box, AlignFlags(s) | wrap, text);
}

// One character centred in each cell of `pitch` pixels, from the left edge;
// right alignment fills the last cells first.
void PaintPitched(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& s,
                  double pitch) {
    const int cells = static_cast<int>(box.width() / pitch + 1e-6);
    const int count = static_cast<int>(text.size());
    const int first = s.align == HAlign::Right ? cells - count : 0;
    TextStyle cellStyle = s;
    cellStyle.align = HAlign::Center;
    for (int i = 0; i < count; ++i) {
        const int cell = first + i;
        if (cell < 0 || cell >= cells)
            continue;
        const QRectF r(box.left() + cell * pitch, box.top(), pitch, box.height());
        painter.drawText(r, AlignFlags(cellStyle) | Qt::TextSingleLine, text.mid(i, 1));
    }
}

void PaintTurned(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& s) {
    painter.save();
    painter.translate(box.center());
    painter.rotate(90);
    const QRectF turned(-box.height() / 2, -box.width() / 2, box.height(), box.width());
    PaintFlowing(painter, turned, text, s);
    painter.restore();
}

bool TurnsInVerticalWriting(QChar c) {
    static const QString turning =
        QStringLiteral("ー－―‐-〜～…（）()「」『』【】〔〕［］｛｝<>＜＞＝=");
    return turning.contains(c);
}

// Columns of upright characters, right to left; the block of columns is
// placed by the horizontal alignment, each column by the vertical one.
void PaintStacked(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& s) {
    const QFontMetricsF fm(painter.font(), painter.device());
    const double cell = fm.height();
    const QStringList columns = text.split(QLatin1Char('\n'));
    const double blockWidth = cell * columns.size();
    double right = s.align == HAlign::Left     ? box.left() + blockWidth
                   : s.align == HAlign::Center ? box.center().x() + blockWidth / 2
                                               : box.right();
    painter.save();
    painter.setClipRect(box);
    for (const QString& column : columns) {
        const double height = cell * column.size();
        double top = s.valign == VAlign::Top      ? box.top()
                     : s.valign == VAlign::Bottom ? box.bottom() - height
                                                  : box.center().y() - height / 2;
        for (const QChar c : column) {
            const QRectF r(right - cell, top, cell, cell);
            if (TurnsInVerticalWriting(c)) {
                painter.save();
                painter.translate(r.center());
                painter.rotate(90);
                painter.drawText(r.translated(-r.center()), Qt::AlignCenter, QString(c));
                painter.restore();
            } else {
                painter.drawText(r, Qt::AlignCenter, QString(c));
            }
            top += cell;
        }
        right -= cell;
    }
    painter.restore();
}

} // namespace

QString FontFamily(FontFace face) {
    return face == FontFace::Gothic ? QStringLiteral("IPAexGothic") : QStringLiteral("IPAexMincho");
}

QFont LayoutFont(const TextStyle& style) {
    QFont font(FontFamily(style.font));
    font.setPointSizeF(style.size);
    font.setBold(style.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void PaintText(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& style,
               double pxPerUnit) {
    if (text.isEmpty())
        return;
    painter.setFont(LayoutFont(style));
    const bool multiline = style.multiline && style.pitch <= 0;
    const QString t = Normalized(text, multiline);
    switch (style.direction) {
    case TextDirection::Horizontal:
        if (style.pitch > 0)
            PaintPitched(painter, box, t, style, style.pitch * pxPerUnit);
        else
            PaintFlowing(painter, box, t, style);
        break;
    case TextDirection::Vertical:
        PaintTurned(painter, box, t, style);
        break;
    case TextDirection::VerticalWriting:
        PaintStacked(painter, box, t, style);
        break;
    }
}

} // namespace tabulon
