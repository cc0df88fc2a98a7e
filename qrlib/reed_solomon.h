#pragma once

#include <cstdint>

namespace qvbarqr {

// GF(256) with the primitive polynomial x^8 + x^4 + x^3 + x^2 + 1 (0x11D).
uint8_t gfExp(int exponent); // alpha^exponent, exponent 0..254
int gfLog(uint8_t value);    // value 1..255

// Exponents of the generator polynomial of degree n, leading coefficient
// omitted, highest power first; null when no polynomial is stored for n.
const uint8_t* generatorExponents(int n);

// Computes the ecCount error-correction codewords of one block of data.
// Throws CQRErr 9 when no generator polynomial of that degree is stored.
void computeErrorCorrection(const uint8_t* data, int dataCount, int ecCount, uint8_t* ec);

} // namespace qvbarqr
