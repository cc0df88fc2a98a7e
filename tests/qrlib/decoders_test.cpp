// Whole symbols drawn by the library and read back by independent decoders
// (zxing-cpp for every symbol, zbar for a sample), byte for byte.
#include "QvBarQR.h"
#include "qr_test_support.h"
#include "sample_data.h"

#include <gtest/gtest.h>
#include <string>

using namespace qrtest;

namespace {

constexpr const char* kLevelNames[4] = {"L", "M", "Q", "H"};

// The longest prefix of `pool` that the library encodes in at most `version`.
std::string fillVersion(const std::string& pool, int version, int level) {
    int low = 1, high = static_cast<int>(pool.size());
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        QRParam p = paramFor(std::string_view(pool).substr(0, mid), 1, level, -1, 0);
        if (QvQRCheckData(&p) == 0 && p.version <= version) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return pool.substr(0, static_cast<std::size_t>(low));
}

struct Case {
    int version;
    int level;
    int mask;
    Content kind;
};

std::string describe(const Case& c) {
    return "version " + std::to_string(c.version) + " level " + kLevelNames[c.level] + " mask " +
           std::to_string(c.mask) + " " + contentName(c.kind);
}

void expectRoundTrip(const std::string& data, int level, int mask, bool withZbar,
                     const std::string& what) {
    const Drawn d = drawSymbol(paramFor(data, 1, level, mask, 0), 2);
    ASSERT_EQ(d.code, 0) << what;
    const auto zx = decodeWithZXing(d.image, d.imageSize);
    ASSERT_TRUE(zx.has_value()) << what << "\n" << asciiArt(d.matrix);
    EXPECT_EQ(zx->bytes, data) << what;
    EXPECT_EQ(zx->ecLevel, kLevelNames[level]) << what;
    if (withZbar) {
        const auto zb = decodeWithZbar(d.image, d.imageSize);
        ASSERT_TRUE(zb.has_value()) << what << " (zbar)";
        EXPECT_EQ(*zb, data) << what << " (zbar)";
    }
}

} // namespace

// Every version, each twice: once with a fixed mask, once with the
// library's own choice; levels, masks 0-7 and the kinds of data rotate.
TEST(Decoders, EveryVersionFilledToCapacity) {
    for (int version = 1; version <= 40; ++version) {
        const Case cases[2] = {
            {version, version % 4, version % 8, static_cast<Content>(version % 5)},
            {version, (version + 2) % 4, -1, static_cast<Content>((version + 2) % 5)},
        };
        for (const Case& c : cases) {
            const std::string pool = sampleData(c.kind, 7366, static_cast<uint32_t>(version));
            const std::string data = fillVersion(pool, c.version, c.level);
            QRParam p = paramFor(data, 1, c.level, c.mask, 0);
            ASSERT_EQ(QvQRCheckData(&p), 0) << describe(c);
            ASSERT_EQ(p.version, c.version) << describe(c) << ", " << data.size() << " bytes";
            expectRoundTrip(data, c.level, c.mask, version % 6 == 1, describe(c));
        }
    }
}

TEST(Decoders, SegmentEdgeCases) {
    const std::string cases[] = {
        "0123456789",
        "12a",
        "123a",
        "AB123456789012CD",
        "AB1234567890123CD",
        std::string("\x88\x9f\x88\x9f\x88\x9f\x88\x9f\x88"),
        std::string("\x88"),
        std::string("\xf0\x40"),
        std::string("\x93\x5f\xe4\xaa"),
        std::string(34, '9'),
        std::string("Ver2.00 \x88\x9f\x8c\xea 0123 4567 89012 abc \xb1\xb2 ") +
            std::string(60, '5'),
        std::string("\x00\x01\xff\xfe", 4),
    };
    for (const std::string& data : cases) {
        for (int level = 0; level < 4; ++level) {
            expectRoundTrip(data, level, -1, level == 0,
                            "data of " + std::to_string(data.size()) + " bytes, level " +
                                kLevelNames[level]);
        }
    }
}

