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

// Sixteen bytes handled as one value (one register where the target has them).
using Lane = uint8_t __attribute__((vector_size(16)));

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

ReedSolomonCoder::ReedSolomonCoder(int ecCount) : ecCount_(ecCount), lanes_((ecCount + 15) / 16) {
    static_assert(kMaxDegree <= kRowBytes);
    const uint8_t* g = generatorExponents(ecCount);
    if (g == nullptr) {
        throw CQRErr(9);
    }
    std::memset(low_, 0, sizeof low_);
    std::memset(high_, 0, sizeof high_);
    for (int j = 0; j < ecCount; ++j) {
        low_[1][j] = kField.exp[g[j]];
    }
    // Rows of the single bits by doubling in the field, the others by adding
    // them; only the lanes that encode reads.
    const int used = lanes_ * kLane;
    for (int bit = 1; bit < 8; ++bit) {
        const uint8_t* from = bit == 4  ? low_[8]
                              : bit < 4 ? low_[1 << (bit - 1)]
                                        : high_[1 << (bit - 5)];
        uint8_t* to = bit < 4 ? low_[1 << bit] : high_[1 << (bit - 4)];
        for (int j = 0; j < used; ++j) {
            to[j] = static_cast<uint8_t>((from[j] << 1) ^ ((from[j] >> 7) * 0x1D));
        }
    }
    for (int x = 3; x < 16; ++x) {
        const int lowest = x & -x;
        if (lowest == x) {
            continue;
        }
        for (int j = 0; j < used; ++j) {
            low_[x][j] = static_cast<uint8_t>(low_[x - lowest][j] ^ low_[lowest][j]);
            high_[x][j] = static_cast<uint8_t>(high_[x - lowest][j] ^ high_[lowest][j]);
        }
    }
}

void ReedSolomonCoder::encode(const uint8_t* data, int dataCount, uint8_t* ec) const {
    // The remainder register; its bytes past ecCount stay zero, so that the
    // last codeword shifts in a zero.
    uint8_t reg[kRowBytes + 1] = {};
    for (int i = 0; i < dataCount; ++i) {
        const uint8_t feedback = static_cast<uint8_t>(reg[0] ^ data[i]);
        const uint8_t* low = low_[feedback & 15];
        const uint8_t* high = high_[feedback >> 4];
        for (int lane = 0; lane < lanes_; ++lane) {
            const int at = lane * kLane;
            Lane next;
            Lane lowProduct;
            Lane highProduct;
            std::memcpy(&next, reg + at + 1, kLane);
            std::memcpy(&lowProduct, low + at, kLane);
            std::memcpy(&highProduct, high + at, kLane);
            next ^= lowProduct ^ highProduct;
            std::memcpy(reg + at, &next, kLane);
        }
    }
    std::memcpy(ec, reg, static_cast<std::size_t>(ecCount_));
}

void computeErrorCorrection(const uint8_t* data, int dataCount, int ecCount, uint8_t* ec) {
    ReedSolomonCoder(ecCount).encode(data, dataCount, ec);
}

} // namespace qvbarqr
