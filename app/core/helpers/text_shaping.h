#pragma once

// Shaping of values for fixed-width print fields and payloads. A figure never
// entered reads as empty text and is shaped like any other text.

#include <QString>

namespace tabulon {

// The value cut to its first n bytes in Shift_JIS. A double-byte character
// that would be cut in half is dropped whole; a character without a Shift_JIS
// code counts as two bytes and is kept as it is.
QString LeftBytes(const QString& value, int n);

// The rightmost n characters of "0000000000" followed by the value (so widths
// up to 10 are padded with zeros).
QString ZeroPad(const QString& value, int n);
QString ZeroPad(qint64 value, int n);

} // namespace tabulon
