#pragma once

#include "bit_stream.h"
#include "encode_request.h"
#include "mask_selection.h"
#include "module_matrix.h"
#include "segment.h"

#include <cstdint>

namespace qvbarqr {

inline constexpr int kMaxDataLength = 7366;
inline constexpr int kMaxCodewords = 3706;

// All work buffers of one call, allocated once per call.
struct Workspace {
    Segment segments[kMaxDataLength];
    uint8_t stream[kStreamBufferBytes];
    uint8_t work[kMaxCodewords];
    uint8_t codewords[kMaxCodewords];
    SymbolMatrix symbol;
    MaskTrials trials;
};

// Result of the data analysis: the segments in the workspace and the version.
struct Analysis {
    int segmentCount;
    int version;
};

// Analyses the data into segments and chooses the version.
Analysis analyse(const EncodeRequest& request, Workspace& ws);

// Encodes the whole symbol into ws.symbol.modules: analysis, bit stream,
// error correction, function patterns, placement, mask and format.
// Returns the version used.
int encodeSymbol(const EncodeRequest& request, Workspace& ws);

} // namespace qvbarqr
