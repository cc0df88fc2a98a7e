#include "mask_selection.h"

#include "format_info.h"
#include "line_penalty.h"
#include "masks.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace qvbarqr {

namespace {

constexpr int kFirstScoreBase = 20888;

// Two words handled as one value (one register where the target has them).
using WordPair = uint64_t __attribute__((vector_size(16)));

// Swaps, in every 2J x 2J sub-block of a 64 x 64 block, its upper right and
// lower left J x J quarters (`mask` marks the low J bits of every 2J). From
// J = 2 on, neighbouring words are in the same quarter and go two at a time.
template <int J> [[gnu::always_inline]] inline void swapQuarters(uint64_t* a, uint64_t mask) {
    for (int base = 0; base < 64; base += 2 * J) {
        if constexpr (J >= 2) {
            for (int k = base; k < base + J; k += 2) {
                WordPair upper, lower;
                std::memcpy(&upper, a + k, sizeof upper);
                std::memcpy(&lower, a + k + J, sizeof lower);
                const WordPair t = ((upper >> J) ^ lower) & mask;
                upper ^= t << J;
                lower ^= t;
                std::memcpy(a + k, &upper, sizeof upper);
                std::memcpy(a + k + J, &lower, sizeof lower);
            }
        } else {
            for (int k = base; k < base + J; ++k) {
                const uint64_t t = ((a[k] >> J) ^ a[k + J]) & mask;
                a[k] ^= t << J;
                a[k + J] ^= t;
            }
        }
    }
}

// Transposes a 64 x 64 block in place (bit c of word r becomes bit r of
// word c) by swapping ever smaller sub-blocks across the diagonal.
[[gnu::always_inline]] inline void transposeBlock(uint64_t* a) {
    swapQuarters<32>(a, 0x00000000FFFFFFFFu);
    swapQuarters<16>(a, 0x0000FFFF0000FFFFu);
    swapQuarters<8>(a, 0x00FF00FF00FF00FFu);
    swapQuarters<4>(a, 0x0F0F0F0F0F0F0F0Fu);
    swapQuarters<2>(a, 0x3333333333333333u);
    swapQuarters<1>(a, 0x5555555555555555u);
}

// The last band of rows of a symbol 65 to 96 modules wide: its two blocks
// have at most 32 rows each, so they go through one transposition, the
// right block's rows in the upper half, and come out as the low and the
// high half of each word.
[[gnu::always_inline]] inline void transposeShortBand(const ModuleMatrix& m, ModuleMatrix& out) {
    const int rows = m.size - 64;
    uint64_t block[64] = {};
    for (int k = 0; k < rows; ++k) {
        block[k] = m.rows[64 + k][0];
        block[32 + k] = m.rows[64 + k][1];
    }
    transposeBlock(block);
    for (int k = 0; k < 64; ++k) {
        out.rows[k][1] = block[k] & 0xFFFFFFFFu;
    }
    for (int k = 0; k < rows; ++k) {
        out.rows[64 + k][1] = block[k] >> 32;
    }
}

[[gnu::always_inline]] inline void transpose(const ModuleMatrix& m, ModuleMatrix& out) {
    const int n = m.size;
    const int blocks = (n + 63) / 64;
    out.size = n;
    std::memset(out.rows, 0, sizeof out.rows[0] * static_cast<std::size_t>(n));
    uint64_t block[64];
    for (int br = 0; br < blocks; ++br) {
        const int rows = std::min(64, n - 64 * br);
        if (blocks == 2 && br == 1 && rows <= 32) {
            transposeShortBand(m, out);
            break;
        }
        for (int bc = 0; bc < blocks; ++bc) {
            for (int k = 0; k < rows; ++k) {
                block[k] = m.rows[64 * br + k][bc];
            }
            std::memset(block + rows, 0, sizeof block[0] * static_cast<std::size_t>(64 - rows));
            transposeBlock(block);
            const int columns = std::min(64, n - 64 * bc);
            for (int k = 0; k < columns; ++k) {
                out.rows[64 * bc + k][br] = block[k];
            }
        }
    }
}

// The 2 x 2 blocks of one colour of an n x n matrix whose rows take kWords
// words, the number known when compiled so that a row's words stay in
// registers. rowOf(i, words) puts row i's words in `words`; it is called
// once for every row, in order.
template <int kWords, typename RowOf>
[[gnu::always_inline]] inline int sameColourBlocks(int n, RowOf rowOf) {
    uint64_t inside[kWords]; // columns j < n - 1, which have a column j + 1
    for (int w = 0; w < kWords; ++w) {
        const int valid = n - 1 - w * 64;
        inside[w] = valid >= 64 ? ~uint64_t{0} : (uint64_t{1} << valid) - 1;
    }
    // Columns j of a row whose module equals module j + 1; each row's are
    // made once and used with the row above and the row below.
    auto samePairs = [&](const uint64_t* row, uint64_t* pairs) {
        for (int w = 0; w < kWords; ++w) {
            const uint64_t next = w + 1 < kWords ? row[w + 1] : 0;
            pairs[w] = ~(row[w] ^ ((row[w] >> 1) | (next << 63))) & inside[w];
        }
    };
    uint64_t upper[kWords];
    uint64_t upperPairs[kWords];
    rowOf(0, upper);
    samePairs(upper, upperPairs);
    int count = 0;
    for (int i = 1; i < n; ++i) {
        uint64_t lower[kWords];
        uint64_t lowerPairs[kWords];
        rowOf(i, lower);
        samePairs(lower, lowerPairs);
        for (int w = 0; w < kWords; ++w) {
            count += countBits(~(upper[w] ^ lower[w]) & upperPairs[w] & lowerPairs[w]);
            upper[w] = lower[w];
            upperPairs[w] = lowerPairs[w];
        }
    }
    return count;
}

template <int kWords>
[[gnu::always_inline]] inline int storedSameColourBlocks(const ModuleMatrix& m) {
    return sameColourBlocks<kWords>(
        m.size, [&](int i, uint64_t* row) { std::memcpy(row, m.rows[i], sizeof row[0] * kWords); });
}

// The modules a mask pattern inverts where it is dark: those of the symbol
// outside the function patterns. Made once for all eight trials.
void dataModulesOf(const ModuleMatrix& function, ModuleMatrix& data) {
    const int n = function.size;
    data.size = n;
    for (int w = 0; w < kWordsPerRow; ++w) {
        const int columns = n - w * 64;
        const uint64_t inRow = columns >= 64  ? ~uint64_t{0}
                               : columns <= 0 ? 0
                                              : (uint64_t{1} << columns) - 1;
        for (int i = 0; i < n; ++i) {
            data.rows[i][w] = ~function.rows[i][w] & inRow;
        }
    }
}

// Masks the data modules of `m` in place and counts the 2 x 2 blocks of one
// colour of the result, in one pass over the rows.
template <int kWords>
[[gnu::always_inline]] inline int maskedSameColourBlocks(ModuleMatrix& m, const ModuleMatrix& data,
                                                         int mask) {
    const MaskPatternRows& patterns = maskPatternRows(mask);
    auto pattern = patterns.begin();
    return sameColourBlocks<kWords>(m.size, [&](int i, uint64_t* row) {
        for (int w = 0; w < kWords; ++w) {
            row[w] = m.rows[i][w] ^ ((*pattern)[w] & data.rows[i][w]);
            m.rows[i][w] = row[w];
        }
        if (++pattern == patterns.end()) {
            pattern = patterns.begin();
        }
    });
}

QVBARQR_COUNTS_BITS int maskAndCountSameColourBlocks(ModuleMatrix& m, const ModuleMatrix& data,
                                                     int mask) {
    switch ((m.size + 63) / 64) {
    case 1:
        return maskedSameColourBlocks<1>(m, data, mask);
    case 2:
        return maskedSameColourBlocks<2>(m, data, mask);
    default:
        return maskedSameColourBlocks<3>(m, data, mask);
    }
}

// The unmasked symbol with a mask pattern and its format information, and
// its first score: 20888 - 3 x (2 x 2 blocks of one colour). The format
// modules are function modules, which masking leaves alone, so they are
// written first and the masking pass counts the blocks of the whole symbol.
int buildTrial(const SymbolMatrix& unmasked, const ModuleMatrix& data, Model model, int level,
               int mask, ModuleMatrix& trial) {
    trial.size = unmasked.modules.size;
    std::memcpy(trial.rows, unmasked.modules.rows,
                sizeof trial.rows[0] * static_cast<std::size_t>(trial.size));
    writeFormatInfo(trial, formatBits(model, level, mask));
    return kFirstScoreBase - 3 * maskAndCountSameColourBlocks(trial, data, mask);
}

} // namespace

