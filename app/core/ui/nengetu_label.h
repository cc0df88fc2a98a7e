#pragma once

// The processing month on the month's screens, "処理年月　平成38年11月", so
// the clerk always sees which month she is typing or printing.

#include "ui/controls.h"

class QLabel;

namespace tabulon {

// A label named lblSyoriNengetu at that place, showing gNengetu.
QLabel* MakeNengetuLabel(QWidget* parent, TwipRect at);
// Shows gNengetu in that label again, for a screen whose month has changed.
void ShowNengetu(QLabel* label);

} // namespace tabulon
