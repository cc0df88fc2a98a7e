#pragma once

// Whole-month operations on the stored claims and summary lines. They throw
// DbError. A copy is one transaction on either engine, during which no other
// terminal writes claims or summary lines. A delete on the file leaves the
// statements already run done; on a server shared by several clerks it is one
// transaction, so a failure in the middle leaves nothing half done.

#include <QString>

namespace tabulon {

// Outcome of CopyMonth, as the sum of what was copied.
enum CopyStatus : int {
    kCopiedNothing = 0, // the target already holds its data
    kCopiedClaims = 1,
    kCopiedSummary = 2,
    kCopiedBoth = 3,
    kNoSourceData = 9,
    // No claims in the source, but its summary lines were copied.
    kCopiedSummaryWithoutClaims = kNoSourceData + kCopiedSummary,
};

// Copies the claims of `source` into `target` when the target has none, and
// likewise the summary lines; the target is never overwritten.
int CopyMonth(const QString& source, const QString& target);

// True for every status in which something was copied.
bool CopySucceeded(int status);

// Removes the claims, the summary lines and the registration of a month.
void DeleteMonth(const QString& month);

} // namespace tabulon
