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
                const bool dark =
                    bit < totalBits && ((codewords[bit >> 3] >> (7 - (bit & 7))) & 1u);
                s.modules.set(row, col, dark);
                ++bit;
            }
        }
        upward = !upward;
    }
}

} // namespace qvbarqr
