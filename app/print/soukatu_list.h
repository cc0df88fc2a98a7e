#pragma once

// The retained list (控) of the summary tables: one line per line of
// WK_総括表明細 of one table kind, 25 lines a page, with the 公費 and 福祉 totals
// of the kind at the foot of its last page.

#include <QString>

namespace tabulon {

class ReportEngine;
class ReportForm;

// Prints the list pages of table kind "1", "2" or "3" on the open
// soukatu2.qvf form; nothing when the kind has no line. On a failure it
// reports it, abandons the document, closes the form and returns false.
bool PrintSoukatuList(ReportEngine& engine, ReportForm& form, const QString& tableKind);

} // namespace tabulon
