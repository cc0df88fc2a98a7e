// Tables of the encoder against numbers of ISO/IEC 18004, written here in a
// different form from the one the library keeps.
#include "error_correction.h"
#include "format_info.h"
#include "function_patterns.h"
#include "reed_solomon.h"
#include "version_table.h"

#include <gtest/gtest.h>
#include <vector>

using namespace qvbarqr;

namespace {

// Error-correction codewords per block, levels L, M, Q, H, versions 1-40
// (ISO/IEC 18004 Table 9).
constexpr int kEcPerBlock[4][40] = {
    {7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};

// Modules of a Model 2 symbol left for codewords and remainder bits.
int dataModules(int v) {
    int modules = (16 * v + 128) * v + 64;
    if (v >= 2) {
        const int align = v / 7 + 2;
        modules -= (25 * align - 10) * align - 55;
        if (v >= 7) {
            modules -= 36;
        }
    }
    return modules;
}

// The generator polynomial, evaluated at x (coefficients as powers of alpha).
uint8_t evaluateGenerator(int n, uint8_t x) {
    const uint8_t* g = generatorExponents(n);
    auto mul = [](uint8_t a, uint8_t b) -> uint8_t {
        return (a == 0 || b == 0) ? 0 : gfExp((gfLog(a) + gfLog(b)) % 255);
    };
    uint8_t value = 1; // leading coefficient
    for (int i = 0; i < n; ++i) {
        value = static_cast<uint8_t>(mul(value, x) ^ gfExp(g[i]));
    }
    return value;
}

std::vector<int> alignment(int version) {
    int coords[7];
    const int n = alignmentCoordinates(version, coords);
    return std::vector<int>(coords, coords + n);
}

} // namespace

TEST(StandardTables, Model2CapacitiesMatchTable9ForAllVersionsAndLevels) {
    EXPECT_EQ(capacity(Model::Two, 1, 0).data, 19);
    EXPECT_EQ(capacity(Model::Two, 1, 3).data, 9);
    EXPECT_EQ(capacity(Model::Two, 40, 0).total, 3706);
    for (int v = 1; v <= 40; ++v) {
        for (int level = 0; level < 4; ++level) {
            const Capacity c = capacity(Model::Two, v, level);
            SCOPED_TRACE("version " + std::to_string(v) + " level " + std::to_string(level));
            EXPECT_EQ(c.total, dataModules(v) / 8);
            EXPECT_EQ(c.total - c.data, c.blocks * kEcPerBlock[level][v - 1]);
            EXPECT_NE(generatorExponents(kEcPerBlock[level][v - 1]), nullptr);
        }
    }
}

TEST(StandardTables, Model2DataCapacityFollowsTheLevelOrder) {
    for (int v = 1; v <= 40; ++v) {
        EXPECT_GT(capacity(Model::Two, v, 0).data, capacity(Model::Two, v, 1).data);
        EXPECT_GT(capacity(Model::Two, v, 1).data, capacity(Model::Two, v, 2).data);
        EXPECT_GT(capacity(Model::Two, v, 2).data, capacity(Model::Two, v, 3).data);
    }
}

TEST(StandardTables, Model1BlockStructuresDivideAndHaveGenerators) {
    for (int v = 1; v <= 14; ++v) {
        for (int level = 0; level < 4; ++level) {
            const Capacity c = capacity(Model::One, v, level);
            const BlockLayout b = blockLayout(Model::One, v, level);
            SCOPED_TRACE("version " + std::to_string(v) + " level " + std::to_string(level));
            EXPECT_EQ((c.data + 1) % c.blocks, 0);
            EXPECT_NE(generatorExponents(b.ecPerBlock), nullptr);
            const int filler = c.total - (c.data + 1) - b.blocks * b.ecPerBlock;
            EXPECT_GE(filler, 0);
            EXPECT_LE(filler, 4);
        }
    }
    EXPECT_EQ(capacity(Model::One, 2, 1).total, 46);
    EXPECT_EQ(blockLayout(Model::One, 2, 1).ecPerBlock, 16);
    EXPECT_EQ(maxVersion(Model::One), 14);
}

TEST(StandardTables, CountIndicatorWidthsByVersionRange) {
    EXPECT_EQ(countIndicatorBits(Mode::Numeric, 9), 10);
    EXPECT_EQ(countIndicatorBits(Mode::Numeric, 10), 12);
    EXPECT_EQ(countIndicatorBits(Mode::Numeric, 27), 14);
    EXPECT_EQ(countIndicatorBits(Mode::Alphanumeric, 26), 11);
    EXPECT_EQ(countIndicatorBits(Mode::Byte, 9), 8);
    EXPECT_EQ(countIndicatorBits(Mode::Byte, 40), 16);
    EXPECT_EQ(countIndicatorBits(Mode::Kanji, 10), 10);
    EXPECT_EQ(countIndicatorBits(Mode::Kanji, 40), 12);
}

TEST(StandardTables, GaloisFieldAndGeneratorPolynomials) {
    EXPECT_EQ(gfExp(0), 1);
    EXPECT_EQ(gfExp(1), 2);
    EXPECT_EQ(gfExp(8), 0x1D);
    EXPECT_EQ(gfLog(0x1D), 8);
    const uint8_t* g7 = generatorExponents(7);
    ASSERT_NE(g7, nullptr);
    EXPECT_EQ(std::vector<int>(g7, g7 + 7), (std::vector<int>{87, 229, 146, 149, 238, 102, 21}));
    EXPECT_EQ(generatorExponents(8), nullptr);
    EXPECT_EQ(generatorExponents(69), nullptr);
    // Each stored generator has the roots alpha^0 .. alpha^(n-1) and no other of alpha^n.
    for (int n : {7,  10, 13, 15, 16, 17, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36,
                  40, 42, 44, 46, 48, 50, 52, 54, 56, 58, 60, 62, 64, 66, 68}) {
        ASSERT_NE(generatorExponents(n), nullptr) << n;
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(evaluateGenerator(n, gfExp(i)), 0) << "n " << n << " root " << i;
        }
        EXPECT_NE(evaluateGenerator(n, gfExp(n)), 0) << n;
    }
}

