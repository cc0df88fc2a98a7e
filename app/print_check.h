#pragma once

// `tabulon --print-check`: the program started without a person, to check an
// installation. Start-up runs as usual (a first start makes the database and
// the settings file); instead of waiting for the clerk it prints the claim
// form of an empty 医科（一般・退職） entry screen into the document folder, as
// 請求書印刷 does, and ends. Screens that would
// open are named on standard output ("screen: frmTouroku") and closed at once,
// message boxes are written to standard error and answered OK.

#include <QStringList>

namespace tabulon {

bool IsPrintCheck(const QStringList& arguments);

// Sets up the screen and message seams for a run without a person.
void PreparePrintCheck();

// Prints, names the document on standard output ("document: PATH") and returns
// the program's exit status: 0 when the document was written.
int RunPrintCheck();

} // namespace tabulon
