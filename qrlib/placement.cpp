#include "placement.h"

#include <cstddef>

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
    const uint64_t* function = &s.function.rows[0][0];
    uint64_t* modules = &s.modules.rows[0][0];
    bool upward = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) {
            right = 5;
        }
        // Masks and words of the two columns; the rows are walked by offset.
        const uint64_t rightMask = uint64_t{1} << (right & 63);
        const uint64_t leftMask = uint64_t{1} << ((right - 1) & 63);
        const int rightWord = right >> 6;
        const int leftWord = (right - 1) >> 6;
        const std::ptrdiff_t stride = upward ? -kWordsPerRow : kWordsPerRow;
        std::ptrdiff_t at = upward ? std::ptrdiff_t{n - 1} * kWordsPerRow : 0;
        for (int step = 0; step < n; ++step, at += stride) {
            // Data modules are light until placed, so setting is an OR.
            if ((function[at + rightWord] & rightMask) == 0) {
                modules[at + rightWord] |= rightMask & (0 - bits.next());
            }
            if ((function[at + leftWord] & leftMask) == 0) {
                modules[at + leftWord] |= leftMask & (0 - bits.next());
            }
        }
        upward = !upward;
    }
}

} // namespace qvbarqr
