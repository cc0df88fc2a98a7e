#include "ui/frm_copy.h"

#include "globals.h"
#include "helpers/key_filters.h"
#include "helpers/register_nengetu.h"
#include "message_box.h"
#include "messages.h"
#include "ui/controls.h"
#include "ui/month_check.h"
#include "ui/month_data.h"
#include "ui/reporting_errors.h"
#include "ui/screen_geometry.h"
#include "ui/year_month_lists.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tabulon {

FrmCopy::FrmCopy(QWidget* parent) : MonthListScreen(parent) {
    setObjectName(QStringLiteral("frmCopy"));
    setWindowTitle(QStringLiteral("コピー"));
    buildMonthRow(QStringLiteral("コピー元年月"), 300, QStringLiteral("コピー元年月"));

    MakeLabel(this, "lblSaki", QStringLiteral("コピー先年月"), {300, 1050, 1560, 360});
    MakeLabel(this, "lblSakiHeisei", QStringLiteral("平成"), {1920, 1050, 480, 360});
    txtYear_ = MakeTextBox(this, "txtYear", QStringLiteral("コピー先年月 年"),
                           {2400, 1020, 900, 420}, 2, true);
    MakeLabel(this, "lblSakiYear", QStringLiteral("年"), {3360, 1050, 300, 360});
    txtMonth_ = MakeTextBox(this, "txtMonth", QStringLiteral("コピー先年月 月"),
                            {3720, 1020, 900, 420}, 2, true);
    TakeFullWidthDigits(txtYear_);
    TakeFullWidthDigits(txtMonth_);
    MakeLabel(this, "lblSakiMonth", QStringLiteral("月"), {4680, 1050, 300, 360});

    cmdCopy_ = MakeButton(this, "cmdCopy", QStringLiteral("コピー"), {1020, 1860, 1500, 540});
    QPushButton* close =
        MakeButton(this, "cmdClose", QStringLiteral("閉じる"), {2820, 1860, 1500, 540});
    connect(cmdCopy_, &QPushButton::clicked, this, &FrmCopy::onCopy);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    FixSizeAndCentre(this, TwipsSize(5400, 2760));
    txtYear_->setText(gZengetu.mid(1, 2));
    txtMonth_->setText(gZengetu.mid(3, 2));
    ReportingErrors([this] { loadLists(); });
}

void FrmCopy::loadLists() {
    if (fillLists())
        return;
    for (QWidget* control :
         std::initializer_list<QWidget*>{cboYear_, cboMonth_, txtYear_, txtMonth_, cmdCopy_})
        control->setEnabled(false);
}

int FrmCopy::checkData() {
    for (QWidget* box : {static_cast<QWidget*>(cboYear_), static_cast<QWidget*>(cboMonth_),
                         static_cast<QWidget*>(txtYear_), static_cast<QWidget*>(txtMonth_)}) {
        if (const int code = ComboCheck(box))
            return code;
    }
    const int source = DateCheck(cboYear_->currentText(), cboMonth_->currentText());
    const int target = DateCheck(txtYear_->text(), txtMonth_->text());
    int code = kMonthOk;
    if (source == kBadDate)
        code = 3;
    else if (source == kFuture)
        code = 5;
    else if (target == kBadDate)
        code = 4;
    else if (target == kFuture)
        code = 6;
    const bool sourceWrong = code == 3 || code == 5;
    const bool targetWrong = code == 4 || code == 6;
    SetBoxBackground(cboYear_, sourceWrong);
    SetBoxBackground(cboMonth_, sourceWrong);
    SetBoxBackground(txtYear_, targetWrong);
    SetBoxBackground(txtMonth_, targetWrong);
    return code;
}

void FrmCopy::onCopy() {
    const int check = checkData();
    if (check != kMonthOk) {
        // Codes 3 to 6 name the pair; the message is that of the date check.
        ShowMonthCheckMessage(check <= kMissing ? check : (check <= 4 ? kBadDate : kFuture));
        return;
    }
    const QString source = MonthKey(cboYear_->currentText(), cboMonth_->currentText());
    gNengetu = MonthKey(txtYear_->text(), txtMonth_->text());
    if (source == gToday.mid(1, 4) || source == gZengetu.mid(1, 4)) {
        ShowMessage(msg::kCopySourceIsCurrentMonth, MsgIcon::Exclamation);
        return;
    }
    if (source == gNengetu) {
        ShowMessage(msg::kCopySourceSameAsTarget, MsgIcon::Exclamation);
        return;
    }
    ReportingErrors([this, &source] {
        const int status = CopyMonth(source, gNengetu);
        if (CopySucceeded(status)) {
            ShowMessage(msg::kCopyDone, MsgIcon::Information);
            RegisterNengetu();
            loadLists();
        } else {
            ShowMessage(status == kCopiedNothing ? msg::kCopyTargetHasData : msg::kCopySourceEmpty,
                        MsgIcon::Exclamation);
        }
    });
}

} // namespace tabulon
