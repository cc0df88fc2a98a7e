// The library's two-stage mask choice, checked against a plain
// module-by-module reading of its rule over the eight masked symbols.
#include "QvBarQR.h"
#include "mask_selection.h"
#include "qr_test_support.h"
#include "sample_data.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <numeric>
#include <string>
#include <vector>

using namespace qrtest;

namespace {

int sameColourBlocks(const Matrix& m) {
    int count = 0;
    for (int r = 0; r + 1 < m.size; ++r) {
        for (int c = 0; c + 1 < m.size; ++c) {
            const bool v = m.at(r, c);
            count += v == m.at(r, c + 1) && v == m.at(r + 1, c) && v == m.at(r + 1, c + 1);
        }
    }
    return count;
}

// Penalty of one line: runs of five or more, and 1:1:3:1:1 dark-light-dark-
// light-dark patterns with a light run of 4u or more (or the edge) beside them.
int linePenalty(const std::vector<bool>& line) {
    const int n = static_cast<int>(line.size());
    int penalty = 0;
    for (int start = 0; start < n;) {
        int end = start;
        while (end < n && line[end] == line[start]) {
            ++end;
        }
        if (end - start >= 5) {
            penalty += 3 + (end - start - 5);
        }
        start = end;
    }
    auto runLength = [&](int from, bool colour) {
        int k = from;
        while (k < n && line[k] == colour) {
            ++k;
        }
        return k - from;
    };
    for (int p = 0; p < n; ++p) {
        if (!line[p] || (p > 0 && line[p - 1])) {
            continue; // a pattern starts where a dark run starts
        }
        const int u = runLength(p, true);
        const int lengths[5] = {u, u, 3 * u, u, u};
        int at = p;
        bool matches = true;
        for (int k = 0; k < 5 && matches; ++k) {
            matches = at < n && runLength(at, k % 2 == 0) == lengths[k];
            at += lengths[k];
        }
        if (!matches) {
            continue;
        }
        int lightBefore = 0;
        while (p - lightBefore - 1 >= 0 && !line[p - lightBefore - 1]) {
            ++lightBefore;
        }
        const bool before = p == 0 || lightBefore >= 4 * u;
        const bool after = at == n || runLength(at, false) >= 4 * u;
        if (before || after) {
            penalty += 40;
        }
    }
    return penalty;
}

int remainingPenalty(const Matrix& m) {
    int penalty = 0, dark = 0;
    for (int i = 0; i < m.size; ++i) {
        std::vector<bool> row, col;
        for (int j = 0; j < m.size; ++j) {
            row.push_back(m.at(i, j));
            col.push_back(m.at(j, i));
            dark += m.at(i, j);
        }
        penalty += linePenalty(row) + linePenalty(col);
    }
    const int e = (dark / (m.size * m.size / 100) - 50) / 5;
    return penalty + 10 * std::abs(e);
}

// The mask the rule picks among the eight masked symbols.
int maskByRule(const std::array<Matrix, 8>& masked) {
    std::array<int, 8> first{};
    for (int k = 0; k < 8; ++k) {
        first[k] = 20888 - 3 * sameColourBlocks(masked[k]);
    }
    std::array<int, 8> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return first[a] > first[b]; });
    int best = order[0], bestScore = first[order[0]] - remainingPenalty(masked[order[0]]);
    for (int k = 1; k < 3; ++k) {
        const int score = first[order[k]] - remainingPenalty(masked[order[k]]);
        if (score > bestScore) {
            best = order[k];
            bestScore = score;
        }
    }
    return best;
}

} // namespace

TEST(MaskChoice, FollowsTheTwoStageRule) {
    const Content kinds[] = {Content::Numeric, Content::Alphanumeric, Content::Mixed,
                             Content::Binary, Content::Kanji};
    int chosen[8] = {};
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        const Content kind = kinds[seed % 5];
        const std::string data = sampleData(kind, static_cast<int>(8 + seed * 13), seed);
        const int level = static_cast<int>(seed % 4);
        std::array<Matrix, 8> masked;
        for (int mask = 0; mask < 8; ++mask) {
            const Drawn d = drawSymbol(paramFor(data, 1, level, mask, 0), 1);
            ASSERT_EQ(d.code, 0);
            masked[mask] = d.matrix;
        }
        const Drawn automatic = drawSymbol(paramFor(data, 1, level, -1, 0), 1);
        ASSERT_EQ(automatic.code, 0);
        const int expected = maskByRule(masked);
        EXPECT_TRUE(automatic.matrix == masked[expected])
            << "seed " << seed << ": the rule picks mask " << expected;
        ++chosen[expected];
    }
    // The data vary enough that the choice is not always the same mask.
    EXPECT_LT(*std::max_element(chosen, chosen + 8), 30);
}

TEST(MaskChoice, Model1ChoosesByTheSameRule) {
    const std::string data = "MODEL 1 AUTOMATIC MASK";
    std::array<Matrix, 8> masked;
    for (int mask = 0; mask < 8; ++mask) {
        const Drawn d = drawSymbol(paramFor(data, 0, 1, mask, 0), 1);
        ASSERT_EQ(d.code, 0);
        masked[mask] = d.matrix;
    }
    const Drawn automatic = drawSymbol(paramFor(data, 0, 1, -1, 0), 1);
    ASSERT_EQ(automatic.code, 0);
    EXPECT_TRUE(automatic.matrix == masked[maskByRule(masked)]);
}

