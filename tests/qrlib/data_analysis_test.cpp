// Character classes, merging of runs, version choice and the bit stream.
#include "bit_stream.h"
#include "data_analysis.h"
#include "qr_error.h"
#include "qr_test_support.h"
#include "version_choice.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace qvbarqr;

namespace {

struct Seg {
    Mode mode;
    int length;
    bool operator==(const Seg&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Seg& s) {
    return os << "{mode " << static_cast<int>(s.mode) << ", " << s.length << " bytes}";
}

std::vector<Seg> segmentsOf(const std::string& text) {
    std::vector<Segment> out(text.size() + 1);
    const int n =
        analyseData(reinterpret_cast<const uint8_t*>(text.data()), int(text.size()), out.data());
    std::vector<Seg> result;
    int covered = 0;
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(out[i].start, covered) << "segments must cover the data in order";
        covered += out[i].length;
        result.push_back({out[i].mode, out[i].length});
    }
    EXPECT_EQ(covered, int(text.size()));
    return result;
}

// The request points into `text`, which must outlive it.
EncodeRequest requestFor(const std::string& text, int level) {
    EncodeRequest r;
    r.level = level;
    r.data = reinterpret_cast<const uint8_t*>(text.data());
    r.length = int(text.size());
    return r;
}

int versionFor(const std::string& text, int level, bool structuredAppend = false, int saCount = 2) {
    EncodeRequest r = requestFor(text, level);
    r.structuredAppend = structuredAppend;
    r.saIndex = 1;
    r.saCount = saCount;
    std::vector<Segment> s(text.size());
    const int n = analyseData(r.data, r.length, s.data());
    return chooseVersion(r, s.data(), n);
}

constexpr Mode N = Mode::Numeric, A = Mode::Alphanumeric, B = Mode::Byte, K = Mode::Kanji;

} // namespace

TEST(DataAnalysis, CharacterClasses) {
    EXPECT_EQ(segmentsOf("0123456789"), (std::vector<Seg>{{N, 10}}));
    EXPECT_EQ(segmentsOf("HELLO WORLD $%*+-./:"), (std::vector<Seg>{{A, 20}}));
    EXPECT_EQ(segmentsOf("hello"), (std::vector<Seg>{{B, 5}}));
    EXPECT_EQ(segmentsOf("\x93\xfa\x96\x7b\x8c\xea"), (std::vector<Seg>{{K, 6}}));
    // Half-width katakana and control bytes are 8-bit bytes.
    EXPECT_EQ(segmentsOf("\xb1\xb2\x01"), (std::vector<Seg>{{B, 3}}));
}

TEST(DataAnalysis, ShortRunsBesideOthersFollowTableA) {
    // Two digits beside a byte are below the minimum 3: one byte segment.
    EXPECT_EQ(segmentsOf("12a"), (std::vector<Seg>{{B, 3}}));
    // Three digits stay numeric; one byte beside numeric stays a byte.
    EXPECT_EQ(segmentsOf("123a"), (std::vector<Seg>{{N, 3}, {B, 1}}));
    // Six digits beside letters join them (minimum 7); seven stay.
    EXPECT_EQ(segmentsOf("ABC123456"), (std::vector<Seg>{{A, 9}}));
    EXPECT_EQ(segmentsOf("ABC1234567"), (std::vector<Seg>{{A, 3}, {N, 7}}));
}

TEST(DataAnalysis, RunBetweenTwoOfOneClassFollowsTableB) {
    EXPECT_EQ(segmentsOf("AB123456789012CD"), (std::vector<Seg>{{A, 16}}));
    EXPECT_EQ(segmentsOf("AB1234567890123CD"), (std::vector<Seg>{{A, 2}, {N, 13}, {A, 2}}));
    // Letters between bytes: below 10 they join the bytes.
    EXPECT_EQ(segmentsOf("abcABCDEFGHIdef"), (std::vector<Seg>{{B, 15}}));
}

TEST(DataAnalysis, CostRuleDecidesWhereNoModeContainsTheOther) {
    // One Kanji character beside digits: a byte segment of both is cheaper.
    EXPECT_EQ(segmentsOf("\x88\x9f"
                         "12"),
              (std::vector<Seg>{{B, 4}}));
    // Many digits beside one Kanji character: the separate segments are cheaper.
    EXPECT_EQ(segmentsOf("\x88\x9f"
                         "123456789012345678901234567890"),
              (std::vector<Seg>{{K, 2}, {N, 30}}));
}

TEST(DataAnalysis, LeadByteAtTheEndIsAByte) {
    EXPECT_EQ(segmentsOf("\x88"), (std::vector<Seg>{{B, 1}}));
    EXPECT_EQ(segmentsOf("\x88\x9f\x88\x9f\x88\x9f\x88\x9f\x88"),
              (std::vector<Seg>{{K, 8}, {B, 1}}));
}

