#pragma once

// Paints one page of a form: the layout's static items, the flag items that
// are switched on, the text fields and the QR symbols.

#include "field_state.h"
#include "layout.h"
#include "qr_symbol.h"

#include <vector>

class QPainter;

namespace tabulon {

// Makes the QR symbols of the page (one per QR field, empty when the field
// prints nothing) at `dpi`. Returns 0 or the first failing symbol's status,
// with `error` naming the field. `fields` runs parallel to layout.fields.
int MakePageSymbols(const Layout& layout, const std::vector<FieldState>& fields, int dpi,
                    std::vector<QRSymbol>& symbols, QString& error);

void PaintPage(QPainter& painter, const Layout& layout, const std::vector<FieldState>& fields,
               const std::vector<QRSymbol>& symbols);

} // namespace tabulon
