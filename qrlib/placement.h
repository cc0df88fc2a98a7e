#pragma once

#include "module_matrix.h"

#include <cstdint>

namespace qvbarqr {

// Model 2: places the codewords, most significant bit first, in two-module
// columns from the bottom-right corner, upward then downward, skipping
// function modules and the timing column. Modules left over stay light.
void placeModel2Codewords(SymbolMatrix& symbol, const uint8_t* codewords, int count);

// Model 1: places the codewords as 2 x 4 and 4 x 2 blocks in the fixed walk of
// the model, with filler blocks in the extension-pattern areas. Bits that fall
// on other function modules are not written. Throws CQRErr 1 unless the walk
// takes exactly `count` codewords.
void placeModel1Codewords(SymbolMatrix& symbol, const uint8_t* codewords, int count);

} // namespace qvbarqr