TEST(DataAnalysis, PairsOutsideTheKanjiRangesAreBytes) {
    EXPECT_EQ(segmentsOf("\xf0\x40"), (std::vector<Seg>{{B, 2}}));
    EXPECT_FALSE(isKanjiPair(reinterpret_cast<const uint8_t*>("\xf0\x40"), 2, 0));
    EXPECT_TRUE(isKanjiPair(reinterpret_cast<const uint8_t*>("\xe0\x40"), 2, 0));
    EXPECT_TRUE(isKanjiPair(reinterpret_cast<const uint8_t*>("\xeb\xbf"), 2, 0));
    EXPECT_FALSE(isKanjiPair(reinterpret_cast<const uint8_t*>("\xeb\xc0"), 2, 0));
    // A trail byte below 0x40 would come back from the 13-bit value as
    // another pair (0x823F as 0x827F): bytes.
    EXPECT_FALSE(isKanjiPair(reinterpret_cast<const uint8_t*>("\x82\x05"), 2, 0));
    EXPECT_FALSE(isKanjiPair(reinterpret_cast<const uint8_t*>("\x82\x3f"), 2, 0));
    EXPECT_EQ(segmentsOf("\x82\x3f\x82\x3f\x82\x3f\x82\x3f"), (std::vector<Seg>{{B, 8}}));
}

TEST(DataAnalysis, TrailBytes7FAndFDToFFInsideTheRangesAreKanji) {
    // They lie inside the Kanji ranges and their 13-bit values decode back
    // unchanged (the decoder tests read them back byte for byte).
    for (const char* pair :
         {"\x81\x7f", "\x81\xfd", "\x9f\xfc", "\x9e\xff", "\xe0\x7f", "\xea\xfe", "\xeb\x7f"}) {
        EXPECT_TRUE(isKanjiPair(reinterpret_cast<const uint8_t*>(pair), 2, 0))
            << std::hex << int(uint8_t(pair[0])) << int(uint8_t(pair[1]));
    }
    EXPECT_EQ(segmentsOf("\x81\x7f\x81\xfd\x81\xfe\x81\xff\xe0\x7f\xea\xff"),
              (std::vector<Seg>{{K, 12}}));
    // Above the ranges they stay bytes.
    EXPECT_FALSE(isKanjiPair(reinterpret_cast<const uint8_t*>("\x9f\xfd"), 2, 0));
    EXPECT_FALSE(isKanjiPair(reinterpret_cast<const uint8_t*>("\xeb\xff"), 2, 0));
}

TEST(VersionChoice, SmallestVersionThatHoldsTheData) {
    for (int level = 0; level < 4; ++level) {
        EXPECT_EQ(versionFor("0123456789", level), 1);
    }
    // 34 digits fill version 1-M exactly (128 bits); 35 need version 2.
    EXPECT_EQ(versionFor(std::string(34, '7'), 1), 1);
    EXPECT_EQ(versionFor(std::string(35, '7'), 1), 2);
}

TEST(VersionChoice, StructuredAppendCountsTwentyBitsEvenForASetOfOne) {
    EXPECT_EQ(versionFor(std::string(34, '7'), 1, true, 1), 2);
    EXPECT_EQ(versionFor(std::string(34, '7'), 1, true, 2), 2);
}

TEST(VersionChoice, WiderCountIndicatorsFromVersion10) {
    // 230 bytes (1852 bits) fill version 9-L (232 codewords); 231 need
    // version 10, whose count indicator is 16 bits.
    EXPECT_EQ(versionFor(std::string(230, 'a'), 0), 9);
    EXPECT_EQ(versionFor(std::string(231, 'a'), 0), 10);
}

TEST(VersionChoice, FixedVersionBelowTheMinimumIsCode12) {
    const std::string digits(35, '7');
    EncodeRequest r = requestFor(digits, 1);
    r.version = 1;
    Segment s[1] = {{N, 0, 35}};
    try {
        chooseVersion(r, s, 1);
        FAIL() << "no error";
    } catch (const CQRErr& e) {
        EXPECT_EQ(e.code(), 12);
    }
    r.version = 3;
    EXPECT_EQ(chooseVersion(r, s, 1), 3);
}

TEST(BitStream, ExactCapacityHasNoTerminatorOrPad) {
    const std::string digits(34, '9');
    const EncodeRequest r = requestFor(digits, 1);
    Segment s[1] = {{N, 0, 34}};
    std::vector<uint8_t> buffer(kStreamBufferBytes, 0xAB);
    buildDataCodewords(r, s, 1, 1, buffer.data());
    // 0001, count 34 (10 bits), eleven groups of 999, one 9 in four bits.
    EXPECT_EQ(buffer[0], 0x10);
    EXPECT_EQ(buffer[1], 0x8B);
    EXPECT_EQ(buffer[15] & 0x0F, 0x09);
}

