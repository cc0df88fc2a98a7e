// Builds the grid of an entry screen: group, row and line captions, column
// headings and the control arrays of figure boxes, one set per tab page.

#include "claim_screen.h"
#include "layout_units.h"
#include "vertical_label.h"

#include <QLineEdit>
#include <algorithm>
#include <array>

namespace tabulon {

namespace {

QString Plain(QString caption) {
    return caption.remove(u'　').remove(u' ').remove(u'\n');
}

// The kinds whose row captions are written across (Arabic figures, as "70以上"
// and "(一般･低所得)") take this much room left of the grid, which moves right.
constexpr int kAcrossCaptionRoom = 1200;

bool CaptionsAcross(const ClaimKind& kind) {
    return kind.retired && !kind.food;
}

// A column heading over its column: on one line when it fits the column, else
// broken in two even lines; the label widens about its centre to the longer
// line so that no heading is cut.
QLabel* AddHeading(QWidget* parent, const QString& heading, const QRect& place) {
    const QFontMetrics metrics = parent->fontMetrics();
    QString text = heading;
    if (metrics.horizontalAdvance(heading) > place.width()) {
        const qsizetype half = heading.size() / 2;
        text = heading.left(half) + u'\n' + heading.mid(half);
    }
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line) + 2);
    QRect fitted = place;
    if (widest > place.width())
        fitted.adjust(-(widest - place.width() + 1) / 2, 0, (widest - place.width() + 1) / 2, 0);
    QLabel* label = AddLabel(parent, text, fitted, Qt::AlignCenter);
    label->setWordWrap(false);
    return label;
}

// The heading over the last column, " 療 養 の 給 付" on its first line and
// "食事・生活療養" on its second, each followed by its unit, 点 and 円. The
// font gives way in half points when the two lines and their units would
// overrun the width of `place`.
void AddBenefitHeading(QWidget* parent, const QRect& place) {
    const QString heading = QStringLiteral(" 療 養 の 給 付 食事・生活療養");
    const QStringList lines{QStringLiteral(" 療 養 の 給 付"), QStringLiteral("食事・生活療養")};
    const int room = place.width();
    QFont font = parent->font();
    constexpr int kUnitGap = 3;
    // The text's width: its longer line and a pixel of slack, so that the
    // longer line itself never wraps.
    const auto textWidthIn = [&](const QFontMetrics& metrics) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        return widest + 1;
    };
    const auto needed = [&](const QFontMetrics& metrics) {
        return textWidthIn(metrics) + kUnitGap + metrics.horizontalAdvance(QStringLiteral("円"));
    };
    while (font.pointSizeF() > 6.0 && needed(QFontMetrics(font)) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.lineSpacing();
    const int textWidth = textWidthIn(metrics);
    const int top = place.top() + (place.height() - 2 * lineHeight) / 2;

    // Wrapped at the width of its longer line, the text breaks after "付".
    QLabel* label =
        AddLabel(parent, heading, QRect(place.left(), top, textWidth, 2 * lineHeight + 2),
                 Qt::AlignLeft | Qt::AlignTop);
    label->setObjectName(QStringLiteral("lblKyuufu"));
    label->setFont(font);
    const int unitLeft = place.left() + textWidth + kUnitGap;
    const int unitWidth = metrics.horizontalAdvance(QStringLiteral("円")) + 1;
    for (int line = 0; line < 2; ++line) {
        QLabel* unit = AddLabel(parent, line == 0 ? QStringLiteral("点") : QStringLiteral("円"),
                                QRect(unitLeft, top + line * lineHeight, unitWidth, lineHeight),
                                Qt::AlignLeft | Qt::AlignTop);
        unit->setObjectName(QStringLiteral("lblTani"));
        unit->setFont(font);
        unit->setWordWrap(false);
    }
}

struct GridColumn {
    const char* array;
    int left;
    int width;
};

constexpr std::array<GridColumn, 8> kGridColumns{{{"txtKensuu", 1240, 650},
                                                  {"txtJitunisuu", 1960, 650},
                                                  {"txtTensuu", 2680, 1140},
                                                  {"txtFutankin", 3885, 900},
                                                  {"txtKensuu2", 4845, 650},
                                                  {"txtNisuu", 5565, 650},
                                                  {"txtKingaku", 6285, 900},
                                                  {"txtFutangaku", 7245, 900}}};

struct Heading {
    const char* text;
    int left;
    int width;
};

// Row captions by kind, page and slot; a "\n" starts a second caption column,
// or a second line on the kinds that write them across.
QStringList RowCaptions(const ClaimKind& kind, int page) {
    switch (kind.code) {
    case 1:
        return page == 0 ? QStringList{"七〇以上一般", "七〇以上七割", "十／九／八割", "　　　七割",
                                       "　六歳未満"}
                         : QStringList{"　本　人", "　被扶養者", "　六歳未満"};
    case 2:
        return {"　九割", "　七割"};
    case 3:
    case 5:
        return page == 0
                   ? QStringList{"70以上\n(一般･低所得)", "70以上7割", "10･9･8割", "7割", "6歳未満"}
                   : QStringList{"本　人", "被扶養者", "6歳未満"};
    default:
        return {"９割", "７割"};
    }
}

// Where the 入院 row index sits on the page: rows 12 to 15 of the 退職 page exist below
// the three visible rows and are never shown.
int SlotOf(int rowIndex) {
    const int row = (rowIndex % 10) / 2;
    if (rowIndex < 10)
        return row;
    static constexpr std::array<int, 5> kRetiredSlots{0, 3, 4, 1, 2};
    return kRetiredSlots[static_cast<size_t>(row)];
}

bool RowShown(int rowIndex) {
    return rowIndex < 12 || rowIndex > 15;
}

