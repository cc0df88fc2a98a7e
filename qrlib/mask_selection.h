#pragma once

#include "module_matrix.h"
#include "version_table.h"

namespace qvbarqr {

// Number of 2 x 2 blocks of one colour, overlapping blocks counted separately.
int countSameColourBlocks(const ModuleMatrix& m);

// Penalty of runs of five or more, finder-like patterns and the dark
// proportion, over all rows and columns.
int remainingPenalty(const ModuleMatrix& m);

// First score of a masked symbol: 20888 - 3 x (2 x 2 blocks of one colour).
int firstScore(const ModuleMatrix& m);

// Chooses the mask: the three best first scores go on to the full score, the
// highest wins; ties go to the mask tried earlier. `trial` is work space.
int chooseMask(const SymbolMatrix& unmasked, Model model, int level, ModuleMatrix& trial);

} // namespace qvbarqr
