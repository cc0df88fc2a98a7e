// Builds the grid of an entry screen: group, row and line captions, column
// headings and the control arrays of figure boxes, one set per tab page.

#include "claim_screen.h"
#include "layout_units.h"
#include "vertical_label.h"

#include <QLineEdit>
#include <array>

namespace tabulon {

namespace {

QString Plain(QString caption) {
    return caption.remove(u'　').remove(u' ').remove(u'\n');
}

// A heading too wide for its column, broken in two even lines.
QString FitHeading(const QString& heading, const QWidget* parent, int widthTwips) {
    if (parent->fontMetrics().horizontalAdvance(heading) <= widthTwips / 15)
        return heading;
    const qsizetype half = heading.size() / 2;
    return heading.left(half) + u'\n' + heading.mid(half);
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

// Row captions by kind, page and slot; a "\n" starts a second caption column.
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

    const Qt::Alignment centre = Qt::AlignCenter;
    AddLabel(parent, QStringLiteral("請　求（療養の給付）"), place(Twips(1200, 525, 3615, 240)),
             centre);
    const std::array<Heading, 4> care{{{"件数", 1200, 720},
                                       {kind_.daysTitle, 1920, 720},
                                       {"点　数", 2640, 1200},
                                       {"一部負担金", 3840, 960}}};
    for (const Heading& h : care)
        AddLabel(parent, FitHeading(QString::fromUtf8(h.text), parent, h.width),
                 place(Twips(h.left, 780, h.width, 390)), centre);
    if (!kind_.food)
        return;
    AddLabel(parent, QStringLiteral("請　求（食事療養・生活療養）"),
             place(Twips(4800, 525, 4335, 240)), centre);
    const std::array<Heading, 4> food{
        {{"件数", 4800, 720}, {"回数", 5520, 720}, {"金額", 6240, 960}, {"標準負担額", 7200, 960}}};
    for (const Heading& h : food)
        AddLabel(parent, QString::fromUtf8(h.text), place(Twips(h.left, 780, h.width, 390)),
                 centre);
}

void ClaimScreen::BuildGrid(QWidget* parent, QPoint origin, int page) {
    BuildGridHeadings(parent, origin, page);
    const auto place = [&](const QRect& twips) { return twips.translated(origin); };
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
        if (shown) {
            auto* caption = new VerticalLabel(rowCaption, parent);
            caption->setGeometry(place(Twips(660, slotTop + 30, 300, 900)));
        }
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
                label->setGeometry(place(Twips(960, top - 105, 270, 480)));
            }
            const QString prefix = group + u' ' + Plain(rowCaption) + u' ' + lineCaption + u' ';
            for (size_t c = 0; c < kGridColumns.size(); ++c) {
                const GridColumn& column = kGridColumns[c];
                const bool food = c >= 4;
                if (food && !kind_.food)
                    continue;
                const int shift = page == 1 && c < 3 ? 5 : 0;
                const QString heading =
                    food ? QStringList{"食事件数", "回数", "金額", "標準負担額"}.at(c - 4)
                         : QStringList{"件数", Plain(kind_.daysTitle), "点数", "一部負担金"}.at(c);
                QLineEdit* box = AddBox(parent, QString::fromUtf8(column.array), index,
                                        place(Twips(column.left + shift, top, column.width, 270)),
                                        prefix + heading);
                box->setVisible(lineShown && !(food && line == 1));
            }
        }
    }
}

} // namespace tabulon
