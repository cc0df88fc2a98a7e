#include "line_penalty.h"

#include <bit>
#include <cstring>

namespace qvbarqr {

namespace {

constexpr int kFinderScore = 40;

// Rows the scans below read past either end of the symbol without checking.
constexpr int kPad = 12;

// One 64-column slice of the matrix: row i's word w holds module i of 64
// columns, so every step below scores 64 columns at once. The words are
// copied with light rows around them, outside the symbol and past its width.
struct Slice {
    int n;
    uint64_t lanes; // the columns of this slice inside the symbol
    uint64_t padded[kPad + kMaxSize + kPad];
    uint64_t isolated[kMaxSize];  // dark, light in the rows above and below
    uint64_t threeDark[kMaxSize]; // dark in this row and the next two

    // Row i of the slice is wordOf(i), its lanes outside `inside` cleared.
    template <typename WordOf>
    Slice(int size, uint64_t inside, WordOf wordOf) : n(size), lanes(inside) {
        std::memset(padded, 0, sizeof padded[0] * kPad);
        for (int i = 0; i < n; ++i) {
            padded[kPad + i] = wordOf(i) & lanes;
        }
        std::memset(padded + kPad + n, 0, sizeof padded[0] * kPad);
        for (int i = 0; i < n; ++i) {
            isolated[i] = near(i) & ~near(i - 1) & ~near(i + 1);
            threeDark[i] = near(i) & near(i + 1) & near(i + 2);
        }
    }

    // Row i, for -kPad <= i < n + kPad.
    uint64_t near(int i) const { return padded[kPad + i]; }
    // Row i, anywhere; light outside the symbol.
    uint64_t at(int i) const { return i >= 0 && i < n ? padded[kPad + i] : 0; }
    bool dark(int i, int lane) const { return (at(i) >> lane) & 1u; }

