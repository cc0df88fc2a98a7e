#pragma once

#include "segment.h"

#include <cstdint>

namespace qvbarqr {

// Mode of an alphanumeric character's value (0-44), or -1 when the byte is
// not one of the 45 characters.
int alphanumericValue(uint8_t byte);

// True when data[at] and data[at + 1] form one Kanji-mode character.
bool isKanjiPair(const uint8_t* data, int length, int at);

// Splits the data into runs of one character class and merges short runs
// into their neighbours. Writes the segments to `out`, which must hold
// `length` entries, and returns how many there are. The segments cover the
// data in order without gaps.
int analyseData(const uint8_t* data, int length, Segment* out);

} // namespace qvbarqr