// A row caption in a frame that marks its row slot: written down the slot, or
// across it (a "\n" starting a new line) on the kinds with Arabic figures.
void AddRowCaption(QWidget* parent, const QString& caption, const QRect& place, bool across) {
    if (!across) {
        auto* label = new VerticalLabel(caption, parent);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setGeometry(place);
        return;
    }
    QLabel* label = AddLabel(parent, caption, place, Qt::AlignCenter);
    label->setWordWrap(false);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
}

} // namespace

void ClaimScreen::BuildGridHeadings(QWidget* parent, QPoint origin, int page) {
    const auto place = [&](const QRect& twips) { return twips.translated(origin); };
    if (kind_.retired) {
        auto* national = new VerticalLabel(QStringLiteral("国　民　健　康　保　険"), parent);
        national->setGeometry(place(Twips(240, 1200, 240, 4800)));
        auto* group = new VerticalLabel(page == 0 ? QStringLiteral("一　般　被　保　険　者")
                                                  : QStringLiteral("退　職　者　医　療"),
                                        parent);
        group->setGeometry(place(Twips(480, 1200, 240, 4800)));
    } else {
        auto* group = new VerticalLabel(QStringLiteral("後　期　高　齢"), parent);
        group->setGeometry(place(Twips(360, 1200, 240, 1920)));
    }

    // The columns stand right of the row captions.
    const QPoint columns = origin + QPoint(GridShift() / 15, 0);
    const auto column = [&](const QRect& twips) { return twips.translated(columns); };
    const Qt::Alignment centre = Qt::AlignCenter;
    AddLabel(parent, QStringLiteral("請　求（療養の給付）"), column(Twips(1200, 525, 3615, 240)),
             centre);
    const std::array<Heading, 4> care{{{"件数", 1200, 720},
                                       {kind_.daysTitle, 1920, 720},
                                       {"点　数", 2640, 1200},
                                       {"一部負担金", 3840, 960}}};
    for (const Heading& h : care)
        AddHeading(parent, QString::fromUtf8(h.text), column(Twips(h.left, 780, h.width, 390)));
    if (!kind_.food)
        return;
    AddLabel(parent, QStringLiteral("請　求（食事療養・生活療養）"),
             column(Twips(4800, 525, 4335, 240)), centre);
    const std::array<Heading, 4> food{
        {{"件数", 4800, 720}, {"回数", 5520, 720}, {"金額", 6240, 960}, {"標準負担額", 7200, 960}}};
    for (const Heading& h : food)
        AddHeading(parent, QString::fromUtf8(h.text), column(Twips(h.left, 780, h.width, 390)));
    // It starts a little left of its column, where the heading before it leaves
    // room; inside the tab control it has up to the control's edge, on the
    // screen without pages up to the screen's.
    AddBenefitHeading(parent, column(Twips(8070, 780, kind_.retired ? 1380 : 2040, 390)));
}

int ClaimScreen::GridShift() const {
    return CaptionsAcross(kind_) ? kAcrossCaptionRoom : 0;
}

void ClaimScreen::BuildGrid(QWidget* parent, QPoint origin, int page) {
    BuildGridHeadings(parent, origin, page);
    const auto place = [&](const QRect& twips) { return twips.translated(origin); };
    const int shift = GridShift();
    const auto column = [&](const QRect& twips) { return place(twips).translated(shift / 15, 0); };
    const QStringList captions = RowCaptions(kind_, page);
    const QString group = kind_.retired ? PageTitle(page) : QStringLiteral("後期高齢");
    const int first = page * 10;
    const int last = page == 0 ? (kind_.retired ? 9 : 3) : 19;

    for (int inpatient = first; inpatient < last; inpatient += 2) {
        const int slot = SlotOf(inpatient);
        const bool shown = RowShown(inpatient);
        const int slotTop = 1200 + 960 * slot;
        const QString rowCaption =
            shown ? captions.value(slot) : QStringLiteral("第%1行").arg(inpatient / 2 - 4);
        // The row caption's column starts where the group caption's ends.
        if (shown)
            AddRowCaption(parent, rowCaption, place(Twips(720, slotTop + 30, 240 + shift, 900)),
                          CaptionsAcross(kind_));
        for (int line = 0; line < 2; ++line) {
            const int index = inpatient + line;
            const bool lineShown = shown && (line == 1 || kind_.inpatient);
            // The outpatient-only kinds show one 請求 line centred in the row.
            const int top = kind_.inpatient ? slotTop + 480 * line : slotTop + 240;
            const QString lineCaption = !kind_.inpatient ? QStringLiteral("請求")
                                        : line == 0      ? QStringLiteral("入院")
                                                         : QStringLiteral("入院外");
            if (lineShown) {
                auto* label = new VerticalLabel(lineCaption, parent);
                label->setGeometry(column(Twips(960, top - 105, 270, 480)));
            }
            const QString prefix = group + u' ' + Plain(rowCaption) + u' ' + lineCaption + u' ';
            for (size_t c = 0; c < kGridColumns.size(); ++c) {
                const GridColumn& grid = kGridColumns[c];
                const bool food = c >= 4;
                if (food && !kind_.food)
                    continue;
                const int nudge = page == 1 && c < 3 ? 5 : 0;
                const QString heading =
                    food ? QStringList{"食事件数", "回数", "金額", "標準負担額"}.at(c - 4)
                         : QStringList{"件数", Plain(kind_.daysTitle), "点数", "一部負担金"}.at(c);
                QLineEdit* box = AddBox(parent, QString::fromUtf8(grid.array), index,
                                        column(Twips(grid.left + nudge, top, grid.width, 270)),
                                        prefix + heading);
                box->setVisible(lineShown && !(food && line == 1));
            }
        }
    }
}

} // namespace tabulon
