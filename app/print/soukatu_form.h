#pragma once

// The summary table pages: the one table of the summary screen, and the
// month's tables of Q_総括表 (medical and dental on soukatu1.qvf, pharmacy on
// soukatu3.qvf) within the run of all summary tables.

#include <QString>

class QWidget;

namespace tabulon {

class ReportEngine;
class ReportForm;

// 印刷 of frmSoukatu: the kind mark and code from the selected option, gQRText
// from the screen, the run "総括表1", then the total rows back in the
// button-face colour.
void PrintSoukatuScreen(QWidget& screen);

// Fills the page of the summary screen; failures end the run.
void FillSoukatuForm(ReportForm& form, const QWidget& screen, const QString& mark);

// One page per table of kind 1 or 2 (resp. 3) of Q_総括表. On a failure they
// report it, abandon the document, close the form and return false.
bool PrintSoukatuMedDental(ReportEngine& engine, ReportForm& form);
bool PrintSoukatuPharmacy(ReportEngine& engine, ReportForm& form);

// What a page routine does when it meets a failure: the message of the print
// run (an engine status or a run-time error), AbortDoc and CloseForm.
bool AbandonDocument(ReportEngine& engine, ReportForm& form, const QString& message,
                     bool runTimeError);
// The same for the exception being handled.
bool AbandonOnError(ReportEngine& engine, ReportForm& form);

} // namespace tabulon
