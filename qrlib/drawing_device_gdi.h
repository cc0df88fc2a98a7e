#pragma once

#include "QvBarQR.h"

#include <cstdint>
#include <windows.h>

namespace qvbarqr {

static_assert(QVQR_LOGPIXELSX == LOGPIXELSX && QVQR_LOGPIXELSY == LOGPIXELSY);

// Draws on a GDI device context with the pen and brush the caller has
// selected into it: the library selects and creates no object of its own.
class DrawingDevice {
public:
    explicit DrawingDevice(HDC dc) : dc_(dc) {}

    bool canDraw() const { return dc_ != nullptr; }
    bool canTellResolution() const { return dc_ != nullptr; }

    int deviceCaps(int index) const { return GetDeviceCaps(dc_, index); }
    int save() const { return SaveDC(dc_); }
    void restore(int state) const { RestoreDC(dc_, state); }
    void rectangle(int left, int top, int right, int bottom) const {
        Rectangle(dc_, left, top, right, bottom);
    }
    void pixel(int x, int y, uint32_t color) const { SetPixelV(dc_, x, y, color); }

private:
    HDC dc_;
};

} // namespace qvbarqr
