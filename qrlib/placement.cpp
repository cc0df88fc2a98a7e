#include "placement.h"

namespace qvbarqr {

void placeModel2Codewords(SymbolMatrix& s, const uint8_t* codewords, int count) {
    const int n = s.modules.size;
    const int totalBits = count * 8;
    int bit = 0;
    bool upward = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) {
            right = 5;
        }
        for (int step = 0; step < n; ++step) {
            const int row = upward ? n - 1 - step : step;
            for (int col = right; col >= right - 1; --col) {
                if (s.function.get(row, col)) {
                    continue;
                }
                // Data modules are light until placed, so setting is an OR.
                const uint64_t dark =
                    bit < totalBits ? (codewords[bit >> 3] >> (7 - (bit & 7))) & 1u : 0;
                s.modules.rows[row][col >> 6] |= dark << (col & 63);
                ++bit;
            }
        }
        upward = !upward;
    }
}

} // namespace qvbarqr
