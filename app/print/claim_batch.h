#pragma once

// Printing every claim of the processing month into one document: medical
// claims first, then dental, then pharmacy, each pass in insurer order.

#include <QString>

namespace tabulon {

// 請求書一括印刷 of the claim list: "請求書データが入力されていません。" when the
// month has no claim, else the batch over the month's claim query.
void PrintClaimsOfMonth();

// The batch over `claimQuery` ("SELECT * From T_請求書 Where 年月 = '…'"): one
// page per stored claim, each on its own layout, filled from the row.
void PrintClaimBatchOf(const QString& claimQuery);

} // namespace tabulon
