// The controls of frmSoukatu and where they stand (layout units: twips).

#include "frm_soukatu.h"
#include "ui/controls.h"
#include "ui/nengetu_label.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace tabulon {

namespace {

constexpr int kLeft = 240;
constexpr int kHeaderTop = 840;
constexpr int kRowTop = 1200;
constexpr int kRowHeight = 360;
constexpr int kBoxHeight = 345;
constexpr int kCaptionGap = 8; // pixels between a caption and its box

struct ColumnPlace {
    const char* name;
    const char* heading;
    const char* accessible;
    int left;
    int width;
};
constexpr ColumnPlace kColumns[] = {
    {"txtKensuu", "件　　数", "件数", 2640, 900},
    {"txtJitunisuu", "実 日 数", "実日数", 3540, 1100},
    {"txtTensuu", "点　　数", "点数", 4640, 1500},
    {"txtSyokuji", "食事療養・生活療養", "食事療養・生活療養", 6140, 1900},
};
constexpr int kGroupLeft = kLeft;
constexpr int kGroupWidth = 1600;
constexpr int kCareLeft = kGroupLeft + kGroupWidth;
constexpr int kCareWidth = 800;

const char* const kGroupHeadings[] = {"　一　　　　般", "　退職者", "　後　　　期\n　高　　　齢",
                                      "　合　　　計"};
const char* const kGroupNames[] = {"一般", "退職者", "後期高齢", "合計"};

QLabel* Framed(QLabel* label) {
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    return label;
}

} // namespace

void FrmSoukatu::BuildControls() {
    QGroupBox* frame =
        AddFrame(QStringLiteral("fraHyoubetu"), QString(), TwipsRect(kLeft, 90, 2700, 600));
    const char* const captions[] = {"医", "歯", "調"};
    for (int kind = 0; kind < 3; ++kind) {
        QRadioButton* option =
            AddOption(frame, QStringLiteral("optHyoubetu"), kind, QString::fromUtf8(captions[kind]),
                      TwipsRect(180 + kind * 840, 150, 720, 360));
        connect(option, &QRadioButton::toggled, this, [this, kind](bool checked) {
            if (checked)
                OnOption(kind);
        });
    }
    AddLabel(QStringLiteral("＊ 調剤データは「入院外」の欄に入力してください"),
             TwipsRect(3120, 240, 4920, 360));

    // In the grid's empty corner, left of the column headings.
    MakeNengetuLabel(this, {kLeft, kHeaderTop, kColumns[0].left - kLeft, kBoxHeight});
    for (const ColumnPlace& c : kColumns)
        Framed(AddLabel(QString::fromUtf8(c.heading),
                        TwipsRect(c.left, kHeaderTop, c.width, kBoxHeight), Qt::AlignCenter));

    for (int group = 0; group < 4; ++group) {
        Framed(AddLabel(QString::fromUtf8(kGroupHeadings[group]),
                        TwipsRect(kGroupLeft, kRowTop + 2 * group * kRowHeight, kGroupWidth,
                                  2 * kRowHeight - (kRowHeight - kBoxHeight))));
    }
    for (int row = 0; row < kRows; ++row) {
        const int top = kRowTop + row * kRowHeight;
        const bool inpatient = row % 2 == 0;
        const QString care = inpatient ? QStringLiteral("入院") : QStringLiteral("入院外");
        Framed(AddLabel(inpatient ? QStringLiteral("入　院") : QStringLiteral("入院外"),
                        TwipsRect(kCareLeft, top, kCareWidth, kBoxHeight), Qt::AlignCenter));
        for (int c = 0; c < ColumnCount; ++c) {
            const ColumnPlace& place = kColumns[c];
            EntryBox* box =
                AddBox(QString::fromUtf8(place.name), row,
                       TwipsRect(place.left, top, place.width, kBoxHeight),
                       QString::fromUtf8(kGroupNames[row / 2]) + QLatin1Char(' ') + care +
                           QLatin1Char(' ') + QString::fromUtf8(place.accessible));
            box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            box->SetCaretToStartOnFocus(true);
            const auto column = static_cast<ColumnId>(c);
            columns_[c][row] = box;
            connect(box, &EntryBox::textChanged, this, [this, column] { UpdateTotals(column); });
            connect(box, &EntryBox::EnterPressed, this,
                    [this, column, row] { OnEnter(column, row); });
            if (row >= kTotalIn) { // totals: shown, never typed
                box->setReadOnly(true);
                box->SetBackColour(ButtonFaceColour());
            }
        }
        if (!inpatient)
            SetBoxUsable(columns_[Syokuji][row], false, false);
    }

    const int extraTop = kRowTop + kRows * kRowHeight + 240;
    const QString kouhiCaption = QStringLiteral("(1) 公　　　費");
    const QString fukusiCaption = QStringLiteral("(2) 福　祉（子　障　母　精　後）");
    QLabel* kouhiLabel = AddLabel(kouhiCaption, TwipsRect(kLeft, extraTop, 3000, kBoxHeight));
    QLabel* fukusiLabel =
        AddLabel(fukusiCaption, TwipsRect(kLeft, extraTop + 420, 3000, kBoxHeight));
    // The boxes stand a clear gap right of the longer caption, whatever the font.
    int boxLeft = kouhiLabel->x() + kouhiLabel->width();
    for (QLabel* label : {kouhiLabel, fukusiLabel}) {
        WidenToText(label);
        boxLeft = std::max(boxLeft, label->x() + label->width() + kCaptionGap);
    }
    kouhi_ = AddBox(QStringLiteral("txtKouhi"), -1, TwipsRect(0, extraTop, 900, kBoxHeight),
                    kouhiCaption);
    fukusi_ = AddBox(QStringLiteral("txtFukusi"), -1, TwipsRect(0, extraTop + 420, 900, kBoxHeight),
                     fukusiCaption);
    for (EntryBox* box : {kouhi_, fukusi_}) {
        box->move(boxLeft, box->y());
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->SetCaretToStartOnFocus(true);
    }
    connect(kouhi_, &EntryBox::EnterPressed, this, [this] { MoveFocusTo(fukusi_); });

    QPushButton* print = AddButton(QStringLiteral("cmdPrint"), QStringLiteral("印刷"),
                                   TwipsRect(5640, extraTop + 120, 1100, 480));
    QPushButton* closeButton = AddButton(QStringLiteral("cmdClose"), QStringLiteral("閉じる"),
                                         TwipsRect(6940, extraTop + 120, 1100, 480));
    connect(fukusi_, &EntryBox::EnterPressed, this, [print] { MoveFocusTo(print); });
    connect(print, &QPushButton::clicked, this, [this] { OnPrint(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { OnClose(); });

    Option(0)->setChecked(true);
}

} // namespace tabulon