TEST(StandardTables, AlignmentCentresMatchTableE1) {
    EXPECT_TRUE(alignment(1).empty());
    EXPECT_EQ(alignment(2), (std::vector<int>{6, 18}));
    EXPECT_EQ(alignment(7), (std::vector<int>{6, 22, 38}));
    EXPECT_EQ(alignment(14), (std::vector<int>{6, 26, 46, 66}));
    EXPECT_EQ(alignment(15), (std::vector<int>{6, 26, 48, 70}));
    EXPECT_EQ(alignment(22), (std::vector<int>{6, 26, 50, 74, 98}));
    EXPECT_EQ(alignment(32), (std::vector<int>{6, 34, 60, 86, 112, 138}));
    EXPECT_EQ(alignment(36), (std::vector<int>{6, 24, 50, 76, 102, 128, 154}));
    EXPECT_EQ(alignment(40), (std::vector<int>{6, 30, 58, 86, 114, 142, 170}));
}

TEST(StandardTables, VersionInformationMatchesTableD1) {
    EXPECT_EQ(versionBits(7), 0x07C94u);
    EXPECT_EQ(versionBits(8), 0x085BCu);
    EXPECT_EQ(versionBits(21), 0x15683u);
    EXPECT_EQ(versionBits(40), 0x28C69u);
}

TEST(StandardTables, FormatInformationMatchesTableC1) {
    EXPECT_EQ(formatBits(Model::Two, 1, 0), 0x5412u); // M, mask 0
    EXPECT_EQ(formatBits(Model::Two, 0, 0), 0x77C4u); // L, mask 0
    EXPECT_EQ(formatBits(Model::Two, 0, 7), 0x6976u); // L, mask 7
    EXPECT_EQ(formatBits(Model::Two, 2, 0), 0x355Fu); // Q, mask 0
    EXPECT_EQ(formatBits(Model::Two, 3, 0), 0x1689u); // H, mask 0
    EXPECT_EQ(formatBits(Model::Two, 3, 7), 0x083Bu); // H, mask 7
    EXPECT_EQ(formatBits(Model::Two, 1, 5), 0x40CEu); // M, mask 5
    // Model 1 uses another XOR pattern over the same BCH code.
    EXPECT_EQ(formatBits(Model::One, 1, 5), 0x40CEu ^ 0x5412u ^ 0x2825u);
    EXPECT_EQ(formatBits(Model::Two, 2, 8), 0u);
}

TEST(StandardTables, VersionOneHasNoAlignmentAndTheDarkModule) {
    SymbolMatrix s;
    drawModel2FunctionPatterns(s, 1);
    EXPECT_EQ(s.modules.size, 21);
    EXPECT_TRUE(s.modules.get(13, 8));
    EXPECT_TRUE(s.function.get(13, 8));
    // Where a version 2 symbol would have its alignment pattern, version 1 has data.
    EXPECT_FALSE(s.function.get(14, 14));
    // No version information blocks below version 7.
    EXPECT_FALSE(s.function.get(0, 10));
    EXPECT_FALSE(s.function.get(10, 0));
}

TEST(StandardTables, VersionSevenWritesItsCodeInBothBlocks) {
    SymbolMatrix s;
    drawModel2FunctionPatterns(s, 7);
    const int n = s.modules.size;
    for (int i = 0; i < 18; ++i) {
        const bool bit = (0x07C94 >> i) & 1;
        EXPECT_EQ(s.modules.get(n - 11 + i % 3, i / 3), bit) << i;
        EXPECT_EQ(s.modules.get(i / 3, n - 11 + i % 3), bit) << i;
    }
}
