#pragma once

// The print buttons of the summary screens call into the printing library
// through these hooks, which the program sets at start-up (printing links
// below the screens, so it cannot name them). A button does nothing while
// its hook is unset.

#include <functional>

class QDialog;

namespace tabulon {

// 印刷 of frmSoukatu: prints the table on screen. The screen's boxes are
// found by name and index (see SummaryScreen::Control).
using SoukatuPrintHook = std::function<void(QDialog& screen)>;
void SetSoukatuPrintHook(SoukatuPrintHook hook);
const SoukatuPrintHook& SoukatuPrint();

// 総括表(提出用・控)印刷 of frmSoukatu2: the print run over WK_総括表明細,
// called after the screen has copied the month's lines into it.
using SoukatuAllPrintHook = std::function<void()>;
void SetSoukatuAllPrintHook(SoukatuAllPrintHook hook);
const SoukatuAllPrintHook& SoukatuAllPrint();

} // namespace tabulon
