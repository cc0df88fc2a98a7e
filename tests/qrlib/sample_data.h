#pragma once

#include <cstdint>
#include <string>

namespace qrtest {

// Kinds of test data: one per mode, a claim-like mixture of all, and any bytes.
enum class Content { Numeric, Alphanumeric, Kanji, Mixed, Binary };

// Deterministic data of the given kind and length in bytes (a Kanji
// character is two bytes; an odd length ends in a digit).
std::string sampleData(Content kind, int length, uint32_t seed);

const char* contentName(Content kind);

} // namespace qrtest
