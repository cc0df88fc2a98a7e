// Model 1 symbols: an independent symbol reproduced bit for bit, and every
// version and level built through the fixed placement walk.
#include "QvBarQR.h"
#include "qr_test_support.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>

using namespace qrtest;

namespace {

// Reads a matrix written as rows of '0' and '1'; lines starting with '#' are comments.
Matrix readMatrix(const std::string& path) {
    std::ifstream in(path);
    Matrix m;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        m.size = static_cast<int>(line.size());
        for (char c : line) {
            m.dark.push_back(c == '1');
        }
    }
    return m;
}

} // namespace

TEST(Model1, ReproducesTheIndependentVersion2MMask5Symbol) {
    const Matrix want = readMatrix(std::string(QVBARQR_TEST_DATA) + "/qr-model1-v2-M-mask5.txt");
    ASSERT_EQ(want.size, 25);
    const Drawn got = drawSymbol(paramFor("QR Code Model 1 ", 0, 1, 5, 0));
    ASSERT_EQ(got.code, 0);
    EXPECT_EQ(got.version, 2);
    EXPECT_TRUE(got.matrix == want) << describeDifference(got.matrix, want);
}

TEST(Model1, EveryVersionAndLevelPlacesAllCodewords) {
    const std::string data = "M1 0123"; // fits version 1-H
    for (int version = 1; version <= 14; ++version) {
        for (int level = 0; level < 4; ++level) {
            const Drawn d = drawSymbol(paramFor(data, 0, level, version % 8, version));
            ASSERT_EQ(d.code, 0) << "version " << version << " level " << level;
            EXPECT_EQ(d.matrix.size, 4 * version + 17);
            const int n = d.matrix.size;
            // The reserved corner: only its bottom-right module is dark.
            EXPECT_TRUE(d.matrix.at(n - 1, n - 1));
            EXPECT_FALSE(d.matrix.at(n - 2, n - 2));
            // Extension pattern (from version 2): the right-most column dark,
            // the one before light.
            for (int row = n - 12; row <= n - 9 && n - 9 > 12; ++row) {
                EXPECT_TRUE(d.matrix.at(row, n - 1));
                EXPECT_FALSE(d.matrix.at(row, n - 2));
            }
        }
    }
}

TEST(Model1, VersionLimitsAre14) {
    QRParam p = paramFor("1", 0, 0, -1, 15);
    EXPECT_EQ(QvQRCheckData(&p), QVQR_ERR_PARAMETER);
    // 489 bytes of data need more than version 14-L (488 + 1 data codewords).
    const std::string big(600, 'a');
    p = paramFor(big, 0, 0, -1, 0);
    EXPECT_EQ(QvQRCheckData(&p), QVQR_ERR_TOO_LONG);
    p = paramFor(big, 1, 0, -1, 0);
    EXPECT_EQ(QvQRCheckData(&p), QVQR_OK);
}
