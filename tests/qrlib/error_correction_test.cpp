// Bit stream and Reed-Solomon blocks against the worked example of the
// standard and the block structure of version 5-Q.
#include "bit_stream.h"
#include "data_analysis.h"
#include "error_correction.h"
#include "qr_error.h"
#include "reed_solomon.h"

#include <cstring>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

using namespace qvbarqr;

namespace {

EncodeRequest requestFor(const char* text, Model model, int level) {
    EncodeRequest r;
    r.model = model;
    r.level = level;
    r.data = reinterpret_cast<const uint8_t*>(text);
    r.length = static_cast<int>(std::strlen(text));
    return r;
}

uint8_t multiply(uint8_t a, uint8_t b) {
    return (a == 0 || b == 0) ? 0 : gfExp((gfLog(a) + gfLog(b)) % 255);
}

// A block with its error correction, as a polynomial (first codeword the
// highest power), evaluated at x.
uint8_t evaluateCodeword(const std::vector<uint8_t>& codeword, uint8_t x) {
    uint8_t value = 0;
    for (uint8_t c : codeword) {
        value = static_cast<uint8_t>(multiply(value, x) ^ c);
    }
    return value;
}

} // namespace

// Data followed by its error correction is a multiple of the generator: it
// vanishes at the generator's roots, for every stored degree, short and long
// blocks and data that uses every codeword value.
TEST(ErrorCorrection, BlocksVanishAtTheGeneratorRoots) {
    uint32_t seed = 1;
    for (int n = 7; n <= 68; ++n) {
        if (generatorExponents(n) == nullptr) {
            continue;
        }
        for (int dataCount : {1, 13, 252 - n}) {
            std::vector<uint8_t> codeword(static_cast<std::size_t>(dataCount + n));
            for (int i = 0; i < dataCount; ++i) {
                seed = seed * 1103515245u + 12345u;
                codeword[i] = static_cast<uint8_t>(seed >> 16);
            }
            computeErrorCorrection(codeword.data(), dataCount, n, codeword.data() + dataCount);
            for (int root = 0; root < n; ++root) {
                EXPECT_EQ(evaluateCodeword(codeword, gfExp(root)), 0)
                    << "degree " << n << " data " << dataCount << " root " << root;
            }
        }
    }
}

TEST(ErrorCorrection, WorkedNumericExampleVersion1M) {
    const EncodeRequest r = requestFor("01234567", Model::Two, 1);
    Segment segments[8];
    const int count = analyseData(r.data, r.length, segments);
    ASSERT_EQ(count, 1);
    std::vector<uint8_t> stream(kStreamBufferBytes);
    buildDataCodewords(r, segments, count, 1, stream.data());
    const std::vector<uint8_t> data(stream.begin(), stream.begin() + 16);
    EXPECT_EQ(data, (std::vector<uint8_t>{0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC,
                                          0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11}));
    std::vector<uint8_t> work(26), out(26);
    addErrorCorrection(Model::Two, 1, 1, data.data(), work.data(), out.data());
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 16), data);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 16, out.end()),
              (std::vector<uint8_t>{0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55}));
}

TEST(ErrorCorrection, Version5QInterleavesTheLongBlocksLast) {
    const BlockLayout b = blockLayout(Model::Two, 5, 2);
    EXPECT_EQ(b.blocks, 4);
    EXPECT_EQ(b.shortData, 15);
    EXPECT_EQ(b.longBlocks, 2);
    EXPECT_EQ(b.ecPerBlock, 18);

    std::vector<uint8_t> data(62);
    std::iota(data.begin(), data.end(), 1);
    std::vector<uint8_t> work(134), out(134);
    addErrorCorrection(Model::Two, 5, 2, data.data(), work.data(), out.data());
    // Blocks start at codewords 1, 16, 31 and 47 (the last two hold 16).
    const int starts[4] = {1, 16, 31, 47};
    for (int i = 0; i < 15; ++i) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(out[i * 4 + k], starts[k] + i) << "round " << i << " block " << k;
        }
    }
    EXPECT_EQ(out[60], 46);
    EXPECT_EQ(out[61], 62);
    // Error correction of block 3, taken from its interleaved positions.
    uint8_t ec[18];
    computeErrorCorrection(data.data() + 46, 16, 18, ec);
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(out[62 + i * 4 + 3], ec[i]) << i;
    }
}

TEST(ErrorCorrection, ZeroBlockGivesZeroCodewords) {
    const uint8_t zeros[19] = {};
    uint8_t ec[7];
    std::memset(ec, 0xFF, sizeof ec);
    computeErrorCorrection(zeros, 19, 7, ec);
    for (uint8_t c : ec) {
        EXPECT_EQ(c, 0);
    }
}

TEST(ErrorCorrection, MissingGeneratorIsCode9) {
    const uint8_t data[4] = {1, 2, 3, 4};
    uint8_t ec[12];
    try {
        computeErrorCorrection(data, 4, 12, ec);
        FAIL() << "no error";
    } catch (const CQRErr& e) {
        EXPECT_EQ(e.code(), 9);
    }
}

TEST(ErrorCorrection, Model1BlocksAreNotInterleavedAndEndInFiller) {
    // Version 7-H: 72 data codewords in 3 blocks of 24, 46 EC each, 2 filler.
    std::vector<uint8_t> data(72);
    std::iota(data.begin(), data.end(), 0);
    std::vector<uint8_t> work(212), out(212);
    addErrorCorrection(Model::One, 7, 3, data.data(), work.data(), out.data());
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 72), data);
    uint8_t ec[46];
    computeErrorCorrection(data.data() + 24, 24, 46, ec);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 72 + 46, out.begin() + 72 + 92),
              std::vector<uint8_t>(ec, ec + 46));
    EXPECT_EQ(out[210], 0xEC);
    EXPECT_EQ(out[211], 0x11);
}
