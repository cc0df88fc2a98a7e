#include "masks.h"

#include <array>

namespace qvbarqr {

namespace {

// Every pattern repeats after 12 rows and 6 columns; the table holds each
// pattern's 12 row variants over a whole 192-bit row.
constexpr int kRowPeriod = kMaskRowPeriod;

using PatternRows = std::array<MaskPatternRows, 8>;

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

const MaskPatternRows& maskPatternRows(int mask) {
    return kPatternRows[mask];
}

namespace {

// The rows' first `kWords` words, the number of words a row of the symbol
// takes, known when compiled so that the words stay in registers.
template <int kWords> void maskRows(ModuleMatrix& modules, const ModuleMatrix& function, int mask) {
    const int n = modules.size;
    uint64_t inRow[kWords];
    for (int w = 0; w < kWords; ++w) {
        const int columns = n - w * 64;
        inRow[w] = columns >= 64 ? ~uint64_t{0} : (uint64_t{1} << columns) - 1;
    }
    const auto& patterns = kPatternRows[mask];
    for (int i = 0, phase = 0; i < n; ++i, phase = phase == kRowPeriod - 1 ? 0 : phase + 1) {
        for (int w = 0; w < kWords; ++w) {
            modules.rows[i][w] ^= patterns[phase][w] & ~function.rows[i][w] & inRow[w];
        }
    }
}

} // namespace

void applyMask(ModuleMatrix& modules, const ModuleMatrix& function, int mask) {
    switch ((modules.size + 63) / 64) {
    case 1:
        maskRows<1>(modules, function, mask);
        break;
    case 2:
        maskRows<2>(modules, function, mask);
        break;
    default:
        maskRows<3>(modules, function, mask);
        break;
    }
}

} // namespace qvbarqr
