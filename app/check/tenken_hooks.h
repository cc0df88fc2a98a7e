#pragma once

// What the check screen takes from the libraries above it: the claim list
// opens a claim on its entry screen and names kinds and boxes as the screens
// do, the printing library prints the list. A hook that is not set leaves the
// screen with plain names and without that action.

#include "mdu_tenken.h"

#include <QStringList>
#include <functional>

class QWidget;

namespace tabulon {

struct TenkenHooks {
    // Opens the claim of the finding on its entry screen, modally.
    std::function<void(const TenkenFinding&, QWidget* parent)> openClaim;
    // The kind name of claim kind 1..6, as the claim list shows it.
    std::function<QString(int kind)> claimKindName;
    // The caption of a claim's box (control array and RowIndex) as on its screen.
    std::function<QString(int kind, const QString& box, int index)> boxCaption;
    // Prints the lines of the list as "点検リスト".
    std::function<void(const QList<QStringList>& lines)> printList;
};

TenkenHooks& TenkenScreenHooks();

} // namespace tabulon
