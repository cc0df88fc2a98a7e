#pragma once

#include "segment.h"

namespace qvbarqr {

enum class Model { One = 0, Two = 1 };

inline constexpr int kMaxVersion = 40;
inline constexpr int kMaxModel1Version = 14;
inline constexpr int kLevelCount = 4; // 0 L, 1 M, 2 Q, 3 H

// One row of a capacity table: codewords of the symbol, data codewords as the
// table states them, and the number of error-correction blocks.
struct Capacity {
    int total;
    int data;
    int blocks;
};

// Capacity of (model, version, level); version within 1..maxVersion(model).
Capacity capacity(Model model, int version, int level);

int maxVersion(Model model);

// Data codewords the bit stream fills: the table value, plus one for Model 1.
int dataCapacity(Model model, int version, int level);

// Width in bits of the character-count indicator of a mode at a version.
int countIndicatorBits(Mode mode, int version);

// Symbol width in modules, without quiet zone.
inline constexpr int symbolSize(int version) {
    return 4 * version + 17;
}

} // namespace qvbarqr
