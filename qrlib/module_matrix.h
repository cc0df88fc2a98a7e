#pragma once

#include <cstdint>
#include <cstring>

namespace qvbarqr {

inline constexpr int kMaxSize = 177;
inline constexpr int kWordsPerRow = 3; // 192 bits hold the widest row

// Set bits of a word, without relying on a population-count instruction.
inline int countBits(uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555u);
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((x * 0x0101010101010101u) >> 56);
}

// Marks a function that counts the bits of many words: on x86-64 it is built
// twice, and the copy in which countBits is the processor's population-count
// instruction runs on processors that have it. Its helpers are inlined into
// both copies.
#if defined(__x86_64__) && defined(__ELF__)
#define QVBARQR_COUNTS_BITS __attribute__((target_clones("popcnt", "default")))
#else
#define QVBARQR_COUNTS_BITS
#endif

// A square bit matrix, one bit per module (dark = 1). Bit j of a row, counted
// from the least significant bit of its first word, is column j; on a
// little-endian machine the row's bytes read as bit k of byte m holding
// column 8m + k. Bits past the symbol's width stay zero.
struct ModuleMatrix {
    int size = 0;
    uint64_t rows[kMaxSize][kWordsPerRow];

    void reset(int n) {
        size = n;
        std::memset(rows, 0, sizeof rows);
    }
    bool get(int row, int col) const { return (rows[row][col >> 6] >> (col & 63)) & 1u; }
    // Sets `count` (1 to 63) modules of a row from column `col` on: bit k of
    // `bits` is column col + k.
    void setRun(int row, int col, int count, uint64_t bits) {
        const uint64_t mask = (uint64_t{1} << count) - 1;
        const int word = col >> 6;
        const int offset = col & 63;
        rows[row][word] = (rows[row][word] & ~(mask << offset)) | ((bits & mask) << offset);
        if (offset + count > 64) {
            const int shift = 64 - offset;
            uint64_t& next = rows[row][word + 1];
            next = (next & ~(mask >> shift)) | ((bits & mask) >> shift);
        }
    }
    // Without a branch: patterns alternate colours too often to predict.
    void set(int row, int col, bool dark) {
        const uint64_t bit = uint64_t{1} << (col & 63);
        uint64_t& word = rows[row][col >> 6];
        word = (word & ~bit) | (bit & (0 - uint64_t{dark}));
    }
};

// A symbol under construction: its modules and the function-area matrix that
// marks the modules data placement and masking leave alone.
struct SymbolMatrix {
    ModuleMatrix modules;
    ModuleMatrix function;

    void reset(int n) {
        modules.reset(n);
        function.reset(n);
    }
    // Sets a run of modules of a function pattern (see ModuleMatrix::setRun).
    void setFunctionRun(int row, int col, int count, uint64_t bits) {
        modules.setRun(row, col, count, bits);
        function.setRun(row, col, count, ~uint64_t{0});
    }
    // Sets a module of a function pattern.
    void setFunction(int row, int col, bool dark) {
        modules.set(row, col, dark);
        function.set(row, col, true);
    }
};

} // namespace qvbarqr
