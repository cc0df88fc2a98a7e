#pragma once

// The QvDC record that QvBarQR draws through, for a drawing target of the
// report engine. A target says its resolution and how it fills a rectangle
// or sets one pixel; the SaveDC / RestoreDC bookkeeping, which no target of
// ours needs beyond checking the state ids, is kept here once.

#include "QvBarQR.h"

#include <cstdint>

namespace tabulon {

// Target provides int Dpi() const, void FillRect(left, top, right, bottom)
// (right and bottom exclusive) and void SetPixel(x, y, colorref).
template <typename Target> class QvDCFor {
public:
    explicit QvDCFor(Target& target)
        : target_(target), dc_{this, &Caps, &Save, &Restore, &Rect, &Pixel} {}
    QvDCFor(const QvDCFor&) = delete; // the record points at this object
    QvDCFor& operator=(const QvDCFor&) = delete;

    QvDC* dc() { return &dc_; }

private:
    static QvDCFor& Of(void* ctx) { return *static_cast<QvDCFor*>(ctx); }
    static int Caps(void* ctx, int index) {
        return index == QVQR_LOGPIXELSX || index == QVQR_LOGPIXELSY ? Of(ctx).target_.Dpi() : 0;
    }
    static int Save(void* ctx) { return ++Of(ctx).saved_; }
    static int Restore(void* ctx, int state) {
        QvDCFor& self = Of(ctx);
        if (state <= 0 || state > self.saved_)
            return 0;
        self.saved_ = state - 1;
        return 1;
    }
    static int Rect(void* ctx, int left, int top, int right, int bottom) {
        Of(ctx).target_.FillRect(left, top, right, bottom);
        return 1;
    }
    static uint32_t Pixel(void* ctx, int x, int y, uint32_t color) {
        Of(ctx).target_.SetPixel(x, y, color);
        return color;
    }

    Target& target_;
    int saved_ = 0;
    QvDC dc_;
};

} // namespace tabulon
