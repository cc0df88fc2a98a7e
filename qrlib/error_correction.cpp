#include "error_correction.h"

#include "qr_error.h"
#include "reed_solomon.h"

#include <cstring>
#include <optional>

namespace qvbarqr {

namespace {

// Work space of one block: its data and error-correction codewords.
constexpr int kBlockWorkBytes = 252;

// Blocks of the largest symbol (version 40, level H).
constexpr int kMaxBlocks = 81;

// The coder of the error-correction count last used on this thread: its
// tables take about as long to build as a small symbol's blocks to encode.
const ReedSolomonCoder& coderFor(int ecCount) {
    thread_local std::optional<ReedSolomonCoder> last;
    if (!last || last->ecCount() != ecCount) {
        last.reset();
        last.emplace(ecCount);
    }
    return *last;
}

void checkBlockFits(int dataCount, int ecCount) {
    if (dataCount + ecCount > kBlockWorkBytes) {
        throw CQRErr(11);
    }
}

// Model 2: blocks with their error correction, then the interleave of 8.6.
void encodeModel2(const Capacity& cap, const BlockLayout& b, const uint8_t* data, uint8_t* work,
                  uint8_t* out) {
    const int shortBlocks = b.blocks - b.longBlocks;
    checkBlockFits(b.shortData + 1, b.ecPerBlock);
    if (b.blocks > kMaxBlocks) {
        throw CQRErr(11);
    }
    std::memcpy(work, data, static_cast<std::size_t>(cap.data));
    const ReedSolomonCoder& coder = coderFor(b.ecPerBlock);
    // Where each block's data starts in `work`: the long blocks, one
    // codeword longer, come last.
    int start[kMaxBlocks];
    for (int k = 0; k < b.blocks; ++k) {
        const bool isLong = k >= shortBlocks;
        start[k] = isLong ? k * (b.shortData + 1) - shortBlocks : k * b.shortData;
        coder.encode(work + start[k], b.shortData + (isLong ? 1 : 0),
                     work + cap.data + k * b.ecPerBlock);
    }
    int n = 0;
    for (int i = 0; i < b.shortData; ++i) {
        for (int k = 0; k < b.blocks; ++k) {
            out[n++] = work[start[k] + i];
        }
    }
    for (int k = shortBlocks; k < b.blocks; ++k) {
        out[n++] = work[start[k] + b.shortData];
    }
    const uint8_t* ec = work + cap.data;
    for (int i = 0; i < b.ecPerBlock; ++i) {
        for (int k = 0; k < b.blocks; ++k) {
            out[n++] = ec[k * b.ecPerBlock + i];
        }
    }
}

// Model 1: data blocks, then their error correction, then filler; no interleave.
void encodeModel1(const Capacity& cap, const BlockLayout& b, const uint8_t* data, uint8_t* out) {
    const int dataCount = cap.data + 1;
    checkBlockFits(b.shortData, b.ecPerBlock);
    std::memcpy(out, data, static_cast<std::size_t>(dataCount));
    const ReedSolomonCoder& coder = coderFor(b.ecPerBlock);
    for (int k = 0; k < b.blocks; ++k) {
        coder.encode(out + k * b.shortData, b.shortData, out + dataCount + k * b.ecPerBlock);
    }
    static constexpr uint8_t kFiller[2] = {0xEC, 0x11};
    for (int i = dataCount + b.blocks * b.ecPerBlock, j = 0; i < cap.total; ++i, ++j) {
        out[i] = kFiller[j % 2];
    }
}

} // namespace

BlockLayout blockLayout(Model model, int version, int level) {
    const Capacity cap = capacity(model, version, level);
    if (model == Model::One) {
        return {cap.blocks, (cap.total - cap.data - 1) / cap.blocks, (cap.data + 1) / cap.blocks,
                0};
    }
    const int shortData = cap.data / cap.blocks;
    return {cap.blocks, (cap.total - cap.data) / cap.blocks, shortData,
            cap.data - cap.blocks * shortData};
}

void addErrorCorrection(Model model, int version, int level, const uint8_t* data, uint8_t* work,
                        uint8_t* out) {
    const Capacity cap = capacity(model, version, level);
    const BlockLayout layout = blockLayout(model, version, level);
    if (model == Model::One) {
        encodeModel1(cap, layout, data, out);
    } else {
        encodeModel2(cap, layout, data, work, out);
    }
}

} // namespace qvbarqr
