#include "text_painter.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>
#include <QThread>
#include <unordered_map>

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

// One line of text laid out once: its size and its shaped glyphs, placed
// from the line's top-left corner.
struct LineMetrics {
    double width = 0;
    double height = 0;
    QList<QGlyphRun> glyphs;
};

struct LineKey {
    QString text;
    int face;
    int size; // 1/100 point
    bool bold;
    int dpi;
    bool operator==(const LineKey&) const = default;
};

struct LineKeyHash {
    size_t operator()(const LineKey& k) const {
        return qHashMulti(0, k.text, k.face, k.size, k.bold, k.dpi);
    }
};

// One line of text in the painter's font. Every page of a layout repeats the
// same captions and most figures, so each is laid out and shaped once.
// Glyph runs hold the font engines of the thread that shaped them, so each
// thread keeps its own: a page-writing thread's goes with the thread, the
// main thread's before the application.
const LineMetrics& MeasureLine(QPainter& painter, const QString& text, const TextStyle& s) {
    using Cache = std::unordered_map<LineKey, LineMetrics, LineKeyHash>;
    thread_local Cache measured;
    thread_local const bool clearedInTime = [] {
        const QCoreApplication* app = QCoreApplication::instance();
        if (app && QThread::currentThread() == app->thread())
            qAddPostRoutine([] { Cache().swap(measured); });
        return true;
    }();
    Q_UNUSED(clearedInTime);
    constexpr size_t kMostKept = 20000;
    LineKey key{text, static_cast<int>(s.font), qRound(s.size * 100), s.bold,
                painter.device()->logicalDpiY()};
    const auto it = measured.find(key);
    if (it != measured.end())
        return it->second;
    if (measured.size() >= kMostKept)
        measured.clear();
    QTextLayout layout(text, painter.font(), painter.device());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    LineMetrics metrics{line.naturalTextWidth(), line.height(), layout.glyphRuns()};
    return measured.emplace(std::move(key), std::move(metrics)).first->second;
}

// One line that fits its box, placed as the box's alignment places it. This
// is what the general drawing below does for such a line, without laying the
// text out in lines first: most texts of a page are such lines, and the
// general path costs a batch of 1,000 pages a few hundred milliseconds more.
bool PaintFittingLine(QPainter& painter, const QRectF& box, const QString& text,
                      const TextStyle& s) {
    if (text.contains(QLatin1Char('\n')))
        return false;
    const LineMetrics& m = MeasureLine(painter, text, s);
    const double width = m.width;
    const double height = m.height;
    if (width > box.width() || height > box.height())
        return false; // the general path clips what overflows
    const double x = s.align == HAlign::Right    ? box.right() - width
                     : s.align == HAlign::Center ? box.left() + (box.width() - width) / 2
                                                 : box.left();
    const double top = s.valign == VAlign::Top      ? box.top()
                       : s.valign == VAlign::Bottom ? box.bottom() - height
                                                    : box.top() + (box.height() - height) / 2;
    for (const QGlyphRun& run : m.glyphs)
        painter.drawGlyphRun(QPointF(x, top), run);
    return true;
}

void PaintFlowing(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& s) {
    if (PaintFittingLine(painter, box, text, s))
        return;
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
    cellStyle.multiline = false;
    for (int i = 0; i < count; ++i) {
        const int cell = first + i;
        if (cell < 0 || cell >= cells)
            continue;
        const QRectF r(box.left() + cell * pitch, box.top(), pitch, box.height());
        PaintFlowing(painter, r, text.mid(i, 1), cellStyle);
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
    TextStyle centred = s; // the painter's font, each character centred in its cell
    centred.align = HAlign::Center;
    centred.valign = VAlign::Middle;
    centred.multiline = false;
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
                PaintFlowing(painter, r, QString(c), centred);
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
