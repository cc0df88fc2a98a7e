#include "ui/frm_delete.h"

#include "globals.h"
#include "message_box.h"
#include "messages.h"
#include "ui/controls.h"
#include "ui/month_check.h"
#include "ui/month_data.h"
#include "ui/reporting_errors.h"
#include "ui/screen_geometry.h"
#include "ui/year_month_lists.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace tabulon {

FrmDelete::FrmDelete(QWidget* parent) : MonthListScreen(parent) {
    setObjectName(QStringLiteral("frmDelete"));
    setWindowTitle(QStringLiteral("削除"));
    MakeLabel(this, "lblHeading", QStringLiteral("指定した年月のデータを削除します"),
              {300, 240, 4800, 360});
    buildMonthRow(QStringLiteral("削除対象年月"), 900, QStringLiteral("削除対象年月"));
    cmdDelete_ = MakeButton(this, "cmdDelete", QStringLiteral("削除"), {1020, 1740, 1500, 540});
    QPushButton* close =
        MakeButton(this, "cmdClose", QStringLiteral("閉じる"), {2820, 1740, 1500, 540});
    connect(cmdDelete_, &QPushButton::clicked, this, &FrmDelete::onDelete);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    FixSizeAndCentre(this, TwipsSize(5400, 2640));
    ReportingErrors([this] { loadLists(); });
}

void FrmDelete::loadLists() {
    cmdDelete_->setEnabled(fillLists());
}

void FrmDelete::onDelete() {
    if (ShowMessage(msg::kConfirmDelete, MsgIcon::Question, MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    if (!CheckYearMonth(cboYear_, cboMonth_))
        return;
    gNengetu = MonthKey(cboYear_->currentText(), cboMonth_->currentText());
    ReportingErrors([this] {
        DeleteMonth(gNengetu);
        loadLists();
        ShowMessage(msg::kDeleted, MsgIcon::Information);
    });
}

} // namespace tabulon
