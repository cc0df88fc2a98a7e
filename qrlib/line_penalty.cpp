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

// Whether the dark run of 3u >= 6 that starts at module i of a line of n
// modules, after at least two light ones, is the middle of a finder-like
// pattern with enough light on one side. dark(k) is module k of the line,
// light for any k outside it.
template <typename Dark> bool isWideFinder(int n, int i, Dark dark) {
    int length = 6;
    while (i + length < n && dark(i + length)) {
        ++length;
    }
    if (length % 3 != 0) {
        return false;
    }
    // Modules from..to-1 all of the colour; false past either end.
    auto allOf = [&](int from, int to, bool colour) {
        if (from < 0 || to > n) {
            return false;
        }
        for (int k = from; k < to; ++k) {
            if (dark(k) != colour) {
                return false;
            }
        }
        return true;
    };
    const int u = length / 3;
    const int first = i - 2 * u;        // start of the pattern
    const int end = i + length + 2 * u; // one past its end
    const bool shape = allOf(first, i - u, true) && allOf(i - u, i, false) &&
                       allOf(i + length, i + length + u, false) &&
                       allOf(i + length + u, end, true) && !dark(first - 1) && !dark(end);
    if (!shape) {
        return false;
    }
    const bool lightBefore = first == 0 || allOf(first - 4 * u, first, false);
    const bool lightAfter = end == n || allOf(end, end + 4 * u, false);
    return lightBefore || lightAfter;
}

// Patterns of unit 2 or more whose dark run of 3u >= 6 in the middle starts
// at row i, after at least two light modules (the lanes in `runs`); each is
// checked on its own. The whole pattern, 2u before the run and 5u from its
// start, lies inside the symbol, so such runs start only at rows 4 to n - 10.
int wideFinderPenalty(const Slice& s, int i, uint64_t runs) {
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
        if (isWideFinder(s.n, i, [&](int k) { return s.dark(k, lane); })) {
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

// Two rows handled as one value, in one register where the target has them.
using RowPair = uint64_t __attribute__((vector_size(16)));

constexpr int rowCount(uint64_t) {
    return 1;
}
constexpr int rowCount(const RowPair&) {
    return 2;
}
uint64_t rowOf(uint64_t x, int) {
    return x;
}
uint64_t rowOf(const RowPair& x, int k) {
    return x[k];
}
int bitsOf(uint64_t x) {
    return countBits(x);
}
int bitsOf(const RowPair& x) {
    return countBits(x[0]) + countBits(x[1]);
}

// Penalty of rows of a symbol at most 64 modules wide, one (uint64_t) or two
// (RowPair) at a time, bit j of a row being column j: a shift by k lines
// column j up with column j + k, and the light bits past the width and those
// shifted in below column 0 stand for the light outside the symbol, as the
// padding rows of a Slice do.
template <typename Rows> [[gnu::always_inline]] inline int rowsPenalty(const Rows& x, int n) {
    const Rows none{};
    const Rows equal = ~(x ^ (x >> 1)) & (none + lowBits(n - 1)); // column j equals j + 1
    const Rows windows = equal & (equal >> 1) & (equal >> 2) & (equal >> 3);
    int penalty = bitsOf(windows) + 2 * bitsOf(windows & ~(equal << 1));

    const Rows isolated = x & ~(x << 1) & ~(x >> 1);
    const Rows threeDark = x & (x >> 1) & (x >> 2);
    const Rows narrow = isolated & (threeDark >> 2) & (isolated >> 6);
    // Four light modules before, or the edge right there; one to three
    // modules from the edge, neither.
    const Rows before = ~((x << 1) | (x << 2) | (x << 3) | (x << 4)) & (none + ~uint64_t{0xE});
    // Four light modules after, the edge counting when the pattern ends
    // there; ending one to three modules short of it, neither.
    const Rows after =
        ~((x >> 7) | (x >> 8) | (x >> 9) | (x >> 10)) & (none + ~(uint64_t{7} << (n - 10)));
    penalty += kFinderScore * bitsOf(narrow & (before | after));

    // Wide patterns, filtered as wideFinderPenalty does, between columns 4
    // and n - 10.
    const Rows nineOrMore = (x >> 6) & (x >> 7) & (x >> 8);
    const Rows unitTwo = ~((x >> 6) | (x >> 7)) & (x << 4) & (x << 3) & (x >> 8) & (x >> 9);
    const Rows wide = ~((x << 2) | (x << 1)) & threeDark & (threeDark >> 3) &
                      (nineOrMore | unitTwo) & (none + (lowBits(n - 9) & ~lowBits(4)));
    for (int k = 0; k < rowCount(x); ++k) {
        const uint64_t row = rowOf(x, k);
        for (uint64_t starts = rowOf(wide, k); starts != 0; starts &= starts - 1) {
            const int j = std::countr_zero(starts);
            if (isWideFinder(n, j,
                             [&](int c) { return c >= 0 && c < n && ((row >> c) & 1u) != 0; })) {
                penalty += kFinderScore;
            }
        }
    }
    return penalty;
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

QVBARQR_COUNTS_BITS int narrowSymbolPenalty(const ModuleMatrix& m) {
    const int n = m.size;
    int penalty = slicePenalty(Slice(n, lowBits(n), [&](int i) { return m.rows[i][0]; }));
    int i = 0;
    for (; i + 1 < n; i += 2) {
        penalty += rowsPenalty(RowPair{m.rows[i][0], m.rows[i + 1][0]}, n);
    }
    if (i < n) {
        penalty += rowsPenalty(m.rows[i][0], n);
    }
    return penalty;
}

} // namespace qvbarqr
