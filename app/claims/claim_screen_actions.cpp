// The buttons of an entry screen: 保存, 削除, 閉じる and the print hook.

#include "claim_print_hooks.h"
#include "claim_screen.h"
#include "db/db_error.h"
#include "globals.h"
#include "insurer_number.h"
#include "mdu_seikyusyo.h"
#include "message_box.h"
#include "messages.h"
#include "ui/typed_entries.h"

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
    SaveAndReport(ClaimSave::OverLoaded);
}

// A claim that another terminal changed or deleted since this screen loaded
// it is not written: the clerk chooses, and the typed entries stay on the
// screen unless the clerk asks for the stored claim.
void ClaimScreen::SaveAndReport(ClaimSave mode) {
    try {
        SaveClaim(*this, mode);
        if (!CurrentClaim.EditMode)
            DataClear();
    } catch (const DbError& e) {
        if (e.Number() == kErrDuplicateKey)
            ShowMessage(ErrorReportText(e.Number(), msg::kBangouRegistered), MsgIcon::Exclamation);
        else if (e.Number() == kErrWriteConflict)
            OfferReload();
        else if (e.Number() == kErrRecordDeleted)
            OfferSaveAsNew();
        else
            ShowErrorReport(e.Number(), e.Description());
        return;
    }
    ShowMessage(msg::kSaved, MsgIcon::Information);
}

void ClaimScreen::OfferReload() {
    if (ShowMessage(msg::kChangedElsewhere.arg(msg::kClaimWord), MsgIcon::Exclamation,
                    MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    try {
        const ClaimKey key{gNengetu, CurrentClaim.bangou, CurrentClaim.sinryouka, CurrentClaim.kind,
                           CurrentClaim.renban};
        LoadSeikyuu(*this, ClaimQuery(key), kind_.lastRowIndex);
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
    }
}

void ClaimScreen::OfferSaveAsNew() {
    if (ShowMessage(msg::kDeletedElsewhere.arg(msg::kClaimWord), MsgIcon::Exclamation,
                    MsgButtons::OkCancel) == MsgAnswer::Ok)
        SaveAndReport(ClaimSave::AsNew);
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
    if (!entries_->MayClose())
        return;
    ResetImeMode(*this, kind_.lastRowIndex);
    done(QDialog::Accepted);
}

// A claim printed from entries that are not saved is on paper but not in the
// data, so it would be missing from the summary table: closing says so.
void ClaimScreen::Print() {
    if (PrintHooks().printClaim && PrintHooks().printClaim(*this) && entries_->Changed())
        entries_->SetCloseNote(msg::kPrintedClaimNotSaved);
}

} // namespace tabulon
