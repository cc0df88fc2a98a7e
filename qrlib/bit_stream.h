#pragma once

#include "encode_request.h"
#include "segment.h"

#include <cstdint>

namespace qvbarqr {

inline constexpr int kStreamBufferBytes = 3807;

// Writes values most significant bit first into a fixed buffer; writing past
// its end throws CQRErr 8.
class BitWriter {
public:
    BitWriter(uint8_t* buffer, int capacityBytes);

    void put(uint32_t value, int bits);
    int bitLength() const { return bits_; }
    const uint8_t* bytes() const { return buffer_; }

private:
    uint8_t* buffer_;
    int capacityBits_;
    int bits_ = 0;
};

// Builds the data codewords of a symbol: header, segments, terminator and
// pad codewords. `buffer` holds kStreamBufferBytes; on return its first
// dataCapacity(model, version, level) bytes are the data codewords.
void buildDataCodewords(const EncodeRequest& request, const Segment* segments, int count,
                        int version, uint8_t* buffer);

} // namespace qvbarqr
