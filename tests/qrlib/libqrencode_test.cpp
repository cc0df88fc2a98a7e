// Matrices bit for bit against libqrencode, given the same segments, version,
// level and mask.
#include "QvBarQR.h"
#include "data_analysis.h"
#include "qr_test_support.h"
#include "sample_data.h"

#include <gtest/gtest.h>
#include <qrencode.h>
#include <string>
#include <vector>

// Exported by libqrencode but not declared in its header.
extern "C" QRcode* QRcode_encodeMask(QRinput* input, int mask);

using namespace qrtest;

namespace {

// libqrencode's symbol for the segments the library chooses; mask -2 leaves
// the symbol unmasked. Returns an empty matrix when libqrencode refuses.
Matrix referenceSymbol(const std::string& data, int version, int level, int mask) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
    std::vector<qvbarqr::Segment> segments(data.size());
    const int count = qvbarqr::analyseData(bytes, static_cast<int>(data.size()), segments.data());
    QRinput* input = QRinput_new2(version, static_cast<QRecLevel>(level));
    for (int i = 0; i < count; ++i) {
        QRinput_append(input, static_cast<QRencodeMode>(segments[i].mode), segments[i].length,
                       bytes + segments[i].start);
    }
    QRcode* code = QRcode_encodeMask(input, mask);
    Matrix m;
    if (code != nullptr && code->version == version) {
        m.size = code->width;
        for (int i = 0; i < code->width * code->width; ++i) {
            m.dark.push_back(code->data[i] & 1);
        }
    }
    QRcode_free(code);
    QRinput_free(input);
    return m;
}

void expectSameAsReference(const std::string& data, int level, int mask, int version,
                           const std::string& what) {
    const Drawn ours = drawSymbol(paramFor(data, 1, level, mask, version), 1);
    ASSERT_EQ(ours.code, 0) << what;
    const Matrix reference = referenceSymbol(data, ours.version, level, mask == 8 ? -2 : mask);
    ASSERT_EQ(reference.size, ours.matrix.size) << what << ": libqrencode used another version";
    EXPECT_TRUE(ours.matrix == reference) << what << "\n"
                                          << describeDifference(ours.matrix, reference);
}

// Data of the kind that takes about `fraction` of the version's capacity.
std::string dataFor(Content kind, int version, int level, double fraction, uint32_t seed) {
    const std::string pool = sampleData(kind, 7366, seed);
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
    return pool.substr(0, static_cast<std::size_t>(std::max(1.0, low * fraction)));
}

} // namespace

TEST(Libqrencode, EveryVersionWithFixedMasks) {
    for (int version = 1; version <= 40; ++version) {
        for (int k = 0; k < 2; ++k) {
            const int level = (version + k) % 4;
            const int mask = (version + 3 * k) % 8;
            const auto kind = static_cast<Content>((version + k) % 5);
            const std::string data = dataFor(kind, version, level, k == 0 ? 1.0 : 0.6,
                                             static_cast<uint32_t>(version * 7 + k));
            expectSameAsReference(data, level, mask, version,
                                  "version " + std::to_string(version) + " level " +
                                      std::to_string(level) + " mask " + std::to_string(mask) +
                                      " " + contentName(kind));
        }
    }
}

TEST(Libqrencode, AllMasksAndLevelsOnOneSymbol) {
    const std::string data = sampleData(Content::Mixed, 120, 5);
    for (int level = 0; level < 4; ++level) {
        for (int mask = 0; mask < 8; ++mask) {
            expectSameAsReference(data, level, mask, 0,
                                  "level " + std::to_string(level) + " mask " +
                                      std::to_string(mask));
        }
    }
}

TEST(Libqrencode, MaskEightLeavesTheDataUnmasked) {
    for (int version : {1, 7, 23}) {
        const std::string data = dataFor(Content::Alphanumeric, version, 1, 0.8, 3);
        expectSameAsReference(data, 1, 8, version, "mask 8 version " + std::to_string(version));
    }
    // The format modules next to the top-left finder are all light.
    const Drawn d = drawSymbol(paramFor("MASK 8", 1, 0, 8, 0), 1);
    ASSERT_EQ(d.code, 0);
    for (int i = 0; i <= 8; ++i) {
        if (i != 6) {
            EXPECT_FALSE(d.matrix.at(8, i)) << i;
            EXPECT_FALSE(d.matrix.at(i, 8)) << i;
        }
    }
}

TEST(Libqrencode, FixedVersionAboveTheMinimum) {
    expectSameAsReference("0123456789", 2, 4, 5, "digits in version 5");
    expectSameAsReference(std::string(34, '9'), 1, 6, 0, "exact capacity of version 1-M");
}
