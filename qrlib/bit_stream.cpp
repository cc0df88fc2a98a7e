#include "bit_stream.h"

#include "data_analysis.h"
#include "qr_error.h"

namespace qvbarqr {

namespace {

constexpr uint32_t kModeIndicator[4] = {0b0001, 0b0010, 0b0100, 0b1000};
constexpr uint32_t kStructuredAppendIndicator = 0b0011;
constexpr uint8_t kPadCodewords[2] = {0xEC, 0x11};

void writeHeader(const EncodeRequest& r, BitWriter& out) {
    const bool header = r.structuredAppend && r.saCount != 1;
    if (r.model == Model::Two) {
        if (header) {
            out.put(kStructuredAppendIndicator, 4);
            out.put(static_cast<uint32_t>(r.saIndex - 1), 4);
            out.put(static_cast<uint32_t>(r.saCount - 1), 4);
            out.put(r.saParity, 8);
        }
    } else if (header) {
        out.put(0x03, 8);
        out.put(static_cast<uint32_t>((r.saIndex - 1) * 16 + r.saCount - 1), 8);
        out.put(r.saParity, 8);
    } else {
        out.put(0, 4);
    }
}

void writeNumeric(const uint8_t* d, int n, BitWriter& out) {
    int i = 0;
    for (; i + 3 <= n; i += 3) {
        out.put((d[i] - '0') * 100u + (d[i + 1] - '0') * 10u + (d[i + 2] - '0'), 10);
    }
    if (n - i == 2) {
        out.put((d[i] - '0') * 10u + (d[i + 1] - '0'), 7);
    } else if (n - i == 1) {
        out.put(d[i] - '0', 4);
    }
}

void writeAlphanumeric(const uint8_t* d, int n, BitWriter& out) {
    int i = 0;
    for (; i + 2 <= n; i += 2) {
        out.put(45u * alphanumericValue(d[i]) + alphanumericValue(d[i + 1]), 11);
    }
    if (i < n) {
        out.put(alphanumericValue(d[i]), 6);
    }
}

void writeKanji(const uint8_t* d, int n, BitWriter& out) {
    for (int i = 0; i + 1 < n; i += 2) {
        const uint32_t w = (d[i] << 8) | d[i + 1];
        const uint32_t v = w <= 0x9FFC ? w - 0x8140 : w - 0xC140;
        out.put((v >> 8) * 0xC0 + (v & 0xFF), 13);
    }
}

void writeSegment(const EncodeRequest& r, const Segment& s, int version, BitWriter& out) {
    out.put(kModeIndicator[static_cast<int>(s.mode)], 4);
    out.put(static_cast<uint32_t>(characterCount(s)), countIndicatorBits(s.mode, version));
    const uint8_t* d = r.data + s.start;
    switch (s.mode) {
    case Mode::Numeric:
        writeNumeric(d, s.length, out);
        break;
    case Mode::Alphanumeric:
        writeAlphanumeric(d, s.length, out);
        break;
    case Mode::Byte:
        for (int i = 0; i < s.length; ++i) {
            out.put(d[i], 8);
        }
        break;
    case Mode::Kanji:
        writeKanji(d, s.length, out);
        break;
    }
}

// Zero bits up to the byte boundary, and one zero byte more when fewer than
// four bits were free (or none), unless the stream already fills the symbol.
void writeTerminator(int capacityBits, BitWriter& out) {
    if (out.bitLength() >= capacityBits) {
        return;
    }
    const int free = (8 - out.bitLength() % 8) % 8;
    out.put(0, free);
    if (free < 4) {
        out.put(0, 8);
    }
}

} // namespace

BitWriter::BitWriter(uint8_t* buffer, int capacityBytes)
    : buffer_(buffer), capacityBits_(capacityBytes * 8) {}

void BitWriter::put(uint32_t value, int bits) {
    if (bits_ + bits > capacityBits_) {
        throw CQRErr(8);
    }
    if (bits == 0) {
        return;
    }
    // The value lined up behind the bits already in the current byte; the
    // bytes after it are written whole, their unused bits zero.
    const int used = bits_ & 7;
    uint64_t chunk = (uint64_t{value} & ((uint64_t{1} << bits) - 1)) << (64 - used - bits);
    uint8_t* at = buffer_ + (bits_ >> 3);
    if (used != 0) {
        chunk |= uint64_t{at[0]} << 56;
    }
    const int bytes = (used + bits + 7) / 8;
    for (int k = 0; k < bytes; ++k) {
        at[k] = static_cast<uint8_t>(chunk >> (56 - 8 * k));
    }
    bits_ += bits;
}

void buildDataCodewords(const EncodeRequest& r, const Segment* segments, int count, int version,
                        uint8_t* buffer) {
    const int capacityBytes = dataCapacity(r.model, version, r.level);
    BitWriter out(buffer, kStreamBufferBytes);
    writeHeader(r, out);
    for (int i = 0; i < count; ++i) {
        writeSegment(r, segments[i], version, out);
    }
    if (out.bitLength() > capacityBytes * 8) {
        throw CQRErr(6);
    }
    writeTerminator(capacityBytes * 8, out);
    const int used = (out.bitLength() + 7) / 8;
    for (int i = used; i < capacityBytes; ++i) {
        buffer[i] = kPadCodewords[(i - used) % 2];
    }
}

} // namespace qvbarqr
