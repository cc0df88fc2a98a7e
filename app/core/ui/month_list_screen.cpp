#include "ui/month_list_screen.h"

#include "ui/clerk_keys.h"
#include "ui/controls.h"
#include "ui/reporting_errors.h"
#include "ui/year_month_lists.h"

#include <QComboBox>

namespace tabulon {

MonthListScreen::MonthListScreen(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    UseClerkKeys(this, EscapeKey::Ignored);
}

void MonthListScreen::buildMonthRow(const QString& caption, int top,
                                    const QString& accessiblePrefix) {
    MakeLabel(this, "lblNengetu", caption, {300, top + 30, 1560, 360});
    MakeLabel(this, "lblHeisei", QStringLiteral("平成"), {1920, top + 30, 480, 360});
    cboYear_ =
        MakeCombo(this, "cboYear", accessiblePrefix + QStringLiteral(" 年"), {2400, top, 900, 420});
    MakeLabel(this, "lblYear", QStringLiteral("年"), {3360, top + 30, 300, 360});
    cboMonth_ = MakeCombo(this, "cboMonth", accessiblePrefix + QStringLiteral(" 月"),
                          {3720, top, 900, 420});
    MakeLabel(this, "lblMonth", QStringLiteral("月"), {4680, top + 30, 300, 360});
    connect(cboYear_, &QComboBox::activated, this, &MonthListScreen::onYearClicked);
}

bool MonthListScreen::fillLists() {
    const QStringList years = StoredYears();
    FillAndSelectLast(cboYear_, years);
    FillAndSelectLast(cboMonth_, years.isEmpty() ? QStringList()
                                                 : StoredMonths(cboYear_->currentText(), true));
    return !years.isEmpty();
}

void MonthListScreen::onYearClicked() {
    ReportingErrors(
        [this] { FillAndSelectLast(cboMonth_, StoredMonths(cboYear_->currentText(), false)); });
}

} // namespace tabulon
