#pragma once

#include "module_matrix.h"
#include "version_table.h"

namespace qvbarqr {

// Number of 2 x 2 blocks of one colour, overlapping blocks counted separately.
int countSameColourBlocks(const ModuleMatrix& m);

// Penalty of runs of five or more, finder-like patterns and the dark
// proportion, over all rows and columns.
int remainingPenalty(const ModuleMatrix& m);

inline constexpr int kFinalists = 3;

// The symbols masked while choosing: the finalists, and one being built.
struct MaskTrials {
    ModuleMatrix symbols[kFinalists + 1];
};

// The chosen mask and the symbol with it, format information included.
struct MaskChoice {
    int mask;
    const ModuleMatrix* symbol;
};

// Chooses the mask: the three best first scores go on to the full score, the
// highest wins; ties go to the mask tried earlier. The masked symbols are
// kept in `trials`.
MaskChoice chooseMask(const SymbolMatrix& unmasked, Model model, int level, MaskTrials& trials);

} // namespace qvbarqr
