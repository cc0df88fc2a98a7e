// The controls of frmSoukatu2 and where they stand (layout units: twips).

#include "frm_soukatu2.h"
#include "helpers/key_filters.h"
#include "ui/list_opening.h"
#include "ui/nengetu_label.h"
#include "ui/screen_geometry.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace tabulon {

namespace {

constexpr int kBoxHeight = 345;
constexpr int kGridLeft = 1040;
constexpr int kGroupStep = 4260;
constexpr int kGroupTop = 1080;

struct FigurePlace {
    const char* name;
    const char* heading;
    int offset;
    int width;
};
constexpr FigurePlace kFigures[FigCount] = {
    {"txtKensuu", "件数", 0, 700},
    {"txtJitunisuu", "実日数", 700, 900},
    {"txtTensuu", "点数", 1600, 1300},
    {"txtSyokuji", "食事・生活", 2900, 1300},
};
const char* const kGroupCaptions[] = {"一般被保険者", "退職者", "後期高齢"};

QLabel* Framed(QLabel* label) {
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    return label;
}

struct ListColumn {
    const char* header;
    int width;
};
constexpr ListColumn kHikaeColumns[FrmSoukatu2::kListColumns] = {
    {"保険者番号", 1200},
    {"保険者名", 2000},
    {"診療科", 800},
    {"総括表種類", 1200},
    {"入･一般･件数", 1400},
    {"入･一般･日数", 1400},
    {"入･一般･点数", 1400},
    {"入･一般･食生", 1400},
    {"入･退職･件数", 1400},
    {"入･退職･日数", 1400},
    {"入･退職･点数", 1400},
    {"入･退職･食生", 1400},
    {"入･高齢･件数", 1400},
    {"入･高齢･日数", 1400},
    {"入･高齢･点数", 1400},
    {"入･高齢･食生", 1400},
    {"外･一般･件数", 1400},
    {"外･一般･日数", 1400},
    {"外･一般･点数", 1400},
    {"外･退職･件数", 1400},
    {"外･退職･日数", 1400},
    {"外･退職･点数", 1400},
    {"外･高齢･件数", 1400},
    {"外･高齢･日数", 1400},
    {"外･高齢･点数", 1400},
    {"公費件数　　", 1400},
    {"福祉件数　　", 1400},
    {"総括表種類", 0},
    {"連番", 0},
};

} // namespace

