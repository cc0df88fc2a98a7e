#pragma once

#include <cstdint>

namespace qvbarqr {

// GF(256) with the primitive polynomial x^8 + x^4 + x^3 + x^2 + 1 (0x11D).
uint8_t gfExp(int exponent); // alpha^exponent, exponent 0..254
int gfLog(uint8_t value);    // value 1..255

// Exponents of the generator polynomial of degree n, leading coefficient
// omitted, highest power first; null when no polynomial is stored for n.
const uint8_t* generatorExponents(int n);

// The error-correction coder of one generator polynomial. It holds the
// generator's products with every low and every high nibble, so that each data
// codeword updates the remainder with two table rows, 16 bytes at a time.
class ReedSolomonCoder {
public:
    // Throws CQRErr 9 when no generator polynomial of degree ecCount is stored.
    explicit ReedSolomonCoder(int ecCount);

    int ecCount() const { return ecCount_; }

    // Writes the ecCount error-correction codewords of one block of data.
    void encode(const uint8_t* data, int dataCount, uint8_t* ec) const;

private:
    static constexpr int kLane = 16;
    static constexpr int kRowBytes = 80; // the highest degree, in whole lanes

    int ecCount_;
    int lanes_;
    uint8_t low_[16][kRowBytes];  // generator x nibble, zero past ecCount
    uint8_t high_[16][kRowBytes]; // generator x (nibble << 4)
};

// Computes the ecCount error-correction codewords of one block of data.
// Throws CQRErr 9 when no generator polynomial of that degree is stored.
void computeErrorCorrection(const uint8_t* data, int dataCount, int ecCount, uint8_t* ec);

} // namespace qvbarqr
