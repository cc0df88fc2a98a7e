#pragma once

#include "module_matrix.h"

namespace qvbarqr {

// Alignment-pattern centre coordinates of a Model 2 version (empty for
// version 1). Writes them to `out` (at most 7) and returns how many.
int alignmentCoordinates(int version, int* out);

// Resets the symbol to N = 4 * version + 17 and draws the Model 2 function
// patterns: finders with separators, timing, reserved format areas with the
// dark module, alignment patterns and version information.
void drawModel2FunctionPatterns(SymbolMatrix& symbol, int version);

// Resets the symbol and draws the Model 1 function patterns: finders,
// separators, timing, reserved format areas and dark module, the reserved
// bottom-right corner and the extension-pattern areas of the right-most two
// columns and bottom two rows (light until the filler blocks are placed).
void drawModel1FunctionPatterns(SymbolMatrix& symbol, int version);

} // namespace qvbarqr
