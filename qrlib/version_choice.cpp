#include "version_choice.h"

#include "qr_error.h"

namespace qvbarqr {

namespace {

constexpr int kModeIndicatorBits = 4;
constexpr int kStructuredAppendBits = 20;

int dataBits(const Segment& s) {
    switch (s.mode) {
    case Mode::Numeric:
        return 10 * (s.length / 3) + (s.length % 3 == 0 ? 0 : s.length % 3 == 1 ? 4 : 7);
    case Mode::Alphanumeric:
        return 11 * (s.length / 2) + 6 * (s.length % 2);
    case Mode::Byte:
        return 8 * s.length;
    case Mode::Kanji:
        return 13 * (s.length / 2);
    }
    return 0;
}

bool writesStructuredAppend(const EncodeRequest& r) {
    return r.structuredAppend && r.saCount != 1;
}

// Count-indicator bits gained by moving all segments from one version range to another.
int widening(const Segment* segments, int count, int fromVersion, int toVersion) {
    int bits = 0;
    for (int i = 0; i < count; ++i) {
        bits += countIndicatorBits(segments[i].mode, toVersion) -
                countIndicatorBits(segments[i].mode, fromVersion);
    }
    return bits;
}

} // namespace

int estimateBits(const EncodeRequest& r, const Segment* segments, int count) {
    int bits = r.structuredAppend ? kStructuredAppendBits : 0;
    bits += kModeIndicatorBits * (r.model == Model::Two ? count : count - 1);
    for (int i = 0; i < count; ++i) {
        bits += countIndicatorBits(segments[i].mode, 1) + dataBits(segments[i]);
    }
    if (capacity(r.model, 9, r.level).data < bits / 8) {
        bits += widening(segments, count, 9, 10);
        if (r.model == Model::Two && capacity(r.model, 26, r.level).data < bits / 8) {
            bits += widening(segments, count, 26, 27);
        }
    }
    return bits;
}

int streamBits(const EncodeRequest& r, const Segment* segments, int count, int version) {
    int bits = 0;
    if (r.model == Model::Two) {
        bits = writesStructuredAppend(r) ? kStructuredAppendBits : 0;
    } else {
        bits = writesStructuredAppend(r) ? 24 : kModeIndicatorBits;
    }
    for (int i = 0; i < count; ++i) {
        bits += kModeIndicatorBits + countIndicatorBits(segments[i].mode, version) +
                dataBits(segments[i]);
    }
    return bits;
}

int chooseVersion(const EncodeRequest& r, const Segment* segments, int count) {
    const int needed = (estimateBits(r, segments, count) + 7) / 8;
    const int last = maxVersion(r.model);
    int minimal = 1;
    while (minimal <= last && capacity(r.model, minimal, r.level).data < needed) {
        ++minimal;
    }
    if (minimal > last) {
        throw CQRErr(12);
    }
    if (r.version != 0) {
        if (r.version < minimal) {
            throw CQRErr(12);
        }
        if (streamBits(r, segments, count, r.version) >
            8 * dataCapacity(r.model, r.version, r.level)) {
            throw CQRErr(6);
        }
        return r.version;
    }
    // The estimate can fall short of the real stream where the count widths
    // change; such data goes to the next version that really holds it.
    int version = minimal;
    while (streamBits(r, segments, count, version) > 8 * dataCapacity(r.model, version, r.level)) {
        if (++version > last) {
            throw CQRErr(12);
        }
    }
    return version;
}

} // namespace qvbarqr
