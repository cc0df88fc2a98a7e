#pragma once

#include "module_matrix.h"

#include <array>

namespace qvbarqr {

inline constexpr int kPatternCount = 8;
inline constexpr int kNoMask = 8;

// Mask pattern `mask` (0-7) at row i, column j (ISO/IEC 18004 Table 10).
bool maskCondition(int mask, int i, int j);

// Every pattern repeats after this many rows.
inline constexpr int kMaskRowPeriod = 12;

// One pattern over a whole 192-bit row, row i being entry i % kMaskRowPeriod:
// the columns it inverts, past any symbol's width too.
using MaskPatternRows = std::array<std::array<uint64_t, kWordsPerRow>, kMaskRowPeriod>;

const MaskPatternRows& maskPatternRows(int mask);

// XORs the pattern onto the data modules (those not in `function`).
void applyMask(ModuleMatrix& modules, const ModuleMatrix& function, int mask);

} // namespace qvbarqr
