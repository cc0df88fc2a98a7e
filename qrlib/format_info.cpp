#include "format_info.h"

#include <array>

namespace qvbarqr {

namespace {

constexpr uint32_t kFormatGenerator = 0x537;
constexpr uint32_t kModel2FormatMask = 0x5412;
constexpr uint32_t kModel1FormatMask = 0x2825;
constexpr uint32_t kVersionGenerator = 0x1F25;
constexpr uint32_t kLevelIndicator[4] = {0b01, 0b00, 0b11, 0b10}; // L, M, Q, H

// Appends the remainder of value * x^(degree of generator) divided by the generator.
constexpr uint32_t bchCode(uint32_t value, uint32_t generator, int checkBits) {
    uint32_t rem = value << checkBits;
    for (int bit = 31; bit >= checkBits; --bit) {
        if (rem & (1u << bit)) {
            rem ^= generator << (bit - checkBits);
        }
    }
    return (value << checkBits) | rem;
}

// Version information of versions 7 to 40 (ISO/IEC 18004 Table D.1).
constexpr std::array<uint32_t, 34> makeVersionCodes() {
    std::array<uint32_t, 34> codes{};
    for (int v = 7; v <= 40; ++v) {
        codes[v - 7] = bchCode(static_cast<uint32_t>(v), kVersionGenerator, 12);
    }
    return codes;
}

constexpr std::array<uint32_t, 34> kVersionCodes = makeVersionCodes();

// Format information by model (0 for Model 1), level and mask 0-7, with the
// model's mask applied.
using FormatCodes = std::array<std::array<std::array<uint32_t, 8>, 4>, 2>;

constexpr FormatCodes makeFormatCodes() {
    FormatCodes codes{};
    for (int level = 0; level < 4; ++level) {
        for (uint32_t mask = 0; mask < 8; ++mask) {
            const uint32_t code =
                bchCode((kLevelIndicator[level] << 3) | mask, kFormatGenerator, 10);
            codes[0][level][mask] = code ^ kModel1FormatMask;
            codes[1][level][mask] = code ^ kModel2FormatMask;
        }
    }
    return codes;
}

constexpr FormatCodes kFormatCodes = makeFormatCodes();

bool bitAt(uint32_t bits, int i) {
    return (bits >> i) & 1u;
}

// The low `count` bits of `bits`, the lowest becoming the highest.
uint64_t reversed(uint32_t bits, int count) {
    uint64_t r = 0;
    for (int k = 0; k < count; ++k) {
        r |= uint64_t{bitAt(bits, k)} << (count - 1 - k);
    }
    return r;
}

} // namespace

uint32_t formatBits(Model model, int level, int mask) {
    if (mask == 8) {
        return 0;
    }
    return kFormatCodes[model == Model::Two ? 1 : 0][level][mask];
}

uint32_t versionBits(int version) {
    return kVersionCodes[version - 7];
}

void writeFormatInfo(ModuleMatrix& m, uint32_t bits) {
    const int n = m.size;
    // Around the top-left finder: column 8 from the top, then row 8 leftward,
    // skipping the timing modules. Row 8 takes its bits a run at a time, as
    // the mask choice writes them for every trial.
    for (int i = 0; i <= 5; ++i) {
        m.set(i, 8, bitAt(bits, i));
    }
    m.set(7, 8, bitAt(bits, 6));
    m.setRun(8, 7, 2, reversed(bits >> 7, 2));
    m.setRun(8, 0, 6, reversed(bits >> 9, 6));
    // Second copy: row 8 under the top-right finder, column 8 beside the bottom-left.
    m.setRun(8, n - 8, 8, reversed(bits, 8));
    for (int i = 8; i < 15; ++i) {
        m.set(n - 15 + i, 8, bitAt(bits, i));
    }
}

void writeVersionInfo(SymbolMatrix& s, int version) {
    if (version < 7) {
        return;
    }
    const uint32_t bits = versionBits(version);
    const int n = s.modules.size;
    for (int i = 0; i < 18; ++i) {
        const int a = n - 11 + i % 3;
        const int b = i / 3;
        s.setFunction(a, b, bitAt(bits, i)); // above the bottom-left finder
        s.setFunction(b, a, bitAt(bits, i)); // left of the top-right finder
    }
}

} // namespace qvbarqr
