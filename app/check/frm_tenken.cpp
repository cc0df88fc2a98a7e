#include "frm_tenken.h"

#include "db/dao.h"
#include "db/db_error.h"
#include "globals.h"
#include "message_box.h"
#include "modal_screen.h"
#include "tenken_hooks.h"
#include "tenken_lines.h"
#include "tenken_source.h"
#include "ui/clerk_keys.h"
#include "ui/controls.h"
#include "ui/list_opening.h"
#include "ui/screen_geometry.h"
#include "wrapping_rows.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace tabulon {

namespace {

constexpr int kFindingRole = Qt::UserRole;

// Column widths in twips: grade, insurer, kind, department, serial, where, finding.
constexpr int kColumnTwips[] = {600, 1100, 2000, 660, 500, 3200, 5600};

} // namespace

TenkenHooks& TenkenScreenHooks() {
    static TenkenHooks hooks;
    return hooks;
}

FrmTenken::FrmTenken(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTenken"));
    setWindowTitle(QStringLiteral("請求前点検"));
    BuildControls();
    UseClerkKeys(this, EscapeKey::Closes);
    FixSizeAndCentre(this, TwipsSize(14400, 7815));
    Recheck();
    list_->setFocus();
}

QPushButton* FrmTenken::Button(const QString& name) const {
    return findChild<QPushButton*>(name);
}

void FrmTenken::BuildControls() {
    count_ = MakeLabel(this, "lblKensuu", {}, {240, 180, 9000, 360});
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lstTenken"));
    PlaceTwips(list_, 240, 600, 13920, 6120);
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setAccessibleName(QStringLiteral("点検の結果"));
    list_->setHeaderLabels(TenkenHeadings());
    for (int c = 0; c < static_cast<int>(std::size(kColumnTwips)); ++c)
        list_->setColumnWidth(c, TwipsToPixels(kColumnTwips[c]));
    WrapRowsOf(list_);
    OpenLinesOf(list_, [this] { OpenSelectedFinding(); });

    QPushButton* print =
        MakeButton(this, "cmdPrint", QStringLiteral("点検リスト印刷"), {9960, 6960, 2535, 615});
    connect(print, &QPushButton::clicked, this, &FrmTenken::PrintList);
    QPushButton* close =
        MakeButton(this, "cmdClose", QStringLiteral("閉じる"), {12825, 6960, 1335, 615});
    connect(close, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
}

void FrmTenken::Recheck() {
    const int current = list_->currentIndex().row();
    list_->clear();
    findings_.clear();
    try {
        findings_ = CheckStoredMonth(*gDb, gNengetu);
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
    }
    QList<QTreeWidgetItem*> items;
    for (qsizetype i = 0; i < findings_.size(); ++i) {
        auto* item = new QTreeWidgetItem(TenkenLine(findings_.at(i)));
        item->setData(0, kFindingRole, static_cast<int>(i));
        if (findings_.at(i).grade == TenkenGrade::Error)
            item->setForeground(0, QColor(Qt::red));
        items << item;
    }
    list_->addTopLevelItems(items);
    const int errors = CountErrors(findings_);
    count_->setText(
        findings_.isEmpty()
            ? QStringLiteral("誤りも確認もありません。")
            : QStringLiteral("誤り %1 件　確認 %2 件").arg(errors).arg(findings_.size() - errors));
    if (!items.isEmpty()) {
        QTreeWidgetItem* keep =
            list_->topLevelItem(qBound(0, current, list_->topLevelItemCount() - 1));
        list_->setCurrentItem(keep);
    }
}

void FrmTenken::OpenSelectedFinding() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    const TenkenFinding finding = findings_.value(selected.front()->data(0, kFindingRole).toInt());
    switch (finding.subject) {
    case TenkenSubject::Claim:
        if (!TenkenScreenHooks().openClaim)
            return;
        TenkenScreenHooks().openClaim(finding, this);
        break;
    case TenkenSubject::SummaryLine:
    case TenkenSubject::LinesTotal:
        // The stored summary lines are typed and corrected on frmSoukatu2.
        if (OpenScreen(QStringLiteral("frmSoukatu2"), this) < 0)
            return;
        break;
    case TenkenSubject::MonthTotal:
        // A month's total has no screen of its own: its claims are on the list.
        return;
    }
    Recheck();
}

void FrmTenken::PrintList() {
    if (!TenkenScreenHooks().printList)
        return;
    QList<QStringList> lines;
    for (const TenkenFinding& f : findings_)
        lines << TenkenLine(f);
    TenkenScreenHooks().printList(lines);
}

void RegisterTenkenScreen() {
    RegisterScreen(QStringLiteral("frmTenken"),
                   [](QWidget* parent) { return std::make_unique<FrmTenken>(parent); });
}

} // namespace tabulon
