#include "masks.h"

#include <array>

namespace qvbarqr {

namespace {

// Every pattern repeats after 12 rows and 6 columns; the table holds each
// pattern's 12 row variants over a whole 192-bit row.
constexpr int kRowPeriod = 12;

using PatternRows = std::array<std::array<std::array<uint64_t, kWordsPerRow>, kRowPeriod>, 8>;

constexpr bool condition(int mask, int i, int j) {
    switch (mask) {
    case 0:
        return (i + j) % 2 == 0;
    case 1:
        return i % 2 == 0;
    case 2:
        return j % 3 == 0;
    case 3:
        return (i + j) % 3 == 0;
    case 4:
        return (i / 2 + j / 3) % 2 == 0;
    case 5:
        return (i * j) % 2 + (i * j) % 3 == 0;
    case 6:
        return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    case 7:
        return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
    default:
        return false;
    }
}

constexpr PatternRows makePatternRows() {
    PatternRows rows{};
    for (int mask = 0; mask < 8; ++mask) {
        for (int i = 0; i < kRowPeriod; ++i) {
            for (int j = 0; j < kWordsPerRow * 64; ++j) {
                if (condition(mask, i, j)) {
                    rows[mask][i][j >> 6] |= uint64_t{1} << (j & 63);
                }
            }
        }
    }
    return rows;
}

constexpr PatternRows kPatternRows = makePatternRows();

} // namespace

bool maskCondition(int mask, int i, int j) {
    return condition(mask, i, j);
}

void applyMask(ModuleMatrix& modules, const ModuleMatrix& function, int mask) {
    const int n = modules.size;
    for (int i = 0; i < n; ++i) {
        const auto& pattern = kPatternRows[mask][i % kRowPeriod];
        for (int w = 0; w < kWordsPerRow; ++w) {
            const int firstCol = w * 64;
            if (firstCol >= n) {
                break;
            }
            const uint64_t inRow =
                n - firstCol >= 64 ? ~uint64_t{0} : (uint64_t{1} << (n - firstCol)) - 1;
            modules.rows[i][w] ^= pattern[w] & ~function.rows[i][w] & inRow;
        }
    }
}

} // namespace qvbarqr
