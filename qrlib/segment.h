#pragma once

namespace qvbarqr {

// Character classes and encoding modes, in the order of the merging tables.
enum class Mode { Numeric = 0, Alphanumeric = 1, Byte = 2, Kanji = 3 };

// A stretch of the data encoded in one mode. Lengths are in bytes; a Kanji
// character counts two.
struct Segment {
    Mode mode;
    int start;
    int length;
};

// Characters the segment holds (Kanji characters are two bytes each).
inline int characterCount(const Segment& s) {
    return s.mode == Mode::Kanji ? s.length / 2 : s.length;
}

} // namespace qvbarqr
