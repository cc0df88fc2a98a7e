#include "placement.h"

namespace qvbarqr {

namespace {

// The codeword bits in placement order, most significant first, read eight
// codewords at a time; past the last codeword every bit is 0 (light
// remainder bits).
class CodewordBits {
public:
    CodewordBits(const uint8_t* codewords, int count) : data_(codewords), count_(count) {}

    uint64_t next() {
        if (left_ == 0) {
            refill();
        }
        const uint64_t bit = buffer_ >> 63;
        buffer_ <<= 1;
        --left_;
        return bit;
    }

private:
    void refill() {
        buffer_ = 0;
        for (int k = 0; k < 8; ++k, ++read_) {
            buffer_ = (buffer_ << 8) | (read_ < count_ ? data_[read_] : 0u);
        }
        left_ = 64;
    }

    const uint8_t* data_;
    int count_;
    int read_ = 0;
    uint64_t buffer_ = 0;
    int left_ = 0;
};

} // namespace

void placeModel2Codewords(SymbolMatrix& s, const uint8_t* codewords, int count) {
    const int n = s.modules.size;
    CodewordBits bits(codewords, count);
    bool upward = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) {
            right = 5;
        }
        for (int step = 0; step < n; ++step) {
            const int row = upward ? n - 1 - step : step;
            const uint64_t* function = s.function.rows[row];
            uint64_t* modules = s.modules.rows[row];
            for (int col = right; col >= right - 1; --col) {
                // Data modules are light until placed, so setting is an OR.
                if (((function[col >> 6] >> (col & 63)) & 1u) == 0) {
                    modules[col >> 6] |= bits.next() << (col & 63);
                }
            }
        }
        upward = !upward;
    }
}

} // namespace qvbarqr
