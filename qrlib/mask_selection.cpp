#include "mask_selection.h"

#include "format_info.h"
#include "masks.h"

#include <bit>
#include <cstdlib>
#include <cstring>

namespace qvbarqr {

namespace {

constexpr int kFirstScoreBase = 20888;

// Set bits of a word, without relying on a population-count instruction.
int countBits(uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555u);
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((x * 0x0101010101010101u) >> 56);
}
constexpr int kFinalists = 3;

// Bits 1..63 of the word above bit 0, taking bit 64 from the next word.
uint64_t shiftedByOne(const uint64_t* row, int w) {
    const uint64_t next = w + 1 < kWordsPerRow ? row[w + 1] : 0;
    return (row[w] >> 1) | (next << 63);
}

// Lengths of the runs of one colour along a row of n modules, left to right.
int rowRuns(const uint64_t* words, int n, int* runs) {
    int count = 0;
    int start = 0;
    for (int w = 0; w < kWordsPerRow && w * 64 < n; ++w) {
        const uint64_t carry = w == 0 ? (words[0] & 1u) : (words[w - 1] >> 63);
        uint64_t changes = words[w] ^ ((words[w] << 1) | carry); // module j differs from j - 1
        const int valid = n - w * 64;
        if (valid < 64) {
            changes &= (uint64_t{1} << valid) - 1;
        }
        while (changes != 0) {
            const int at = w * 64 + std::countr_zero(changes);
            runs[count++] = at - start;
            start = at;
            changes &= changes - 1;
        }
    }
    runs[count++] = n - start;
    return count;
}

// Penalty of one line given its runs: runs of five or more, and finder-like
// patterns (1:1:3:1:1 with light of 4 or more on one side; the edges count
// as such light). Runs alternate in colour, the first dark when firstDark.
int linePenalty(const int* runs, int count, bool firstDark) {
    int penalty = 0;
    for (int k = 0; k < count; ++k) {
        penalty += runs[k] >= 5 ? runs[k] - 2 : 0;
    }
    for (int k = firstDark ? 0 : 1; k + 4 < count; k += 2) {
        const int u = runs[k];
        if (runs[k + 1] != u || runs[k + 2] != 3 * u || runs[k + 3] != u || runs[k + 4] != u) {
            continue;
        }
        const bool lightBefore = k == 0 || runs[k - 1] >= 4 * u;
        const bool lightAfter = k + 5 == count || runs[k + 5] >= 4 * u;
        if (lightBefore || lightAfter) {
            penalty += 40;
        }
    }
    return penalty;
}

int linesPenalty(const ModuleMatrix& m) {
    int runs[kMaxSize + 1];
    int penalty = 0;
    for (int i = 0; i < m.size; ++i) {
        const int count = rowRuns(m.rows[i], m.size, runs);
        penalty += linePenalty(runs, count, (m.rows[i][0] & 1u) != 0);
    }
    return penalty;
}

void transpose(const ModuleMatrix& m, ModuleMatrix& out) {
    out.size = m.size;
    std::memset(out.rows, 0, sizeof out.rows[0] * static_cast<std::size_t>(m.size));
    for (int i = 0; i < m.size; ++i) {
        for (int w = 0; w < kWordsPerRow; ++w) {
            for (uint64_t dark = m.rows[i][w]; dark != 0; dark &= dark - 1) {
                const int j = w * 64 + std::countr_zero(dark);
                out.rows[j][i >> 6] |= uint64_t{1} << (i & 63);
            }
        }
    }
}

void applyFormat(SymbolMatrix& s, Model model, int level, int mask) {
    writeFormatInfo(s.modules, formatBits(model, level, mask));
}

} // namespace

int countSameColourBlocks(const ModuleMatrix& m) {
    const int n = m.size;
    int count = 0;
    for (int i = 0; i + 1 < n; ++i) {
        const uint64_t* top = m.rows[i];
        const uint64_t* bottom = m.rows[i + 1];
        for (int w = 0; w < kWordsPerRow && w * 64 < n - 1; ++w) {
            const uint64_t vertical = ~(top[w] ^ bottom[w]);
            const uint64_t topPair = ~(top[w] ^ shiftedByOne(top, w));
            const uint64_t bottomPair = ~(bottom[w] ^ shiftedByOne(bottom, w));
            uint64_t blocks = vertical & topPair & bottomPair;
            const int valid = n - 1 - w * 64; // block columns j with j + 1 < n
            if (valid < 64) {
                blocks &= (uint64_t{1} << valid) - 1;
            }
            count += countBits(blocks);
        }
    }
    return count;
}

int remainingPenalty(const ModuleMatrix& m) {
    const int n = m.size;
    ModuleMatrix columns;
    transpose(m, columns);
    int dark = 0;
    for (int i = 0; i < n; ++i) {
        for (int w = 0; w < kWordsPerRow; ++w) {
            dark += countBits(m.rows[i][w]);
        }
    }
    const int e = (dark / (n * n / 100) - 50) / 5;
    return linesPenalty(m) + linesPenalty(columns) + 10 * std::abs(e);
}

int firstScore(const ModuleMatrix& m) {
    return kFirstScoreBase - 3 * countSameColourBlocks(m);
}

int chooseMask(const SymbolMatrix& unmasked, Model model, int level, SymbolMatrix& trial) {
    int ranked[kPatternCount];
    int scores[kPatternCount];
    for (int mask = 0; mask < kPatternCount; ++mask) {
        trial = unmasked;
        applyMask(trial, mask);
        applyFormat(trial, model, level, mask);
        scores[mask] = firstScore(trial.modules);
        // Insert after every mask of an equal or higher score: earlier masks rank higher.
        int at = mask;
        while (at > 0 && scores[ranked[at - 1]] < scores[mask]) {
            ranked[at] = ranked[at - 1];
            --at;
        }
        ranked[at] = mask;
    }
    int best = ranked[0];
    int bestScore = 0;
    for (int k = 0; k < kFinalists; ++k) {
        const int mask = ranked[k];
        trial = unmasked;
        applyMask(trial, mask);
        applyFormat(trial, model, level, mask);
        const int score = scores[mask] - remainingPenalty(trial.modules);
        if (k == 0 || score > bestScore) {
            best = mask;
            bestScore = score;
        }
    }
    return best;
}

} // namespace qvbarqr