namespace {

qvbarqr::ModuleMatrix toModules(const Matrix& m) {
    qvbarqr::ModuleMatrix out;
    out.reset(m.size);
    for (int r = 0; r < m.size; ++r) {
        for (int c = 0; c < m.size; ++c) {
            out.set(r, c, m.at(r, c));
        }
    }
    return out;
}

// Writes a 1:1:3:1:1 pattern of unit u with `lightBefore` and `lightAfter`
// light modules around it along row (or column) `line` from `start`.
void putPattern(Matrix& m, bool inRow, int line, int start, int u, int lightBefore,
                int lightAfter) {
    const int runs[5] = {u, u, 3 * u, u, u};
    int at = start - lightBefore;
    auto put = [&](bool dark) {
        if (at >= 0 && at < m.size) {
            (inRow ? m.dark[line * m.size + at] : m.dark[at * m.size + line]) = dark;
        }
        ++at;
    };
    for (int i = 0; i < lightBefore; ++i) {
        put(false);
    }
    for (int k = 0; k < 5; ++k) {
        for (int i = 0; i < runs[k]; ++i) {
            put(k % 2 == 0);
        }
    }
    for (int i = 0; i < lightAfter; ++i) {
        put(false);
    }
    if (at < m.size) {
        put(true); // close the light run so that its length is exact
    }
}

} // namespace

// The word-wise block count and penalty of the library against the plain
// reading of the rule on matrices with finder-like patterns of units 1 to 4
// placed at the edges, in the middle, with and without enough light beside
// them. At sizes 65 and 129 the last pair of columns spans two words.
TEST(MaskChoice, PenaltyMatchesTheRuleOnCraftedMatrices) {
    uint32_t state = 12345;
    auto next = [&](uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % bound);
    };
    for (int size : {21, 45, 63, 64, 65, 77, 101, 129, 177}) {
        for (int round = 0; round < 6; ++round) {
            Matrix m;
            m.size = size;
            for (int i = 0; i < size * size; ++i) {
                m.dark.push_back(next(100) < 35 + round * 6);
            }
            for (int k = 0; k < 12; ++k) {
                const int u = 1 + next(4);
                const int room = std::max(size - 7 * u, 1);
                const int start = k % 3 == 0 ? 0 : k % 3 == 1 ? size - 7 * u : next(room);
                putPattern(m, k % 2 == 0, next(size), start, u, next(5 * u), next(5 * u));
            }
            EXPECT_EQ(qvbarqr::countSameColourBlocks(toModules(m)), sameColourBlocks(m))
                << "size " << size << " round " << round;
            EXPECT_EQ(qvbarqr::remainingPenalty(toModules(m)), remainingPenalty(m))
                << "size " << size << " round " << round << "\n"
                << asciiArt(m);
        }
    }
}

// Middle dark runs one or two modules longer than 3u, which fit no unit,
// beside exact ones of units 2 and 3, in rows and in columns, at the edges
// and inside, with or without enough light before them.
TEST(MaskChoice, PenaltyMatchesTheRuleAroundWideMiddleRuns) {
    constexpr int kSize = 45;
    for (const int u : {2, 3}) {
        for (const int longer : {0, 1, 2}) {
            for (const bool inRow : {false, true}) {
                Matrix m;
                m.size = kSize;
                m.dark.assign(kSize * kSize, 0);
                for (int line = 0; line < kSize; line += 4) {
                    const int start = line % 3 == 0 ? 0 : line % 3 == 1 ? kSize - 7 * u : 10;
                    putPattern(m, inRow, line, start, u, line % 5 * u, 4 * u);
                    for (int k = 0; k < longer; ++k) {
                        const int at = start + 5 * u + k;
                        (inRow ? m.dark[line * kSize + at] : m.dark[at * kSize + line]) = 1;
                    }
                }
                EXPECT_EQ(qvbarqr::remainingPenalty(toModules(m)), remainingPenalty(m))
                    << "unit " << u << " longer by " << longer
                    << (inRow ? " in rows" : " in columns") << "\n"
                    << asciiArt(m);
            }
        }
    }
}

// Patterns of units 1 and 2 that many light modules from either edge of a
// row or a column, the rest of the line dark, in symbols that take one word
// per row, up to the widest such: only a pattern touching the edge has it
// for its light run.
TEST(MaskChoice, PenaltyMatchesTheRuleNearTheEdges) {
    for (const int size : {45, 64}) {
        for (const int u : {1, 2}) {
            for (const bool inRow : {false, true}) {
                for (int gap = 0; gap <= 4 * u + 1; ++gap) {
                    Matrix m;
                    m.size = size;
                    m.dark.assign(static_cast<std::size_t>(size * size), 1);
                    for (int line = 1; line + 1 < size; line += 4) {
                        const bool nearEnd = line % 8 == 5;
                        const int start = nearEnd ? size - 7 * u - gap : gap;
                        putPattern(m, inRow, line, start, u, nearEnd ? 1 : gap, nearEnd ? gap : 1);
                    }
                    EXPECT_EQ(qvbarqr::remainingPenalty(toModules(m)), remainingPenalty(m))
                        << "size " << size << " unit " << u << " gap " << gap
                        << (inRow ? " in rows" : " in columns") << "\n"
                        << asciiArt(m);
                }
            }
        }
    }
}