QVBARQR_COUNTS_BITS int countSameColourBlocks(const ModuleMatrix& m) {
    switch ((m.size + 63) / 64) {
    case 1:
        return storedSameColourBlocks<1>(m);
    case 2:
        return storedSameColourBlocks<2>(m);
    default:
        return storedSameColourBlocks<3>(m);
    }
}

QVBARQR_COUNTS_BITS int remainingPenalty(const ModuleMatrix& m) {
    const int n = m.size;
    int dark = 0;
    const int words = (n + 63) / 64;
    for (int i = 0; i < n; ++i) {
        for (int w = 0; w < words; ++w) {
            dark += countBits(m.rows[i][w]);
        }
    }
    const int e = (dark / (n * n / 100) - 50) / 5;
    if (n <= 64) {
        return narrowSymbolPenalty(m) + 10 * std::abs(e);
    }
    ModuleMatrix rows; // the transpose: its columns are the rows of m
    transpose(m, rows);
    return columnsPenalty(m, rows) + 10 * std::abs(e);
}

MaskChoice chooseMask(const SymbolMatrix& unmasked, Model model, int level, MaskTrials& trials) {
    int ranked[kPatternCount];
    int scores[kPatternCount];
    // The finalists so far keep their symbols; the others' buffers are free.
    int bufferOf[kPatternCount];
    int spare[kFinalists + 1] = {0, 1, 2, 3};
    int spareCount = kFinalists + 1;
    ModuleMatrix data;
    dataModulesOf(unmasked.function, data);
    for (int mask = 0; mask < kPatternCount; ++mask) {
        bufferOf[mask] = spare[--spareCount];
        ModuleMatrix& trial = trials.symbols[bufferOf[mask]];
        scores[mask] = buildTrial(unmasked, data, model, level, mask, trial);
        // Insert after every mask of an equal or higher score: earlier masks rank higher.
        int at = mask;
        while (at > 0 && scores[ranked[at - 1]] < scores[mask]) {
            ranked[at] = ranked[at - 1];
            --at;
        }
        ranked[at] = mask;
        if (mask >= kFinalists) {
            spare[spareCount++] = bufferOf[ranked[kFinalists]];
        }
    }
    int best = ranked[0];
    int bestScore = 0;
    for (int k = 0; k < kFinalists; ++k) {
        const int mask = ranked[k];
        const int score = scores[mask] - remainingPenalty(trials.symbols[bufferOf[mask]]);
        if (k == 0 || score > bestScore) {
            best = mask;
            bestScore = score;
        }
    }
    return {best, &trials.symbols[bufferOf[best]]};
}

} // namespace qvbarqr