    // Rows from..to-1 of a column all of the colour; false outside the symbol.
    bool allOf(int lane, int from, int to, bool colour) const {
        if (from < 0 || to > n) {
            return false;
        }
        for (int i = from; i < to; ++i) {
            if (dark(i, lane) != colour) {
                return false;
            }
        }
        return true;
    }
};

// Runs of five or more: (length - 4) windows of five equal modules, plus 2
// for the window that starts the run, make 3 + (length - 5).
[[gnu::always_inline]] inline int longRunPenalty(const Slice& s) {
    const int n = s.n;
    uint64_t equal[kMaxSize]; // module i equals module i + 1
    for (int i = 0; i + 1 < n; ++i) {
        equal[i] = ~(s.near(i) ^ s.near(i + 1)) & s.lanes;
    }
    int penalty = 0;
    uint64_t continued = 0; // lanes whose module i equals module i - 1
    for (int i = 0; i + 5 <= n; ++i) {
        const uint64_t windows = equal[i] & equal[i + 1] & equal[i + 2] & equal[i + 3];
        penalty += countBits(windows) + 2 * countBits(windows & ~continued);
        continued = equal[i];
    }
    return penalty;
}

// Patterns of unit 1 whose first dark module is row i (the lanes in
// `pattern`): dark, light, three dark, light, dark, with light (or the edge)
// just outside.
[[gnu::always_inline]] inline int narrowFinderPenalty(const Slice& s, int i, uint64_t pattern) {
    const int n = s.n;
    const uint64_t before = i == 0 ? ~uint64_t{0}
                            : i >= 4
                                ? ~(s.near(i - 1) | s.near(i - 2) | s.near(i - 3) | s.near(i - 4))
                                : 0;
    const uint64_t after = i + 7 == n ? ~uint64_t{0}
                           : i + 11 <= n
                               ? ~(s.near(i + 7) | s.near(i + 8) | s.near(i + 9) | s.near(i + 10))
                               : 0;
    return kFinderScore * countBits(pattern & (before | after));
}

// Patterns of unit 2 or more whose dark run of 3u >= 6 in the middle starts
// at row i, after at least two light modules (the lanes in `runs`); each is
// checked on its own. The whole pattern, 2u before the run and 5u from its
// start, lies inside the symbol, so such runs start only at rows 4 to n - 10.
int wideFinderPenalty(const Slice& s, int i, uint64_t runs) {
    const int n = s.n;
    // Most runs end after six or seven modules. Whole words keep those of
    // nine or more, and those of exactly six that have the rest of a unit-2
    // pattern's dark and light pairs around them; runs of seven and eight
    // fit no unit.
    const uint64_t nineOrMore = s.near(i + 6) & s.near(i + 7) & s.near(i + 8);
    const uint64_t unitTwo = ~(s.near(i + 6) | s.near(i + 7)) & s.near(i - 4) & s.near(i - 3) &
                             s.near(i + 8) & s.near(i + 9);
    runs &= nineOrMore | unitTwo;
    int penalty = 0;
    for (; runs != 0; runs &= runs - 1) {
        const int lane = std::countr_zero(runs);
        int length = 6;
        while (i + length < n && s.dark(i + length, lane)) {
            ++length;
        }
        if (length % 3 != 0) {
            continue;
        }
        const int u = length / 3;
        const int first = i - 2 * u;        // start of the pattern
        const int end = i + length + 2 * u; // one past its end
        const bool shape = s.allOf(lane, first, i - u, true) && s.allOf(lane, i - u, i, false) &&
                           s.allOf(lane, i + length, i + length + u, false) &&
                           s.allOf(lane, i + length + u, end, true) && !s.dark(first - 1, lane) &&
                           !s.dark(end, lane);
        if (!shape) {
            continue;
        }
        const bool lightBefore = first == 0 || s.allOf(lane, first - 4 * u, first, false);
        const bool lightAfter = end == n || s.allOf(lane, end, end + 4 * u, false);
        if (lightBefore || lightAfter) {
            penalty += kFinderScore;
        }
    }
    return penalty;
}

// Finder-like patterns of every unit. Both kinds are rare, so one pass over
// the rows looks for the start of either, and each one found is checked on
// its own.
[[gnu::always_inline]] inline int finderPenalty(const Slice& s) {
    const int n = s.n;
    int penalty = 0;
    for (int i = 0; i + 7 <= n; ++i) {
        const uint64_t narrow = s.isolated[i] & s.threeDark[i + 2] & s.isolated[i + 6];
        const uint64_t wide =
            ~(s.near(i - 2) | s.near(i - 1)) & s.threeDark[i] & s.threeDark[i + 3];
        if ((narrow | wide) == 0) {
            continue;
        }
        if (narrow != 0) {
            penalty += narrowFinderPenalty(s, i, narrow);
        }
        if (wide != 0 && i >= 4 && i + 10 <= n) {
            penalty += wideFinderPenalty(s, i, wide);
        }
    }
    return penalty;
}

[[gnu::always_inline]] inline int slicePenalty(const Slice& s) {
    return longRunPenalty(s) + finderPenalty(s);
}

uint64_t lowBits(int count) {
    return count >= 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
}

} // namespace

QVBARQR_COUNTS_BITS int columnsPenalty(const ModuleMatrix& a, const ModuleMatrix& b) {
    const int n = a.size;
    const int whole = n / 64; // slices of 64 columns
    const int rest = n % 64;  // columns of the last slice
    int penalty = 0;
    for (int w = 0; w < whole; ++w) {
        penalty += slicePenalty(Slice(n, ~uint64_t{0}, [&](int i) { return a.rows[i][w]; }));
        penalty += slicePenalty(Slice(n, ~uint64_t{0}, [&](int i) { return b.rows[i][w]; }));
    }
    if (rest == 0) {
        return penalty;
    }
    // Columns never meet, so two short last slices that fit in one are
    // scored together, b's columns above a's.
    if (2 * rest <= 64) {
        return penalty + slicePenalty(Slice(n, lowBits(2 * rest), [&](int i) {
                   return a.rows[i][whole] | (b.rows[i][whole] << rest);
               }));
    }
    penalty += slicePenalty(Slice(n, lowBits(rest), [&](int i) { return a.rows[i][whole]; }));
    return penalty + slicePenalty(Slice(n, lowBits(rest), [&](int i) { return b.rows[i][whole]; }));
}

} // namespace qvbarqr
