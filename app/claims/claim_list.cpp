#include "claim_list.h"

#include "claim_check_hooks.h"
#include "claim_kinds.h"
#include "claim_print_hooks.h"
#include "claim_screen.h"
#include "claim_sql.h"
#include "db/dao.h"
#include "globals.h"
#include "layout_units.h"
#include "mdu_seikyusyo.h"
#include "message_box.h"
#include "messages.h"
#include "modal_screen.h"
#include "tenken_before_print.h"
#include "ui/clerk_keys.h"
#include "ui/list_lines.h"
#include "ui/list_opening.h"
#include "ui/nengetu_label.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <memory>

namespace tabulon {

namespace {

// The list that SeikyuuListReset refills: the one open frmList.
ClaimList* gOpenList = nullptr;

enum Column { kBangou, kSinryouka, kSyurui, kSyoriKubun, kRenban };

// Kind buttons of the institution: general hospitals do medicine and dentistry,
// others the kind of their 種別; an unknown 種別 leaves all six enabled.
bool KindEnabled(int kind) {
    if (IsSougou())
        return kind <= 4;
    if (gSyubetu == QLatin1String("1"))
        return kind == 1 || kind == 2;
    if (gSyubetu == QLatin1String("2"))
        return kind == 3 || kind == 4;
    if (gSyubetu == QLatin1String("3"))
        return kind == 5 || kind == 6;
    return true;
}

} // namespace

void SeikyuuListReset() {
    if (gOpenList)
        gOpenList->Refill();
}

ClaimList::ClaimList(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmList"));
    setWindowTitle(QStringLiteral("請求書と総括表の印刷"));
    setFixedSize(11145 / 15, 7815 / 15);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    BuildControls();
    EnableKindButtons();
    UseClerkKeys(this, EscapeKey::Closes);
    gOpenList = this;
    try {
        Refill();
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        MarkUnloaded(*this);
    }
}

ClaimList::~ClaimList() {
    if (gOpenList == this)
        gOpenList = nullptr;
}

QPushButton* ClaimList::Button(const QString& name) const {
    return findChild<QPushButton*>(name);
}

void ClaimList::BuildControls() {
    QFont listFont = font();
    listFont.setPointSizeF(9.75);

    nengetu_ = MakeNengetuLabel(this, {240, 360, 4800, 360});

    auto* frame = new QGroupBox(QStringLiteral("請求書入力"), this);
    frame->setObjectName(QStringLiteral("fraSeikyuu"));
    frame->setGeometry(Twips(240, 1080, 10575, 5535));

    list_ = new QTreeWidget(frame);
    list_->setObjectName(QStringLiteral("lstSeikyu"));
    list_->setGeometry(Twips(360, 360, 6855, 4935));
    list_->setFont(listFont);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setAccessibleName(QStringLiteral("請求書一覧"));
    list_->setHeaderLabels({QStringLiteral("保険者番号"), QStringLiteral("診療科"),
                            QStringLiteral("    請求書種類"), QStringLiteral("処理区分"),
                            QStringLiteral("連番")});
    list_->setColumnWidth(kBangou, 1200 / 15);
    list_->setColumnWidth(kSinryouka, 800 / 15);
    list_->setColumnWidth(kSyurui, 2200 / 15);
    // The last two columns carry the rest of the claim key, out of sight.
    list_->setColumnHidden(kSyoriKubun, true);
    list_->setColumnHidden(kRenban, true);
    OpenLinesOf(list_, [this] { OpenSelectedClaim(); });

    for (int kind = 1; kind <= 6; ++kind) {
        auto* button = new QPushButton(QString::fromUtf8(ClaimKindOf(kind).name), frame);
        button->setObjectName(QStringLiteral("cmdSeikyuu%1").arg(kind));
        button->setGeometry(Twips(7800, 360 + 840 * (kind - 1), 2415, 735));
        button->setFont(listFont);
        connect(button, &QPushButton::clicked, this, [this, kind] { NewClaim(kind); });
    }

    const auto addButton = [this](const char* name, const char* caption, const QRect& place) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QString::fromUtf8(name));
        button->setGeometry(place);
        return button;
    };
    connect(addButton("cmdTenken", "点検", Twips(2520, 6960, 1455, 615)), &QPushButton::clicked,
            this, [this] { OpenScreen(QStringLiteral("frmTenken"), this); });
    // The month's two print runs check the month first.
    connect(addButton("cmdSoukatuPrint", "総括表(提出用・控)印刷", Twips(4200, 6960, 2535, 615)),
            &QPushButton::clicked, this, [this] {
                if (PrintHooks().printSummaries && GoAheadWithPrinting(this))
                    PrintHooks().printSummaries(*this);
            });
    connect(addButton("cmdSeikyuuPrint", "請求書一括印刷", Twips(6960, 6960, 2050, 615)),
            &QPushButton::clicked, this, [this] {
                if (PrintHooks().printAllClaims && GoAheadWithPrinting(this))
                    PrintHooks().printAllClaims(*this);
            });
    connect(addButton("cmdClose", "閉じる", Twips(9480, 6960, 1335, 615)), &QPushButton::clicked,
            this, [this] { done(QDialog::Accepted); });
}

void ClaimList::EnableKindButtons() {
    for (int kind = 1; kind <= 6; ++kind)
        Button(QStringLiteral("cmdSeikyuu%1").arg(kind))->setEnabled(KindEnabled(kind));
}

void ClaimList::Refill() {
    ShowNengetu(nengetu_);
    ListLines lines;
    std::unique_ptr<Recordset> rs = gDb->OpenRecordset(ClaimListQuery(gNengetu));
    for (; !rs->Eof(); rs->MoveNext()) {
        const QString kind = rs->Fields(QStringLiteral("請求書種類")).Text();
        lines.push_back(std::make_unique<QTreeWidgetItem>(
            QStringList{rs->Fields(QStringLiteral("保険者番号")).Text(),
                        rs->Fields(QStringLiteral("診療科")).Text(), SyuruiName(kind), kind,
                        rs->Fields(QStringLiteral("連番")).Text()}));
    }
    ReplaceLines(list_, std::move(lines));
}

void ClaimList::NewClaim(int kind) {
    CurrentClaim.kind = kind;
    CurrentClaim.EditMode = false;
    ClaimScreen screen(kind, this);
    screen.Button(QStringLiteral("cmdDelete"))->setEnabled(false);
    SetInputLimits(screen, screen.Kind().lastRowIndex);
    OpenModal(screen);
}

void ClaimList::OpenSelectedClaim() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        ShowMessage(msg::kNoClaims, MsgIcon::Exclamation);
        return;
    }
    const QTreeWidgetItem* item = selected.front();
    if (SyuruiName(item->text(kSyoriKubun)).isEmpty())
        return;
    OpenStoredClaim({gNengetu, item->text(kBangou), item->text(kSinryouka),
                     item->text(kSyoriKubun).toInt(), item->text(kRenban).toInt()},
                    this);
}

void RegisterClaimScreens() {
    RegisterClaimCheck();
    RegisterScreen(QStringLiteral("frmList"),
                   [](QWidget* parent) { return std::make_unique<ClaimList>(parent); });
}

} // namespace tabulon
