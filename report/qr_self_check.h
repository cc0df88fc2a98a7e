#pragma once

// Reads every drawn QR symbol back before it reaches a page. The library draws
// the symbol a second time, with the same records, on a bitmap (whole pixels
// per module, a quiet zone of four modules), and zxing-cpp decodes it; the
// symbol passes only when the decoded bytes are exactly the data bytes.

#include "QvBarQR.h"

#include <QByteArray>
#include <QString>

namespace tabulon {

struct QvBarQRLibrary;

// Returns 0, kReportQRUnreadable or kReportQRWrongData (with `error` set), or
// the library's result code when the second drawing fails. `param` and `draw`
// are the records of the page's drawing after it succeeded.
int ReadBackQRSymbol(const QvBarQRLibrary& lib, const QRParam& param, const QRDrawInfo& draw,
                     QString& error);

} // namespace tabulon
