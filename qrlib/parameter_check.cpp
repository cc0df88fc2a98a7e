#include "parameter_check.h"

#include "qr_error.h"
#include "symbol_encoder.h"

namespace qvbarqr {

namespace {

bool inRange(int32_t v, int32_t low, int32_t high) {
    return v >= low && v <= high;
}

} // namespace

EncodeRequest requestFrom(const QRParam* p) {
    if (p == nullptr) {
        throw CQRErr(QVQR_ERR_PARAMETER);
    }
    const bool valid =
        inRange(p->model, 0, 1) && inRange(p->ecLevel, 0, 3) && inRange(p->mask, -1, 8) &&
        inRange(p->version, 0, p->model == 0 ? kMaxModel1Version : kMaxVersion) &&
        p->dataLen != 0 && p->data != nullptr &&
        (p->saOn == 0 ||
         (inRange(p->saIndex, 1, 16) && inRange(p->saCount, 1, 16) && p->saCount >= p->saIndex));
    if (!valid) {
        throw CQRErr(QVQR_ERR_PARAMETER);
    }
    if (p->dataLen < 0 || p->dataLen > kMaxDataLength) {
        throw CQRErr(QVQR_ERR_DATA_LENGTH);
    }
    EncodeRequest r;
    r.model = p->model == 0 ? Model::One : Model::Two;
    r.level = p->ecLevel;
    r.mask = p->mask;
    r.version = p->version;
    r.structuredAppend = p->saOn != 0;
    r.saIndex = p->saIndex;
    r.saCount = p->saCount;
    r.saParity = p->saParity;
    r.data = reinterpret_cast<const uint8_t*>(p->data);
    r.length = p->dataLen;
    return r;
}

int32_t acceptsProperty(int32_t property, int32_t value) {
    switch (property) {
    case 3101:
        return inRange(value, 0, 3);
    case 3105:
    case 3119:
        return inRange(value, 0, 1);
    case 3110:
        return value == 1;
    case 3111:
        return inRange(value, 1, 500);
    case 3112:
    case 3113:
        return inRange(value, 0, 99);
    case 3114:
        return value == 1 || value == 4;
    default:
        return 0;
    }
}

} // namespace qvbarqr
