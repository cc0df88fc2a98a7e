#pragma once

#include "module_matrix.h"

namespace qvbarqr {

inline constexpr int kPatternCount = 8;
inline constexpr int kNoMask = 8;

// Mask pattern `mask` (0-7) at row i, column j (ISO/IEC 18004 Table 10).
bool maskCondition(int mask, int i, int j);

// XORs the pattern onto the data modules (those not in `function`).
void applyMask(ModuleMatrix& modules, const ModuleMatrix& function, int mask);

} // namespace qvbarqr
