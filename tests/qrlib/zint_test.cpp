// Matrices bit for bit against zint where both make the same single
// segment, including the structured-append header.
#include "QvBarQR.h"
#include "qr_test_support.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <zint.h>

using namespace qrtest;

namespace {

struct StructuredAppend {
    int index = 0; // 0: none
    int count = 0;
    int parity = 0;
};

Matrix zintSymbol(const std::string& data, int version, int level, int mask,
                  const StructuredAppend& sa) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_QRCODE;
    symbol->input_mode = DATA_MODE;
    symbol->option_1 = level + 1;
    symbol->option_2 = version;
    symbol->option_3 = (mask + 1) << 8;
    if (sa.index > 0) {
        symbol->structapp.index = sa.index;
        symbol->structapp.count = sa.count;
        std::snprintf(symbol->structapp.id, sizeof symbol->structapp.id, "%d", sa.parity);
    }
    Matrix m;
    const int status = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data.data()),
                                       static_cast<int>(data.size()));
    if (status < ZINT_ERROR) {
        m.size = symbol->width;
        for (int r = 0; r < symbol->rows; ++r) {
            for (int c = 0; c < symbol->width; ++c) {
                m.dark.push_back((symbol->encoded_data[r][c >> 3] >> (c & 7)) & 1);
            }
        }
    }
    ZBarcode_Delete(symbol);
    return m;
}

void expectSameAsZint(const std::string& data, int level, int mask, int version,
                      const StructuredAppend& sa, const std::string& what) {
    QRParam p = paramFor(data, 1, level, mask, version);
    if (sa.index > 0) {
        p.saOn = 1;
        p.saIndex = sa.index;
        p.saCount = sa.count;
        p.saParity = static_cast<uint8_t>(sa.parity);
    }
    const Drawn ours = drawSymbol(p, 1);
    ASSERT_EQ(ours.code, 0) << what;
    const Matrix reference = zintSymbol(data, ours.version, level, mask, sa);
    ASSERT_EQ(reference.size, ours.matrix.size) << what;
    EXPECT_TRUE(ours.matrix == reference) << what << "\n"
                                          << describeDifference(ours.matrix, reference);
}

} // namespace

TEST(Zint, NumericAndByteSymbolsWithFixedVersionAndMask) {
    for (int version : {1, 2, 6, 7, 10, 14, 21, 27, 33, 40}) {
        const int level = version % 4;
        const int mask = version % 8;
        expectSameAsZint(std::string(static_cast<std::size_t>(version * 9), '3'), level, mask,
                         version, {}, "digits, version " + std::to_string(version));
        expectSameAsZint(version < 3 ? "bytes" : "lower case bytes only", (level + 1) % 4,
                         (mask + 5) % 8, version, {}, "bytes, version " + std::to_string(version));
    }
}

TEST(Zint, StructuredAppendHeader) {
    expectSameAsZint("part two of five", 1, 2, 0, {2, 5, 90}, "2 of 5");
    expectSameAsZint("0123456789012345678901234567890123456789", 3, 7, 0, {16, 16, 255},
                     "16 of 16");
    expectSameAsZint("first", 0, 0, 2, {1, 2, 0}, "1 of 2, version 2");
}
