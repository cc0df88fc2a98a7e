#pragma once

#include "module_matrix.h"

namespace qvbarqr {

// Penalty of every column of `a` and of `b`, two matrices of one size: runs
// of five or more modules of one colour score 3 + (length - 5); each
// finder-like pattern (dark, light, dark, light, dark runs of u, u, 3u, u, u)
// with a light run of at least 4u directly before or after it scores 40, the
// symbol's edge counting as such a light run. The rows of a matrix are scored
// through its transpose. Bits past the matrices' width must be 0.
int columnsPenalty(const ModuleMatrix& a, const ModuleMatrix& b);

// The same penalty for the columns and the rows of `m`, at most 64 modules
// wide: one word per row, so its rows are scored within their words and no
// transpose is needed.
int narrowSymbolPenalty(const ModuleMatrix& m);

} // namespace qvbarqr