TEST(BitStream, TerminatorAndAlternatingPadCodewords) {
    const std::string one = "A", two = "AB";
    const EncodeRequest r = requestFor(one, 0);
    Segment s[1] = {{A, 0, 1}};
    std::vector<uint8_t> buffer(kStreamBufferBytes);
    buildDataCodewords(r, s, 1, 1, buffer.data());
    // 0010 000000001 001010 (19 bits), zeros to the byte boundary.
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 6),
              (std::vector<uint8_t>{0x20, 0x09, 0x40, 0xEC, 0x11, 0xEC}));
    EXPECT_EQ(buffer[18], 0x11);

    // A stream ending on a byte boundary gets one zero byte.
    Segment pair[1] = {{A, 0, 2}};
    buildDataCodewords(requestFor(two, 0), pair, 1, 1, buffer.data());
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 6),
              (std::vector<uint8_t>{0x20, 0x11, 0xCD, 0x00, 0xEC, 0x11}));
}

TEST(BitStream, StructuredAppendHeader) {
    const std::string text = "1";
    EncodeRequest r = requestFor(text, 0);
    r.structuredAppend = true;
    r.saIndex = 2;
    r.saCount = 5;
    r.saParity = 0xA7;
    Segment s[1] = {{N, 0, 1}};
    std::vector<uint8_t> buffer(kStreamBufferBytes);
    buildDataCodewords(r, s, 1, 1, buffer.data());
    // 0011 0001 0100 10100111, then 0001 ...
    EXPECT_EQ(buffer[0], 0x31);
    EXPECT_EQ(buffer[1], 0x4A);
    EXPECT_EQ(buffer[2], 0x71);

    r.model = Model::One;
    buildDataCodewords(r, s, 1, 1, buffer.data());
    EXPECT_EQ(buffer[0], 0x03);
    EXPECT_EQ(buffer[1], 0x14);
    EXPECT_EQ(buffer[2], 0xA7);
    EXPECT_EQ(buffer[3], 0x10);
}

TEST(BitStream, KanjiValues) {
    // 0x935F -> 0xD9F (worked example of the standard), 0xE4AA -> 0x1AAA.
    const std::string text = "\x93\x5f\xe4\xaa";
    const EncodeRequest r = requestFor(text, 0);
    Segment s[1] = {{K, 0, 4}};
    std::vector<uint8_t> buffer(kStreamBufferBytes);
    buildDataCodewords(r, s, 1, 1, buffer.data());
    // 1000 00000010 0110110011111 1101010101010, then zeros.
    EXPECT_EQ(buffer[0], 0x80);
    EXPECT_EQ(buffer[1], 0x26);
    EXPECT_EQ(buffer[2], 0xCF);
    EXPECT_EQ(buffer[3], 0xEA);
    EXPECT_EQ(buffer[4], 0xA8);
}

TEST(BitStream, TrailBytes7FAndFFTakeThirteenBitsEach) {
    // 0x817F -> 63, 0xEAFF -> 8063: 1000 00000010 0000000111111 1111101111111
    // is 38 bits; as bytes the same data would take 44.
    const std::string text = "\x81\x7f\xea\xff";
    const EncodeRequest r = requestFor(text, 0);
    std::vector<Segment> s(text.size());
    const int n = analyseData(r.data, r.length, s.data());
    std::vector<uint8_t> buffer(kStreamBufferBytes);
    buildDataCodewords(r, s.data(), n, 1, buffer.data());
    // Two zero bits close the last byte; fewer than four were free, so one
    // zero byte follows before the first pad codeword.
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 7),
              (std::vector<uint8_t>{0x80, 0x20, 0x1F, 0xFD, 0xFC, 0x00, 0xEC}));
}

TEST(BitStream, WritingPastTheBufferIsCode8) {
    uint8_t buffer[2];
    BitWriter out(buffer, 2);
    out.put(0xABC, 12);
    out.put(0xF, 4);
    EXPECT_EQ(out.bitLength(), 16);
    EXPECT_EQ(buffer[0], 0xAB);
    EXPECT_EQ(buffer[1], 0xCF);
    try {
        out.put(1, 1);
        FAIL() << "no error";
    } catch (const CQRErr& e) {
        EXPECT_EQ(e.code(), 8);
    }
}

TEST(VersionChoice, FixedVersionWhoseWiderCountsDoNotFitIsCode6) {
    // 78 x (seven digits, one letter) as 156 segments: 4758 bits with the
    // counts of versions 10-26, within version 26-H (4768). From version 27
    // every count is two bits wider: 5070 bits do not fit 27-H (5024).
    std::string data;
    std::vector<Segment> s;
    for (int i = 0; i < 78; ++i) {
        s.push_back({N, static_cast<int>(data.size()), 7});
        s.push_back({A, static_cast<int>(data.size()) + 7, 1});
        data += "1234567A";
    }
    EncodeRequest r = requestFor(data, 3);
    EXPECT_EQ(chooseVersion(r, s.data(), int(s.size())), 26);
    r.version = 27;
    try {
        chooseVersion(r, s.data(), int(s.size()));
        FAIL() << "no error";
    } catch (const CQRErr& e) {
        EXPECT_EQ(e.code(), 6);
    }
    r.version = 28;
    EXPECT_EQ(chooseVersion(r, s.data(), int(s.size())), 28);
}
