#pragma once

// Draws one QR symbol through QvBarQR: the library measures and draws on a
// QvDC whose rectangles are device pixels of the page.

#include <QColor>
#include <QRect>
#include <QString>
#include <utility>
#include <vector>

class QPainter;

namespace tabulon {

struct QRSymbolRequest {
    QString data; // sent as Shift_JIS
    double x = 0; // top-left corner of the box, 0.1 mm
    double y = 0;
    int side = 2500; // side of the box, 0.01 mm
    int ecLevel = 1; // 0 L, 1 M, 2 Q, 3 H
    int model = 2;   // 1 or 2
};

// A symbol measured and drawn by the library, in device pixels, not yet
// painted: a page is only started once all its symbols are made.
struct QRSymbol {
    std::vector<QRect> rects;                      // dark modules, neighbours in a row merged
    std::vector<std::pair<QPoint, QColor>> pixels; // single-pixel modules
    QPoint origin;                                 // the module grid: its corner and
    QSize module;                                  // one module, in pixels
};

// Returns 0, a report status, or the library's result code when it refuses
// the data. `dpi` is the resolution of the device the symbol is for. Every
// drawn symbol is read back (qr_self_check.h); one that does not read as its
// data fails with kReportQRUnreadable or kReportQRWrongData and `error` says
// what was read.
int MakeQRSymbol(const QRSymbolRequest& request, int dpi, QRSymbol& symbol, QString& error);

void PaintQRSymbol(QPainter& painter, const QRSymbol& symbol);

} // namespace tabulon
