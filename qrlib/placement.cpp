#include "placement.h"

#include <bit>
#include <cstddef>
#include <cstring>

namespace qvbarqr {

namespace {

// The codeword bits in placement order, most significant first, read a byte
// at a time into a 64-bit buffer; past the last codeword every bit is 0
// (light remainder bits).
class CodewordBits {
public:
    CodewordBits(const uint8_t* codewords, int count) : data_(codewords), count_(count) {}

    // The next `count` bits (1 to 8), the first of them the most significant.
    template <int count> uint64_t take() {
        if (left_ < count) {
            topUp();
        }
        const uint64_t bits = buffer_ >> (64 - count);
        buffer_ <<= count;
        left_ -= count;
        return bits;
    }

private:
    // Seven bytes at once while eight can be read (the eighth is dropped, so
    // the bits below the unread ones stay zero); byte by byte near the end.
    void topUp() {
        if (read_ + 8 <= count_) {
            uint64_t word;
            std::memcpy(&word, data_ + read_, sizeof word);
            if constexpr (std::endian::native == std::endian::little) {
                word = __builtin_bswap64(word);
            }
            buffer_ |= (word & ~uint64_t{0xFF}) >> left_;
            left_ += 56;
            read_ += 7;
            return;
        }
        for (; left_ <= 56; left_ += 8, ++read_) {
            const uint64_t byte = read_ < count_ ? data_[read_] : 0u;
            buffer_ |= byte << (56 - left_);
        }
    }

    const uint8_t* data_;
    int count_;
    int read_ = 0;
    uint64_t buffer_ = 0; // unread bits at the top, zeros below them
    int left_ = 0;
};

// Two columns in one word, `shift` the left one's bit; `at` walks the rows,
// `stride` words a step, known when compiled so that the four rows of a
// group are fixed offsets from one pointer. A row whose two modules are free
// takes the next two bits at once, the right module's first and so the
// higher; four such rows in a row take eight.
template <std::ptrdiff_t stride>
void placePairInOneWord(const uint64_t* function, uint64_t* modules, std::ptrdiff_t at, int n,
                        int shift, CodewordBits& from) {
    CodewordBits bits = from; // a copy the stores below cannot alias
    auto placeRow = [&](std::ptrdiff_t row) {
        const auto used = static_cast<unsigned>(function[row] >> shift) & 3u;
        if (used == 0) {
            modules[row] |= bits.take<2>() << shift;
        } else if (used != 3) {
            modules[row] |= bits.take<1>() << (used == 1 ? shift + 1 : shift);
        }
    };
    int step = 0;
    for (; step + 4 <= n; step += 4, at += 4 * stride) {
        const uint64_t used = function[at] | function[at + stride] | function[at + 2 * stride] |
                              function[at + 3 * stride];
        if (((used >> shift) & 3u) != 0) {
            placeRow(at);
            placeRow(at + stride);
            placeRow(at + 2 * stride);
            placeRow(at + 3 * stride);
            continue;
        }
        const uint64_t eight = bits.take<8>();
        for (int k = 0; k < 4; ++k) {
            modules[at + k * stride] |= ((eight >> (6 - 2 * k)) & 3u) << shift;
        }
    }
    for (; step < n; ++step, at += stride) {
        placeRow(at);
    }
    from = bits;
}

// Two columns in neighbouring words, module by module.
void placePairAcrossWords(const uint64_t* function, uint64_t* modules, std::ptrdiff_t at,
                          std::ptrdiff_t stride, int n, int right, CodewordBits& bits) {
    const uint64_t rightMask = uint64_t{1} << (right & 63);
    const uint64_t leftMask = uint64_t{1} << ((right - 1) & 63);
    const int rightWord = right >> 6;
    const int leftWord = (right - 1) >> 6;
    for (int step = 0; step < n; ++step, at += stride) {
        if ((function[at + rightWord] & rightMask) == 0) {
            modules[at + rightWord] |= rightMask & (0 - bits.take<1>());
        }
        if ((function[at + leftWord] & leftMask) == 0) {
            modules[at + leftWord] |= leftMask & (0 - bits.take<1>());
        }
    }
}

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
        // The rows are walked by offset; data modules are light until
        // placed, so setting is an OR.
        const std::ptrdiff_t stride = upward ? -kWordsPerRow : kWordsPerRow;
        const std::ptrdiff_t at = upward ? std::ptrdiff_t{n - 1} * kWordsPerRow : 0;
        const int word = (right - 1) >> 6;
        if (right >> 6 == word && upward) {
            placePairInOneWord<-kWordsPerRow>(function + word, modules + word, at, n,
                                              (right - 1) & 63, bits);
        } else if (right >> 6 == word) {
            placePairInOneWord<kWordsPerRow>(function + word, modules + word, at, n,
                                             (right - 1) & 63, bits);
        } else {
            placePairAcrossWords(function, modules, at, stride, n, right, bits);
        }
        upward = !upward;
    }
}

} // namespace qvbarqr
