#pragma once

#include "module_matrix.h"
#include "version_table.h"

#include <cstdint>

namespace qvbarqr {

// The 15 format bits of (model, level, mask): BCH (15, 5) code of
// level indicator and mask, XORed with the model's pattern; 0 for mask 8.
uint32_t formatBits(Model model, int level, int mask);

// The 18-bit version information of a Model 2 version 7 to 40.
uint32_t versionBits(int version);

// Writes both copies of the format bits next to the finder patterns.
void writeFormatInfo(ModuleMatrix& modules, uint32_t bits);

// Writes both version information blocks (versions 7 and up).
void writeVersionInfo(SymbolMatrix& symbol, int version);

} // namespace qvbarqr
