#pragma once

#include "version_table.h"

#include <cstdint>

namespace qvbarqr {

// What to encode, taken from a validated QRParam.
struct EncodeRequest {
    Model model = Model::Two;
    int level = 0;   // 0 L, 1 M, 2 Q, 3 H
    int mask = -1;   // -1 automatic, 0-7 pattern, 8 none
    int version = 0; // 0 smallest that fits
    bool structuredAppend = false;
    int saIndex = 0;
    int saCount = 0;
    uint8_t saParity = 0;
    const uint8_t* data = nullptr;
    int length = 0;
};

} // namespace qvbarqr
