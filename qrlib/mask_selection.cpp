#include "mask_selection.h"

#include "format_info.h"
#include "masks.h"

#include <bit>
#include <cstdlib>

namespace qvbarqr {

namespace {

constexpr int kFirstScoreBase = 20888;
constexpr int kFinalists = 3;

// Bits 1..63 of the word above bit 0, taking bit 64 from the next word.
uint64_t shiftedByOne(const uint64_t* row, int w) {
    const uint64_t next = w + 1 < kWordsPerRow ? row[w + 1] : 0;
    return (row[w] >> 1) | (next << 63);
}

// Penalty of one line of modules (0 light, 1 dark): runs of five or more and
// finder-like patterns (1:1:3:1:1 with light of 4 or more on one side; the
// edges count as such light).
int linePenalty(const uint8_t* line, int n) {
    int runs[kMaxSize];
    int count = 0;
    int runLength = 1;
    for (int i = 1; i <= n; ++i) {
        if (i < n && line[i] == line[i - 1]) {
            ++runLength;
        } else {
            runs[count++] = runLength;
            runLength = 1;
        }
    }
    int penalty = 0;
    for (int k = 0; k < count; ++k) {
        if (runs[k] >= 5) {
            penalty += 3 + (runs[k] - 5);
        }
    }
    // Runs alternate in colour; the first run's colour is that of line[0].
    const int firstDark = line[0] ? 0 : 1;
    for (int k = firstDark; k + 4 < count; k += 2) {
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
            count += std::popcount(blocks);
        }
    }
    return count;
}

int remainingPenalty(const ModuleMatrix& m) {
    const int n = m.size;
    uint8_t line[kMaxSize];
    int penalty = 0;
    int dark = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            line[j] = m.get(i, j);
            dark += line[j];
        }
        penalty += linePenalty(line, n);
    }
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            line[i] = m.get(i, j);
        }
        penalty += linePenalty(line, n);
    }
    const int e = (dark / (n * n / 100) - 50) / 5;
    return penalty + 10 * std::abs(e);
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
