#pragma once

#include <QString>

namespace tabulon {

// The check digit of an insurer number given without it: from the right,
// digits at odd positions doubled, the decimal digits of every product summed,
// and the last digit of 10 - sum mod 10. "23" + three digits + CheckDigit of
// those five gives a six-digit number; "0023" + three digits + the digit of
// those seven an eight-digit one.
QString CheckDigit(const QString& digits);

} // namespace tabulon
