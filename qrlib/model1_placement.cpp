#include "placement.h"
#include "qr_error.h"

namespace qvbarqr {

namespace {

constexpr uint8_t kVerticalFiller = 0xAA;
constexpr uint8_t kHorizontalFiller = 0xF0;

// Walks the Model 1 block order, handing out codewords in sequence.
class Model1Walk {
public:
    Model1Walk(SymbolMatrix& s, const uint8_t* codewords, int count)
        : s_(s), codewords_(codewords), count_(count) {}

    void run() {
        const int n = s_.modules.size;
        const int c = n - 1, b = n - 3, d = n - 9;
        int block = 0;
        for (int y = c; y > 8; y -= 4, ++block) {
            if (y == c || y < 13 || block % 2 == 1) {
                vertical(c, y, next());
            } else {
                filler(c, y, kVerticalFiller, false);
            }
        }
        for (int y = c; y > 8; y -= 4) {
            vertical(b, y, next());
        }
        for (int y = c; y > 8; y -= 2) {
            horizontal(c - 4, y, next());
        }
        int group = 0;
        for (int x = d; x > 8; x -= 4, ++group) {
            for (int h = b;; h = h == 6 ? 3 : h - 2) {
                if (h == b && x >= 13 && group % 2 == 0) {
                    filler(x, h + 2, kHorizontalFiller, true);
                } else {
                    horizontal(x, h + 2, next());
                }
                if (h <= 0) {
                    break;
                }
            }
        }
        for (int x = 8; x > 0; x = x == 8 ? 5 : x - 2) {
            for (int y = d; y > 8; y -= 4) {
                vertical(x, y, next());
            }
        }
        if (used_ != count_) {
            throw CQRErr(1);
        }
    }

private:
    uint8_t next() {
        if (used_ >= count_) {
            throw CQRErr(1);
        }
        return codewords_[used_++];
    }

    // Bit k of a block at (x - dx(k), y - dy(k)); x column, y row.
    void vertical(int x, int y, uint8_t value) {
        for (int k = 0; k < 8; ++k) {
            put(y - k / 2, x - k % 2, bitOf(value, k), false);
        }
    }
    void horizontal(int x, int y, uint8_t value) {
        for (int k = 0; k < 8; ++k) {
            put(y - k / 4, x - k % 4, bitOf(value, k), false);
        }
    }
    void filler(int x, int y, uint8_t value, bool wide) {
        for (int k = 0; k < 8; ++k) {
            const int row = wide ? y - k / 4 : y - k / 2;
            const int col = wide ? x - k % 4 : x - k % 2;
            put(row, col, bitOf(value, k), true);
        }
    }

    static bool bitOf(uint8_t value, int k) { return (value >> (7 - k)) & 1u; }

    void put(int row, int col, bool dark, bool isFiller) {
        const int n = s_.modules.size;
        if (row < 0 || row >= n || col < 0 || col >= n) {
            throw CQRErr(1);
        }
        if (isFiller) {
            s_.setFunction(row, col, dark);
        } else if (!s_.function.get(row, col)) {
            s_.modules.set(row, col, dark);
        }
    }

    SymbolMatrix& s_;
    const uint8_t* codewords_;
    int count_;
    int used_ = 0;
};

} // namespace

void placeModel1Codewords(SymbolMatrix& s, const uint8_t* codewords, int count) {
    Model1Walk(s, codewords, count).run();
}

} // namespace qvbarqr
