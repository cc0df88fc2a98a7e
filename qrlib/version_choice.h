#pragma once

#include "encode_request.h"
#include "segment.h"

namespace qvbarqr {

// Estimated stream length in bits: count widths of versions 1-9, widened to
// those of the larger version ranges when the data outgrows versions 9 and 26.
int estimateBits(const EncodeRequest& request, const Segment* segments, int count);

// Exact length in bits of the stream at a version, terminator excluded.
int streamBits(const EncodeRequest& request, const Segment* segments, int count, int version);

// The version to encode in: the smallest that holds the data when the request
// leaves it open, else the requested one. Throws CQRErr 12 when the data does
// not fit the model or the requested version, 6 when the stream does not fit
// a requested version that the estimate allowed.
int chooseVersion(const EncodeRequest& request, const Segment* segments, int count);

} // namespace qvbarqr
