#include "tenken_before_print.h"

#include "db/dao.h"
#include "db/db_error.h"
#include "globals.h"
#include "message_box.h"
#include "modal_screen.h"
#include "tenken_source.h"

namespace tabulon {

namespace {

// The errors of what the claim list prints: its claims and their month's
// totals; the stored summary lines print from their own screen.
int ErrorsInClaims(const QList<TenkenFinding>& findings) {
    int errors = 0;
    for (const TenkenFinding& f : findings)
        errors += f.grade == TenkenGrade::Error &&
                  (f.subject == TenkenSubject::Claim || f.subject == TenkenSubject::MonthTotal);
    return errors;
}

} // namespace

bool GoAheadWithPrinting(QWidget* parent) {
    int errors = 0;
    try {
        errors = ErrorsInClaims(CheckStoredMonth(*gDb, gNengetu));
    } catch (const DbError&) {
        // The run reads the same tables and reports the failure itself.
        return true;
    }
    if (errors == 0)
        return true;
    const QString question =
        QStringLiteral("点検で誤りが %1 件見つかりました。このまま印刷しますか？").arg(errors);
    if (ShowMessage(question, MsgIcon::Question, MsgButtons::OkCancel) == MsgAnswer::Ok)
        return true;
    OpenScreen(QStringLiteral("frmTenken"), parent);
    return false;
}

} // namespace tabulon
