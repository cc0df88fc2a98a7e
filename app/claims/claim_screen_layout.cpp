// Builds the controls of an entry screen from the kind's data. Positions are
// in layout units (1/1440 inch, 15 to a pixel): left, top, width, height.

#include "claim_columns.h"
#include "claim_screen.h"
#include "helpers/key_filters.h"
#include "vertical_label.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <array>

namespace tabulon {

namespace {

QRect Twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

// A box that puts the caret at the start of its text when it gets the focus,
// without selecting it, as the figure boxes do.
class FigureBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        deselect();
        setCursorPosition(0);
    }
};

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

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& twips,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(twips);
    label->setAlignment(align);
    label->setWordWrap(true);
    return label;
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

QString PageTitle(int page) {
    return page == 0 ? QStringLiteral("一般被保険者") : QStringLiteral("退職者医療");
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

void ClaimScreen::BuildControls() {
    const int width = kind_.code == 1 ? 11370 : 11145;
    setFixedSize(width / 15, 7815 / 15);
    BuildHeader();
    BuildSideBoxes();
    BuildButtons();
    if (kind_.retired) {
        tabs_ = new QTabWidget(this);
        tabs_->setObjectName(QStringLiteral("SSTab1"));
        // Without the food block the control leaves room for the right-hand buttons.
        tabs_->setGeometry(Twips(120, 1440, kind_.food ? 9510 : 9285, 6135));
        for (int page = 0; page < 2; ++page) {
            auto* content = new QWidget;
            content->setObjectName(QStringLiteral("SSTab1Page%1").arg(page));
            tabs_->addTab(content, PageTitle(page));
        }
        // Positions inside the pages are measured from the tab control's corner.
        const QPoint origin(-2, -tabs_->tabBar()->sizeHint().height() - 2);
        for (int page = 0; page < 2; ++page)
            BuildGrid(tabs_->widget(page), origin, page);
        connect(tabs_, &QTabWidget::tabBarClicked, this, [this](int page) {
            if (page < 0)
                return;
            tabs_->setCurrentIndex(page);
            FocusBox({CareArrays().front(), FirstRowIndex(kind_, page)});
        });
    } else {
        const int firstLineTop = kind_.code == 6 ? 3120 : 3240;
        BuildGrid(this, QPoint(120 / 15, (firstLineTop - 1200) / 15), 0);
    }
}

void ClaimScreen::BuildHeader() {
    QLabel* title = AddLabel(this, QString::fromUtf8(kind_.title), Twips(240, 360, 3375, 375));
    title->setObjectName(QStringLiteral("lblMidasi"));
    QFont font = title->font();
    font.setPointSizeF(14.25);
    title->setFont(font);

    // The header row: above the tab control on the paged screens, lower on the others.
    const bool paged = kind_.retired;
    const int captionTop = paged ? 360 : 1200;
    const int boxTop = paged ? 720 : 1440;
    const int bangouLeft = paged ? 5520 : 1320;
    const int kenLeft = bangouLeft + 1440;
    const int sinryoukaLeft = kenLeft + (paged ? 1200 : 1080);
    const Qt::Alignment centre = Qt::AlignCenter;

    AddLabel(this, QStringLiteral("保険者番号"), Twips(bangouLeft, captionTop, 1335, 255), centre);
    QLineEdit* bangou = AddBox(this, QStringLiteral("txtBangou"), -1,
                               Twips(bangouLeft, boxTop, 1335, 270), QStringLiteral("保険者番号"));
    bangou->setAlignment(Qt::AlignCenter);
    AddLabel(this, QStringLiteral("県番号"), Twips(kenLeft, captionTop, 855, 255), centre);
    AddLabel(this, QStringLiteral("23"), Twips(kenLeft, boxTop, 855, 255), centre);

    QLabel* sinryoukaCaption = AddLabel(this, QStringLiteral("診療科"),
                                        Twips(sinryoukaLeft, captionTop, 855, 255), centre);
    QLineEdit* sinryouka = AddBox(this, QStringLiteral("txtSinryouka"), -1,
                                  Twips(sinryoukaLeft, boxTop, 855, 270), QStringLiteral("診療科"));
    sinryouka->setAlignment(Qt::AlignCenter);
    sinryoukaCaption->setVisible(kind_.sinryouka);
    sinryouka->setVisible(kind_.sinryouka);
}

void ClaimScreen::BuildSideBoxes() {
    const int right = kind_.code == 1 ? 9945 : 9720;
    if (kind_.retired) {
        AddLabel(this, QStringLiteral("①公費"), Twips(right, 2235, 1095, 255));
        AddBox(this, QStringLiteral("txtKouhi"), -1, Twips(right, 2520, 1095, 270),
               QStringLiteral("①公費"));
    } else {
        AddLabel(this, QStringLiteral("件　　　数"), Twips(1800, 5460, 1095, 255), Qt::AlignCenter);
        AddLabel(this, QStringLiteral("原　等"), Twips(960, 5760, 780, 270), Qt::AlignCenter);
        AddBox(this, QStringLiteral("txtKouhi"), -1, Twips(1800, 5760, 1095, 270),
               QStringLiteral("原等件数"));
    }
    QLabel* ubaCaption =
        AddLabel(this, QStringLiteral("②子障母精後"), Twips(right, 3195, 1095, 255));
    QLineEdit* uba = AddBox(this, QStringLiteral("txtUba"), -1, Twips(right, 3480, 1095, 270),
                            QStringLiteral("②子障母精後"));
    ubaCaption->setVisible(kind_.ubaShown);
    uba->setVisible(kind_.ubaShown);
}

void ClaimScreen::BuildButtons() {
    struct Place {
        const char* name;
        const char* caption;
        QRect twips;
    };
    const bool paged = kind_.retired;
    const int column = kind_.code == 1 ? 9825 : 9600;
    const int printLeft = paged ? 9600 : (kind_.code == 2 ? 8760 : 8640);
    const std::array<Place, 4> places{{
        {"cmdSave", "保存", paged ? Twips(column, 5400, 1335, 615) : Twips(6720, 6840, 1335, 615)},
        {"cmdDelete", "削除",
         paged ? Twips(column, 6120, 1335, 615) : Twips(8160, 6840, 1335, 615)},
        {"cmdClose", "閉じる",
         paged ? Twips(column, 6840, 1335, 615) : Twips(9600, 6840, 1335, 615)},
        {"cmdPrint", "請求書印刷",
         paged ? Twips(printLeft, 240, 1335, 615) : Twips(printLeft, 1200, 1335, 615)},
    }};
    for (const Place& place : places) {
        auto* button = new QPushButton(QString::fromUtf8(place.caption), this);
        button->setObjectName(QString::fromUtf8(place.name));
        button->setGeometry(place.twips);
    }
    connect(Button(QStringLiteral("cmdSave")), &QPushButton::clicked, this, &ClaimScreen::Save);
    connect(Button(QStringLiteral("cmdDelete")), &QPushButton::clicked, this, &ClaimScreen::Delete);
    connect(Button(QStringLiteral("cmdClose")), &QPushButton::clicked, this,
            &ClaimScreen::CloseScreen);
    connect(Button(QStringLiteral("cmdPrint")), &QPushButton::clicked, this, &ClaimScreen::Print);
}

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

QLineEdit* ClaimScreen::AddBox(QWidget* parent, const QString& name, int index, const QRect& twips,
                               const QString& accessibleName) {
    QLineEdit* box =
        index < 0 && name != QLatin1String("txtKouhi") && name != QLatin1String("txtUba")
            ? new QLineEdit(parent)
            : new FigureBox(parent);
    box->setObjectName(name);
    box->setGeometry(twips);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setMaxLength(InputLimit(kind_, name));
    box->setAccessibleName(accessibleName);
    if (index >= 0)
        box->setProperty("Index", index); // how printing finds array elements
    new DigitKeyFilter(box);
    box->installEventFilter(this);
    boxes_.insert(BoxKey(name, index), box);
    refs_.insert(box, {name, index});
    return box;
}

void ClaimScreen::SetTabOrder() {
    QList<QWidget*> order{Box(QStringLiteral("txtBangou")), Box(QStringLiteral("txtSinryouka"))};
    for (int i = 0; i <= MaxRowIndex(kind_); ++i) {
        for (const QString& array : CareArrays())
            order << Box(array, i);
        if (kind_.food && i % 2 == 0) {
            for (const QString& array : FoodArrays())
                order << Box(array, i);
        }
    }
    order << Box(QStringLiteral("txtKouhi")) << Box(QStringLiteral("txtUba"));
    for (const char* name : {"cmdSave", "cmdDelete", "cmdClose", "cmdPrint"})
        order << Button(QString::fromUtf8(name));
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

} // namespace tabulon
