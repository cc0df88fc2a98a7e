#pragma once

// The run of all summary tables of the month with the retained list, and the
// rebuilding of the work table WK_総括表明細 from the month's claims.

namespace tabulon {

// Empties WK_総括表明細 and adds one line per claim of gNengetu from
// Q_総括明細: late-elderly claims (kinds 2, 4, 6) count in the 老人 section, the
// food figure carried is the food amount. Returns false when the table has
// been rebuilt, true after a failure it has reported.
bool BuildSoukatuWork();

// The run "総括表2": the tables of Q_総括表 and the retained list of
// WK_総括表明細 (frmSoukatu2 calls it after copying the month's lines).
void PrintAllSoukatu();

// 総括表(提出用・控)印刷 of the claim list: "請求書データが入力されていません。"
// when the month has no claim, else the work table from the claims and the run.
void PrintSummariesOfMonth();

} // namespace tabulon
