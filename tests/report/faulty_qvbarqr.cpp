// A QvBarQR that draws wrongly, for the tests of the engine's read-back: it
// forwards every call to the real library, but its drawing either encodes
// other data than it was given (FAULT_OTHER_DATA: the last data byte changed)
// or leaves out every other dark module (FAULT_DAMAGE), far more than any
// error-correction level restores.

#include "QvBarQR.h"

#include <dlfcn.h>
#include <string>

namespace {

template <typename Fn> Fn Real(const char* name) {
    static void* handle = dlopen(REAL_QVBARQR, RTLD_NOW | RTLD_LOCAL);
    return handle ? reinterpret_cast<Fn>(dlsym(handle, name)) : nullptr;
}

#ifdef FAULT_DAMAGE
struct Dropping {
    QvDC* real = nullptr;
    int seen = 0;
};

int Caps(void* ctx, int index) {
    QvDC* dc = static_cast<Dropping*>(ctx)->real;
    return dc->GetDeviceCaps(dc->ctx, index);
}
int Save(void* ctx) {
    QvDC* dc = static_cast<Dropping*>(ctx)->real;
    return dc->SaveDC(dc->ctx);
}
int Restore(void* ctx, int state) {
    QvDC* dc = static_cast<Dropping*>(ctx)->real;
    return dc->RestoreDC(dc->ctx, state);
}
int Rect(void* ctx, int left, int top, int right, int bottom) {
    auto* d = static_cast<Dropping*>(ctx);
    if (d->seen++ % 2 == 1)
        return 1;
    return d->real->Rectangle(d->real->ctx, left, top, right, bottom);
}
uint32_t Pixel(void* ctx, int x, int y, uint32_t color) {
    auto* d = static_cast<Dropping*>(ctx);
    if (d->seen++ % 2 == 1)
        return color;
    return d->real->SetPixelV(d->real->ctx, x, y, color);
}
#endif

} // namespace

extern "C" {

QVBARQR_API int32_t QvQRDefaultStruct(QRParam* param, QRDrawInfo* draw) {
    return Real<QvQRDefaultStructFn>("QvQRDefaultStruct")(param, draw);
}
QVBARQR_API int32_t QvQRCheckParameter(int32_t property, int32_t value) {
    return Real<QvQRCheckParameterFn>("QvQRCheckParameter")(property, value);
}
QVBARQR_API int32_t QvQRCheckData(QRParam* param) {
    return Real<QvQRCheckDataFn>("QvQRCheckData")(param);
}
QVBARQR_API int32_t QvQRDummyCalcSize(QRParam* param, QRDrawInfo* draw) {
    return Real<QvQRDummyCalcSizeFn>("QvQRDummyCalcSize")(param, draw);
}

QVBARQR_API int32_t QvQRDraw(QRParam* param, QRDrawInfo* draw) {
    const auto draw_ = Real<QvQRDrawFn>("QvQRDraw");
#ifdef FAULT_OTHER_DATA
    std::string other(param->data, static_cast<size_t>(param->dataLen));
    other.back() = other.back() == '1' ? '2' : '1';
    QRParam changed = *param;
    changed.data = other.data();
    const int32_t rc = draw_(&changed, draw);
    param->version = changed.version;
    param->modules = changed.modules;
    return rc;
#else
    Dropping dropping{draw->hdc};
    QvDC dc{&dropping, &Caps, &Save, &Restore, &Rect, &Pixel};
    QRDrawInfo changed = *draw;
    changed.hdc = &dc;
    const int32_t rc = draw_(param, &changed);
    draw->outWidth = changed.outWidth;
    draw->outHeight = changed.outHeight;
    return rc;
#endif
}

} // extern "C"
