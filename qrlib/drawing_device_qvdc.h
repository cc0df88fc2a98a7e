#pragma once

#include "QvBarQR.h"

#include <cstdint>

namespace qvbarqr {

// Draws through the function pointers of the caller's QvDC record.
class DrawingDevice {
public:
    // The drawing calls are read from the record once, so that they stay in
    // registers across the calls made for every module.
    explicit DrawingDevice(const QvDC* dc)
        : dc_(dc), ctx_(dc != nullptr ? dc->ctx : nullptr),
          rectangle_(dc != nullptr ? dc->Rectangle : nullptr),
          pixel_(dc != nullptr ? dc->SetPixelV : nullptr) {}

    // True when every drawing call is there.
    bool canDraw() const {
        return dc_ != nullptr && dc_->SaveDC != nullptr && dc_->RestoreDC != nullptr &&
               dc_->Rectangle != nullptr && dc_->SetPixelV != nullptr;
    }
    bool canTellResolution() const { return dc_ != nullptr && dc_->GetDeviceCaps != nullptr; }

    int deviceCaps(int index) const { return dc_->GetDeviceCaps(dc_->ctx, index); }
    int save() const { return dc_->SaveDC(dc_->ctx); }
    void restore(int state) const { dc_->RestoreDC(dc_->ctx, state); }
    void rectangle(int left, int top, int right, int bottom) const {
        rectangle_(ctx_, left, top, right, bottom);
    }
    void pixel(int x, int y, uint32_t color) const { pixel_(ctx_, x, y, color); }

private:
    const QvDC* dc_;
    void* ctx_;
    decltype(QvDC::Rectangle) rectangle_;
    decltype(QvDC::SetPixelV) pixel_;
};

} // namespace qvbarqr
