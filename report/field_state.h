#pragma once

// What the print routines have set on one field of an open form; Clear puts
// it back to the layout's values.

#include "layout.h"

#include <QString>

namespace tabulon {

struct FieldState {
    QString text;
    bool visible = true; // shown; for a flag field the flag itself
    QString qrData;
    int qrSize = 2500; // 0.01 mm
    int qrOption = 0;  // 0 = the layout's level; 1 to 4 = L, M, Q, H

    static FieldState FromLayout(const LayoutField& field) {
        FieldState s;
        s.text = field.text;
        s.visible = field.visible;
        s.qrSize = field.qrSize;
        return s;
    }
};

} // namespace tabulon
