#pragma once

// The four print runs with their document titles and layouts. What goes on
// the pages is given by the caller: a fill routine sets the fields of one
// page (the run outputs it), a page routine outputs its own pages.

#include "print_run.h"

#include <QString>
#include <functional>

namespace tabulon {

// Sets the fields of one page; the run calls PrintPage afterwards.
using PageFill = std::function<void(ReportForm& form)>;
// Outputs its own pages on the open form, checking each PrintPage. On a
// failure it shows its own message, calls AbortDoc and CloseForm itself and
// returns false: the run then stops.
using PageRoutine = std::function<bool(ReportEngine& engine, ReportForm& form)>;
// The retained list, called once per summary-table kind "1", "2", "3".
using ListRoutine =
    std::function<bool(ReportEngine& engine, ReportForm& form, const QString& tableKind)>;

// A document of pages on one layout: `pages` fills and outputs them through
// the run (false once it failed); the preview follows. True when the
// document was finished.
bool PrintOnOneLayout(const QString& title, const QString& layoutName,
                      const std::function<bool(PrintRun& run, ReportForm& form)>& pages);
// One claim form; the document is titled with the kind name ("医科（一般・退職）").
// True when the document was finished.
bool PrintClaim(const QString& layoutName, const QString& kindName, const PageFill& fill);
// The summary table of the summary screen: "soukatu3.qvf" for the mark "薬",
// else "soukatu1.qvf"; document "総括表1".
void PrintSoukatu(const QString& mark, const PageFill& fill);
// All summary tables of the month and the retained list, document "総括表2":
// medical and dental on "soukatu1.qvf", pharmacy on "soukatu3.qvf", the list
// on "soukatu2.qvf".
void PrintSoukatuAll(const PageRoutine& medDental, const PageRoutine& pharmacy,
                     const ListRoutine& list);
// Every claim of the month, document "請求書一括": `pages` calls
// PrintBatchPage once per claim and stops when it returns false. The screen
// shows the hourglass until the document is finished; the preview has the
// normal pointer.
void PrintClaimBatch(const std::function<void(PrintRun& run)>& pages);
// Opens the layout, fills, outputs and closes one page of a batch; false once
// the run has failed.
bool PrintBatchPage(PrintRun& run, const QString& layoutName, const PageFill& fill);

} // namespace tabulon
