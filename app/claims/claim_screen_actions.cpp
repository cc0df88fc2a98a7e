// The buttons of an entry screen: 保存, 削除, 閉じる and the print hook.

#include "claim_print_hooks.h"
#include "claim_screen.h"
#include "db/db_error.h"
#include "globals.h"
#include "insurer_number.h"
#include "mdu_seikyusyo.h"
#include "message_box.h"
#include "messages.h"

#include <QLineEdit>

namespace tabulon {

ClaimPrintHooks& PrintHooks() {
    static ClaimPrintHooks hooks;
    return hooks;
}

// Tests txtBangou for a save: an empty or wrongly long number is painted red,
// focused and reported; a three-digit number is completed in the box.
bool ClaimScreen::CheckBangouForSave() {
    QLineEdit* bangou = Box(QStringLiteral("txtBangou"));
    const BangouCheck check = CheckBangou(kind_, bangou->text());
    if (check.result != BangouCheck::Result::Ok) {
        SetBoxColor(bangou, Qt::red);
        bangou->setFocus();
        ShowMessage(check.message, MsgIcon::Exclamation);
        return false;
    }
    if (check.expanded)
        bangou->setText(check.bangou);
    return true;
}

void ClaimScreen::Save() {
    if (ShowMessage(msg::kConfirmSave, MsgIcon::Question, MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    if (!CheckBangouForSave())
        return;
    try {
        SaveClaim(*this);
        if (!CurrentClaim.EditMode)
            DataClear();
    } catch (const DbError& e) {
        if (e.Number() == kErrDuplicateKey)
            ShowMessage(ErrorReportText(e.Number(), msg::kBangouRegistered), MsgIcon::Exclamation);
        else
            ShowErrorReport(e.Number(), e.Description());
        return;
    }
    ShowMessage(msg::kSaved, MsgIcon::Information);
}

void ClaimScreen::Delete() {
    if (ShowMessage(msg::kConfirmDelete, MsgIcon::Question, MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    try {
        DeleteClaim(*this);
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return;
    }
    done(QDialog::Accepted);
}

void ClaimScreen::CloseScreen() {
    ResetImeMode(*this, kind_.lastRowIndex);
    done(QDialog::Accepted);
}

void ClaimScreen::Print() {
    if (PrintHooks().printClaim)
        PrintHooks().printClaim(*this);
}

} // namespace tabulon
