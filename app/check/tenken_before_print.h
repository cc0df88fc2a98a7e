#pragma once

// The month's print runs of the claim list check the month first: with 誤り
// the clerk decides whether to print anyway or to see the findings.

class QWidget;

namespace tabulon {

// True when the run may go on: no 誤り among the claims and their totals, or
// the clerk chose OK. Cancel opens 請求前点検 and gives false.
bool GoAheadWithPrinting(QWidget* parent);

} // namespace tabulon
