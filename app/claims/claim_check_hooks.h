#pragma once

// The claim side of the pre-claim check: frmTenken opens claims on their
// entry screens as the list does, and names kinds and boxes as the screens do.

#include "claim_sql.h"

class QWidget;

namespace tabulon {

// Opens the stored claim of `key` on its entry screen, modally, as the list's
// double click does; with a box named, the screen opens on that box.
void OpenStoredClaim(const ClaimKey& key, QWidget* parent, const QString& box = {}, int index = -1);

// Registers frmTenken and gives it the claim list's opening and names.
void RegisterClaimCheck();

} // namespace tabulon