void FrmSoukatu2::BuildControls() {
    const auto header = [this](const char* name, const char* caption, int labelLeft, int labelWidth,
                               int top, int boxWidth, bool digitsOnly = true) {
        const QString text = QString::fromUtf8(caption);
        AddLabel(text, TwipsRect(labelLeft, top, labelWidth, kBoxHeight));
        EntryBox* box =
            AddBox(QString::fromUtf8(name), -1,
                   TwipsRect(labelLeft + labelWidth, top, boxWidth, kBoxHeight), text, digitsOnly);
        connect(box, &EntryBox::EnterPressed, this, [this, box] { OnHeaderEnter(box); });
        return box;
    };
    bangou_ = header("txtBangou", "保険者番号", 240, 1100, 180, 1300);
    sinryouka_ = header("txtSinryouka", "診療科", 2840, 700, 180, 500);
    name_ = header("txtName", "保険者名", 4240, 900, 180, 3600, false);
    // The name is printed on the retained list, which holds Shift_JIS text.
    new ShiftJisKeyFilter(name_);
    kouhi_ = header("txtKouhi", "公　　費", 240, 1100, 630, 900);
    uba_ = header("txtUba", "福　　祉", 2840, 1100, 630, 900);
    nengetu_ = MakeNengetuLabel(this, {5140, 630, 3600, kBoxHeight});
    bangou_->setAlignment(Qt::AlignCenter);
    sinryouka_->setAlignment(Qt::AlignCenter);
    for (EntryBox* box : {kouhi_, uba_}) {
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->SetCaretToStartOnFocus(true);
    }

    QGroupBox* frame =
        AddFrame(QStringLiteral("fraHyoubetu"), QString(), TwipsRect(9000, 90, 2700, 600));
    const char* const captions[] = {"医", "歯", "調"};
    for (int kind = 0; kind < 3; ++kind) {
        QRadioButton* option =
            AddOption(frame, QStringLiteral("optHyoubetu"), kind, QString::fromUtf8(captions[kind]),
                      TwipsRect(180 + kind * 840, 150, 720, 360));
        connect(option, &QRadioButton::toggled, this, [this, kind](bool checked) {
            if (checked)
                OnOption(kind + 1);
        });
    }

    const int headingTop = kGroupTop + 360;
    const int inTop = headingTop + 360;
    const int outTop = inTop + 360;
    Framed(AddLabel(QStringLiteral("入　院"), TwipsRect(240, inTop, 780, kBoxHeight),
                    Qt::AlignCenter));
    Framed(AddLabel(QStringLiteral("入院外"), TwipsRect(240, outTop, 780, kBoxHeight),
                    Qt::AlignCenter));
    for (int group = 0; group < 3; ++group) {
        const int left = kGridLeft + group * kGroupStep;
        const QString groupCaption = QString::fromUtf8(kGroupCaptions[group]);
        Framed(
            AddLabel(groupCaption, TwipsRect(left, kGroupTop, 4200, kBoxHeight), Qt::AlignCenter));
        for (int figure = 0; figure < FigCount; ++figure) {
            const FigurePlace& place = kFigures[figure];
            const QString heading = QString::fromUtf8(place.heading);
            Framed(AddLabel(heading,
                            TwipsRect(left + place.offset, headingTop, place.width, kBoxHeight),
                            Qt::AlignCenter));
            for (int care = 0; care < 2; ++care) {
                const int index = care * 3 + group;
                EntryBox* box =
                    AddBox(QString::fromUtf8(place.name), index,
                           TwipsRect(left + place.offset, care == 0 ? inTop : outTop, place.width,
                                     kBoxHeight),
                           groupCaption +
                               (care == 0 ? QStringLiteral(" 入院 ") : QStringLiteral(" 入院外 ")) +
                               heading);
                box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                box->SetCaretToStartOnFocus(true);
                const auto id = static_cast<SummaryFigure>(figure);
                connect(box, &EntryBox::EnterPressed, this,
                        [this, id, index] { OnEnter(id, index); });
                figures_[figure][index] = box;
            }
        }
    }
    for (int index = 3; index < kSummaryBoxes; ++index)
        SetBoxUsable(figures_[FigSyokuji][index], false, false);

    const int buttonTop = outTop + 540;
    save_ = AddButton(QStringLiteral("cmdSave"), QStringLiteral("追加"),
                      TwipsRect(240, buttonTop, 1200, 480));
    delete_ = AddButton(QStringLiteral("cmdDelete"), QStringLiteral("削除"),
                        TwipsRect(1560, buttonTop, 1200, 480));
    QPushButton* cancel = AddButton(QStringLiteral("cmdCancel"), QStringLiteral("ｷｬﾝｾﾙ"),
                                    TwipsRect(2880, buttonTop, 1200, 480));
    QPushButton* print =
        AddButton(QStringLiteral("cmdPrint"), QStringLiteral("総括表(提出用・控)印刷"),
                  TwipsRect(4800, buttonTop, 3300, 480));
    QPushButton* closeButton = AddButton(QStringLiteral("cmdClose"), QStringLiteral("閉じる"),
                                         TwipsRect(12600, buttonTop, 1200, 480));
    connect(save_, &QPushButton::clicked, this, [this] { Save(); });
    connect(delete_, &QPushButton::clicked, this, [this] { DeleteLine(); });
    connect(cancel, &QPushButton::clicked, this, [this] { CancelEdit(); });
    connect(print, &QPushButton::clicked, this, [this] { PrintAll(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { OnClose(); });

    BuildList();
    PlaceTwips(list_, 240, buttonTop + 660, 13620, 8400 - buttonTop - 660);
    Option(0)->setChecked(true);
}

void FrmSoukatu2::BuildList() {
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lstHikae"));
    list_->setAccessibleName(QStringLiteral("総括表（控）"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(false);
    list_->setColumnCount(kListColumns);
    auto* headerItem = new QTreeWidgetItem;
    for (int c = 0; c < kListColumns; ++c) {
        headerItem->setText(c, QString::fromUtf8(kHikaeColumns[c].header));
        headerItem->setTextAlignment(c, c < 4 ? Qt::AlignLeft | Qt::AlignVCenter
                                              : Qt::AlignRight | Qt::AlignVCenter);
    }
    list_->setHeaderItem(headerItem);
    for (int c = 0; c < kListColumns; ++c) {
        list_->setColumnWidth(c, TwipsToPixels(kHikaeColumns[c].width));
        list_->setColumnHidden(c, kHikaeColumns[c].width == 0);
    }
    OpenLinesOf(list_, [this] { OpenSelectedLine(); });
}

} // namespace tabulon
