#include "function_patterns.h"

#include "format_info.h"
#include "version_table.h"

#include <algorithm>

namespace qvbarqr {

namespace {

// The 9 x 9 area of a finder and its separator, from one module above and
// left of the finder's corner: bit k of a row is its column k.
constexpr uint64_t kFinderRows[9] = {0x00, 0xFE, 0x82, 0xBA, 0xBA, 0xBA, 0x82, 0xFE, 0x00};

// A finder pattern with its top-left corner at (row, col), and the light
// separator of the 8 x 8 area around it, row by row; the separator's parts
// outside the symbol are left out.
void drawFinder(SymbolMatrix& s, int row, int col) {
    const int n = s.modules.size;
    const int first = std::max(col - 1, 0);
    const int last = std::min(col + 7, n - 1);
    for (int k = 0; k < 9; ++k) {
        const int r = row - 1 + k;
        if (r >= 0 && r < n) {
            s.setFunctionRun(r, first, last - first + 1, kFinderRows[k] >> (first - (col - 1)));
        }
    }
}

// The five rows of an alignment pattern, bit k of a row its column k.
constexpr uint64_t kAlignmentRows[5] = {0x1F, 0x11, 0x15, 0x11, 0x1F};

void drawAlignment(SymbolMatrix& s, int row, int col) {
    for (int k = 0; k < 5; ++k) {
        s.setFunctionRun(row - 2 + k, col - 2, 5, kAlignmentRows[k]);
    }
}

// Finders, separators, timing, reserved format areas and the dark module.
void drawCommonPatterns(SymbolMatrix& s, int version) {
    const int n = symbolSize(version);
    s.reset(n);
    drawFinder(s, 0, 0);
    drawFinder(s, 0, n - 7);
    drawFinder(s, n - 7, 0);
    for (int i = 8; i <= n - 9; ++i) {
        s.setFunction(6, i, i % 2 == 0);
        s.setFunction(i, 6, i % 2 == 0);
    }
    for (int i = 0; i <= 8; ++i) {
        if (i != 6) {
            s.setFunction(8, i, false);
            s.setFunction(i, 8, false);
        }
    }
    for (int i = 0; i < 8; ++i) {
        s.setFunction(8, n - 1 - i, false);
        s.setFunction(n - 1 - i, 8, false);
    }
    s.setFunction(n - 8, 8, true);
}

} // namespace

int alignmentCoordinates(int version, int* out) {
    if (version < 2) {
        return 0;
    }
    const int n = symbolSize(version);
    const int k = (n - 14) / 28;
    const int step = ((2 * n - 2 * k - 28) / (k + 1) + 1) / 4 * 2 + 2;
    int count = 0;
    for (int c = n - 7; c > 11; c -= step) {
        ++count;
    }
    out[0] = 6;
    for (int i = 0; i < count; ++i) {
        out[count - i] = n - 7 - i * step;
    }
    return count + 1;
}

void drawModel2FunctionPatterns(SymbolMatrix& s, int version) {
    drawCommonPatterns(s, version);
    int coords[7];
    const int count = alignmentCoordinates(version, coords);
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < count; ++j) {
            const bool onFinder =
                (i == 0 && j == 0) || (i == 0 && j == count - 1) || (i == count - 1 && j == 0);
            if (!onFinder) {
                drawAlignment(s, coords[i], coords[j]);
            }
        }
    }
    writeVersionInfo(s, version);
}

void drawModel1FunctionPatterns(SymbolMatrix& s, int version) {
    drawCommonPatterns(s, version);
    const int n = s.modules.size;
    for (int r = n - 2; r < n; ++r) {
        for (int c = n - 2; c < n; ++c) {
            s.setFunction(r, c, r == n - 1 && c == n - 1);
        }
    }
    // Extension-pattern areas: groups of four rows (columns) every eight,
    // starting eight in from the corner, while the group reaches past 12.
    for (int high = n - 9; high > 12; high -= 8) {
        for (int i = high - 3; i <= high; ++i) {
            for (int j = n - 2; j < n; ++j) {
                s.setFunction(i, j, false);
                s.setFunction(j, i, false);
            }
        }
    }
}

} // namespace qvbarqr
