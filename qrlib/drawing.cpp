#include "drawing.h"

#include "qr_error.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace qvbarqr {

namespace {

constexpr int kMaxLengthSteps = 50000;

int clampToInt(int64_t v) {
    if (v > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (v < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

int clampToInt(double v) {
    if (!(v < 2147483647.0)) {
        return std::numeric_limits<int>::max();
    }
    if (!(v > -2147483648.0)) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

// Device resolution; a device that reports none is taken as the default.
int deviceDpi(const QvDC& dc, int index) {
    const int dpi = dc.GetDeviceCaps(dc.ctx, index);
    return dpi > 0 ? dpi : kDefaultDpi;
}

struct Rect {
    int64_t left, top, width, height;
};

// Everything that places one module on the device.
struct Layout {
    const ModuleMatrix& m;
    int64_t x0, y0, w, h;
    int orientation;
    int shrinkX, shrinkY;

    bool dark(int i, int j) const {
        return i >= 0 && j >= 0 && i < m.size && j < m.size && m.get(i, j);
    }

    // Rectangle of dark module (i, j), before scaling.
    Rect rect(int i, int j) const {
        Rect r{};
        bool rightDark = false, lowerDark = false;
        switch (orientation) {
        case 2:
            r = {x0 - (i + 1) * w, y0 + j * h, w, h};
            rightDark = dark(i - 1, j);
            lowerDark = dark(i, j + 1);
            break;
        case 3:
            r = {x0 - (j + 1) * w, y0 - (i + 1) * h, w, h};
            rightDark = dark(i, j - 1);
            lowerDark = dark(i - 1, j);
            break;
        case 4:
            r = {x0 + i * w, y0 - (j + 1) * h, w, h};
            rightDark = dark(i + 1, j);
            lowerDark = dark(i, j - 1);
            break;
        default:
            r = {x0 + j * w, y0 + i * h, w, h};
            rightDark = dark(i, j + 1);
            lowerDark = dark(i + 1, j);
            break;
        }
        if (!rightDark && shrinkX < std::llabs(w)) {
            r.width -= shrinkX;
        }
        if (!lowerDark && shrinkY < std::llabs(h)) {
            r.height -= shrinkY;
        }
        return r;
    }
};

int scaled(int64_t edge, int scale) {
    if (scale == 100) {
        return clampToInt(edge);
    }
    return clampToInt(std::round(static_cast<double>(edge) * scale / 100.0));
}

void paint(const QvDC& dc, const Rect& r, const QRDrawInfo& info) {
    const int left = scaled(r.left, info.scale);
    const int top = scaled(r.top, info.scale);
    const int right = scaled(r.left + r.width, info.scale);
    const int bottom = scaled(r.top + r.height, info.scale);
    if (static_cast<int64_t>(right) - left == 1 && static_cast<int64_t>(bottom) - top == 1) {
        dc.SetPixelV(dc.ctx, left, top, info.color);
    } else {
        dc.Rectangle(dc.ctx, left, top, right, bottom);
    }
}

} // namespace

int64_t toPixels(int64_t length, int dpi) {
    return length * dpi / kUnitsPerInch;
}

int64_t lengthOfPixels(int64_t pixels, int dpi) {
    const int64_t product = pixels * kUnitsPerInch;
    int64_t length = product / dpi;
    if ((product % dpi != 0) && ((product < 0) != (dpi < 0))) {
        --length; // floor, not truncation
    }
    for (int step = 0; step < kMaxLengthSteps; ++step, ++length) {
        if (toPixels(length, dpi) >= pixels) {
            return length;
        }
    }
    return length;
}

Resolution resolutionOf(const QRDrawInfo& info) {
    if (info.dpiMode == 1) {
        return {info.dpiX == 0 ? kDefaultDpi : info.dpiX, info.dpiY == 0 ? kDefaultDpi : info.dpiY};
    }
    if (info.hdc == nullptr || info.hdc->GetDeviceCaps == nullptr) {
        throw CQRErr(4);
    }
    return {deviceDpi(*info.hdc, QVQR_LOGPIXELSX), deviceDpi(*info.hdc, QVQR_LOGPIXELSY)};
}

int moduleSizeFromBox(int box, int n, int dpi) {
    const int64_t size = toPixels(box / n, dpi);
    return size == 0 ? 1 : clampToInt(size);
}

void drawSymbol(const ModuleMatrix& m, QRDrawInfo& info) {
    const QvDC* dc = info.hdc;
    if (dc == nullptr || dc->SaveDC == nullptr || dc->RestoreDC == nullptr ||
        dc->Rectangle == nullptr || dc->SetPixelV == nullptr) {
        throw CQRErr(4);
    }
    const Resolution res = resolutionOf(info);
    const int saved = dc->SaveDC(dc->ctx);
    const int n = m.size;
    int w = info.sizeMode == 2 ? moduleSizeFromBox(info.width, n, res.x) : info.moduleW;
    int h = info.sizeMode == 2 ? moduleSizeFromBox(info.height, n, res.y) : info.moduleH;
    w = w == 0 ? 1 : w;
    h = h == 0 ? 1 : h;
    info.outWidth = clampToInt(lengthOfPixels(int64_t{w} * n, res.x));
    info.outHeight = clampToInt(lengthOfPixels(int64_t{h} * n, res.y));

    const Layout layout{m,
                        toPixels(info.left, res.x),
                        toPixels(info.top, res.y),
                        w,
                        h,
                        info.orientation,
                        info.shrinkX,
                        info.shrinkY};
    for (int i = 0; i < n; ++i) {
        for (int w = 0; w < kWordsPerRow; ++w) {
            for (uint64_t dark = m.rows[i][w]; dark != 0; dark &= dark - 1) {
                paint(*dc, layout.rect(i, w * 64 + std::countr_zero(dark)), info);
            }
        }
    }
    if (saved > 0) {
        dc->RestoreDC(dc->ctx, saved);
    }
}

} // namespace qvbarqr
