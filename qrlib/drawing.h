#pragma once

#include "QvBarQR.h"
#include "module_matrix.h"

#include <cstdint>

namespace qvbarqr {

inline constexpr int64_t kUnitsPerInch = 1440000;
inline constexpr int kDefaultDpi = 600;

// Device pixels of a length in 1/1,440,000 inch, truncated toward zero.
int64_t toPixels(int64_t length, int dpi);

// The length whose pixel count at `dpi` is `pixels`, found by stepping up from
// the estimate (at most 50,000 steps); when the steps pass over that count,
// the first length that maps above it.
int64_t lengthOfPixels(int64_t pixels, int dpi);

struct Resolution {
    int x;
    int y;
};

// Resolution from dpiX/dpiY (dpiMode 1) or from the device. Throws CQRErr 4
// when the device must be asked and the drawing target cannot answer.
Resolution resolutionOf(const QRDrawInfo& info);

// Module size in pixels that fits `box` length units over n modules (at least 1).
int moduleSizeFromBox(int box, int n, int dpi);

// Draws the dark modules on info.hdc, bracketed by SaveDC and RestoreDC, and
// writes outWidth and outHeight. Throws CQRErr 4 without a usable target.
void drawSymbol(const ModuleMatrix& modules, QRDrawInfo& info);

} // namespace qvbarqr
