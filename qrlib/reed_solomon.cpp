#include "reed_solomon.h"

#include "qr_error.h"

#include <array>
#include <cstring>

namespace qvbarqr {

namespace {

// Degrees of the generator polynomials the block structures need.
constexpr std::array<int, 31> kGeneratorDegrees = {7,  10, 13, 15, 16, 17, 18, 20, 22, 24, 26,
                                                   28, 30, 32, 34, 36, 40, 42, 44, 46, 48, 50,
                                                   52, 54, 56, 58, 60, 62, 64, 66, 68};
constexpr int kMaxDegree = 68;

// exp holds two periods so that exp[log a + log b] needs no reduction.
struct FieldTables {
    std::array<uint8_t, 510> exp{};
    std::array<int, 256> log{};
};

constexpr FieldTables makeFieldTables() {
    FieldTables t;
    int value = 1;
    for (int i = 0; i < 255; ++i) {
        t.exp[i] = static_cast<uint8_t>(value);
        t.exp[i + 255] = static_cast<uint8_t>(value);
        t.log[value] = i;
        value <<= 1;
        if (value & 0x100) {
            value ^= 0x11D;
        }
    }
    return t;
}

constexpr FieldTables kField = makeFieldTables();

constexpr uint8_t multiply(uint8_t a, uint8_t b) {
    if (a == 0 || b == 0) {
        return 0;
    }
    return kField.exp[kField.log[a] + kField.log[b]];
}

using Generators = std::array<std::array<uint8_t, kMaxDegree>, kGeneratorDegrees.size()>;

// The product of (x - alpha^i) for i = 0 .. n-1, in exponent form.
constexpr Generators makeGenerators() {
    Generators g{};
    for (std::size_t k = 0; k < kGeneratorDegrees.size(); ++k) {
        const int n = kGeneratorDegrees[k];
        std::array<uint8_t, kMaxDegree + 1> coef{}; // coef[0] is the leading coefficient
        coef[0] = 1;
        for (int i = 0; i < n; ++i) {
            const uint8_t root = kField.exp[i];
            for (int j = i + 1; j >= 1; --j) {
                coef[j] = static_cast<uint8_t>(coef[j] ^ multiply(coef[j - 1], root));
            }
        }
        for (int j = 0; j < n; ++j) {
            g[k][j] = static_cast<uint8_t>(kField.log[coef[j + 1]]);
        }
    }
    return g;
}

constexpr Generators kGenerators = makeGenerators();

} // namespace

uint8_t gfExp(int exponent) {
    return kField.exp[exponent % 255];
}

int gfLog(uint8_t value) {
    return kField.log[value];
}

const uint8_t* generatorExponents(int n) {
    for (std::size_t k = 0; k < kGeneratorDegrees.size(); ++k) {
        if (kGeneratorDegrees[k] == n) {
            return kGenerators[k].data();
        }
    }
    return nullptr;
}

void computeErrorCorrection(const uint8_t* data, int dataCount, int ecCount, uint8_t* ec) {
    const uint8_t* g = generatorExponents(ecCount);
    if (g == nullptr) {
        throw CQRErr(9);
    }
    std::memset(ec, 0, static_cast<std::size_t>(ecCount));
    for (int i = 0; i < dataCount; ++i) {
        const uint8_t feedback = static_cast<uint8_t>(ec[0] ^ data[i]);
        if (feedback == 0) {
            std::memmove(ec, ec + 1, static_cast<std::size_t>(ecCount - 1));
            ec[ecCount - 1] = 0;
            continue;
        }
        // Shift the register by one and add feedback x generator in one pass.
        const uint8_t* row = kField.exp.data() + kField.log[feedback];
        for (int j = 0; j + 1 < ecCount; ++j) {
            ec[j] = static_cast<uint8_t>(ec[j + 1] ^ row[g[j]]);
        }
        ec[ecCount - 1] = row[g[ecCount - 1]];
    }
}

} // namespace qvbarqr
