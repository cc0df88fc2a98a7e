#include "function_patterns.h"

#include "format_info.h"
#include "version_table.h"

#include <algorithm>
#include <cstdlib>

namespace qvbarqr {

namespace {

// A finder pattern with its top-left corner at (row, col), and the light
// separator of the 8 x 8 area around it.
void drawFinder(SymbolMatrix& s, int row, int col) {
    const int n = s.modules.size;
    for (int dr = -1; dr <= 7; ++dr) {
        for (int dc = -1; dc <= 7; ++dc) {
            const int r = row + dr, c = col + dc;
            if (r < 0 || r >= n || c < 0 || c >= n) {
                continue;
            }
            const int ring = std::max(std::abs(dr - 3), std::abs(dc - 3));
            s.setFunction(r, c, ring != 2 && ring != 4);
        }
    }
}

void drawAlignment(SymbolMatrix& s, int row, int col) {
    for (int dr = -2; dr <= 2; ++dr) {
        for (int dc = -2; dc <= 2; ++dc) {
            s.setFunction(row + dr, col + dc, std::max(std::abs(dr), std::abs(dc)) != 1);
        }
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
