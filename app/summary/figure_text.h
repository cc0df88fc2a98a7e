#pragma once

// Turning the figures typed in the boxes into numbers and back.

#include <QString>

namespace tabulon {

// The numeric value of the leading digits of a box's text; an empty text, or
// one that does not start with a digit, counts 0.
qlonglong LeadingValue(const QString& text);

// The rightmost `width` characters of the decimal text of `value`.
QString RightDigits(qlonglong value, int width);

// A figure with thousands separators ("#,##0"): 1234567 gives "1,234,567".
QString WithThousands(qlonglong value);

} // namespace tabulon
