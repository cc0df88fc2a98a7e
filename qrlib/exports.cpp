// The five exported functions. Each runs the encoder inside one try block:
// CQRErr becomes its code, an allocation failure code 5, anything else code 1.
#include "QvBarQR.h"
#include "drawing.h"
#include "parameter_check.h"
#include "qr_error.h"
#include "record_layout.h"
#include "symbol_encoder.h"

#include <memory>
#include <new>

using namespace qvbarqr;

namespace {

template <typename Body> int32_t guarded(Body body) {
    try {
        body();
        return QVQR_OK;
    } catch (const CQRErr& e) {
        return e.code();
    } catch (const std::bad_alloc&) {
        return QVQR_ERR_MEMORY;
    } catch (...) {
        return QVQR_ERR_INDEX;
    }
}

std::unique_ptr<Workspace> newWorkspace() {
    return std::make_unique_for_overwrite<Workspace>();
}

void requireDrawInfo(const QRDrawInfo* draw) {
    if (draw == nullptr) {
        throw CQRErr(QVQR_ERR_PARAMETER);
    }
}

} // namespace

extern "C" {

QVBARQR_API int32_t QVQR_CALL QvQRDefaultStruct(QRParam* param, QRDrawInfo* draw) {
    if (param != nullptr) {
        *param = QRParam{};
        param->model = 1;
        param->ecLevel = 2;
        param->mask = -1;
    }
    if (draw != nullptr) {
        *draw = QRDrawInfo{};
        draw->dpiX = kDefaultDpi;
        draw->dpiY = kDefaultDpi;
        draw->scale = 100;
        draw->sizeMode = 2;
        draw->moduleW = 5;
        draw->moduleH = 5;
        draw->dpiMode = 1;
        draw->orientation = 1;
    }
    return QVQR_OK;
}

QVBARQR_API int32_t QVQR_CALL QvQRCheckParameter(int32_t property, int32_t value) {
    return acceptsProperty(property, value);
}

QVBARQR_API int32_t QVQR_CALL QvQRCheckData(QRParam* param) {
    return guarded([&] {
        const EncodeRequest request = requestFrom(param);
        const auto ws = newWorkspace();
        const Analysis a = analyse(request, *ws);
        param->version = a.version;
        param->modules = symbolSize(a.version);
    });
}

QVBARQR_API int32_t QVQR_CALL QvQRDummyCalcSize(QRParam* param, QRDrawInfo* draw) {
    return guarded([&] {
        const EncodeRequest request = requestFrom(param);
        requireDrawInfo(draw);
        const auto ws = newWorkspace();
        const int n = symbolSize(analyse(request, *ws).version);
        const Resolution res = resolutionOf(*draw);
        draw->moduleW = moduleSizeFromBox(draw->width, n, res.x);
        draw->moduleH = moduleSizeFromBox(draw->height, n, res.y);
        draw->sizeMode = 1;
    });
}

QVBARQR_API int32_t QVQR_CALL QvQRDraw(QRParam* param, QRDrawInfo* draw) {
    return guarded([&] {
        const EncodeRequest request = requestFrom(param);
        requireDrawInfo(draw);
        const auto ws = newWorkspace();
        encodeSymbol(request, *ws);
        drawSymbol(ws->symbol.modules, *draw);
    });
}

} // extern "C"
