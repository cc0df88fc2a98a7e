#pragma once

#include "version_table.h"

#include <cstdint>

namespace qvbarqr {

// Block structure of (model, version, level): blocks, error-correction
// codewords per block, data codewords of a short block and number of long
// blocks (one more data codeword each; always 0 for Model 1).
struct BlockLayout {
    int blocks;
    int ecPerBlock;
    int shortData;
    int longBlocks;
};

BlockLayout blockLayout(Model model, int version, int level);

// Splits the data codewords into blocks, adds their error-correction
// codewords and writes the whole codeword sequence, in placement order, to
// `out` (capacity(...).total bytes). `work` holds the same number of bytes.
void addErrorCorrection(Model model, int version, int level, const uint8_t* data, uint8_t* work,
                        uint8_t* out);

} // namespace qvbarqr