// Shift_JIS pairs with the trail bytes 0x7F and 0xFD-0xFF that lie inside the
// Kanji ranges: Kanji mode carries them, and they come back byte for byte.
TEST(Decoders, KanjiPairsWithTrailBytes7FAndFDToFF) {
    std::string pairs;
    for (int lead = 0x81; lead <= 0xEB; ++lead) {
        if (lead > 0x9F && lead < 0xE0) {
            continue;
        }
        for (int trail : {0x7F, 0xFD, 0xFE, 0xFF}) {
            const int w = (lead << 8) | trail;
            if (w <= 0x9FFC || (w >= 0xE040 && w <= 0xEBBF)) {
                pairs += static_cast<char>(lead);
                pairs += static_cast<char>(trail);
            }
        }
    }
    for (int level = 0; level < 4; ++level) {
        expectRoundTrip(pairs, level, -1, false,
                        std::to_string(pairs.size() / 2) + " pairs, level " + kLevelNames[level]);
    }

    // Version 1-L holds 152 data bits. Ten pairs as Kanji take 4 + 8 + 10 x 13
    // = 142 bits; eleven take 155. As bytes even ten would need 172.
    const std::string ten = pairs.substr(0, 20);
    const std::string eleven = pairs.substr(0, 22);
    QRParam p = paramFor(ten, 1, 0, -1, 0);
    ASSERT_EQ(QvQRCheckData(&p), 0);
    EXPECT_EQ(p.version, 1);
    p = paramFor(eleven, 1, 0, -1, 0);
    ASSERT_EQ(QvQRCheckData(&p), 0);
    EXPECT_EQ(p.version, 2);
    expectRoundTrip(ten, 0, -1, false, "ten pairs in version 1-L");
}

TEST(Decoders, FixedVersionAboveTheMinimum) {
    const std::string data(30, 'A');
    QRParam p = paramFor(data, 1, 0, -1, 3);
    const Drawn d = drawSymbol(p, 2);
    ASSERT_EQ(d.code, 0);
    EXPECT_EQ(d.matrix.size, 29);
    const auto zx = decodeWithZXing(d.image, d.imageSize);
    ASSERT_TRUE(zx.has_value());
    EXPECT_EQ(zx->bytes, data);
}

TEST(Decoders, StructuredAppendSet) {
    const std::string parts[3] = {"0123456789 PART ONE ", "\x93\xfa\x96\x7b PART TWO ",
                                  "part three, last"};
    uint8_t parity = 0;
    for (const auto& part : parts) {
        for (char ch : part) {
            parity ^= static_cast<uint8_t>(ch);
        }
    }
    for (int i = 0; i < 3; ++i) {
        QRParam p = paramFor(parts[i], 1, 1, -1, 0);
        p.saOn = 1;
        p.saIndex = i + 1;
        p.saCount = 3;
        p.saParity = parity;
        const Drawn d = drawSymbol(p, 2);
        ASSERT_EQ(d.code, 0);
        const auto zx = decodeWithZXing(d.image, d.imageSize);
        ASSERT_TRUE(zx.has_value()) << i;
        EXPECT_EQ(zx->bytes, parts[i]);
        EXPECT_EQ(zx->sequenceIndex, i);
        EXPECT_EQ(zx->sequenceSize, 3);
        EXPECT_EQ(zx->sequenceId, std::to_string(parity));
    }
}

TEST(Decoders, StructuredAppendWithACountOfOneHasNoHeader) {
    const std::string data = "ALONE IN ITS SET";
    QRParam p = paramFor(data, 1, 1, -1, 0);
    p.saOn = 1;
    p.saIndex = 1;
    p.saCount = 1;
    const Drawn d = drawSymbol(p, 2);
    ASSERT_EQ(d.code, 0);
    const auto zx = decodeWithZXing(d.image, d.imageSize);
    ASSERT_TRUE(zx.has_value());
    EXPECT_EQ(zx->bytes, data);
    EXPECT_EQ(zx->sequenceSize, -1);
}
