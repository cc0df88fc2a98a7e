#pragma once

#include "QvBarQR.h"
#include "encode_request.h"

#include <cstdint>

namespace qvbarqr {

// Validates a QRParam and turns it into an encode request. Throws CQRErr 4
// for a null record or a field out of range, 2 for a data length that is
// negative or above the maximum.
EncodeRequest requestFrom(const QRParam* param);

// 1 when `value` is acceptable for the numbered property of the engine's QR
// field, else 0.
int32_t acceptsProperty(int32_t property, int32_t value);

} // namespace qvbarqr
