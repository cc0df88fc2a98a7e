// Drawing on the device: resolution, module size, orientation, shrink,
// scale and the single-pixel path, bracketed by SaveDC and RestoreDC.
#include "QvBarQR.h"
#include "qr_test_support.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace qrtest;

namespace {

constexpr int kUnitsPerPixel = 2400; // at 600 dpi

const std::string kData = "DRAWING 12345";

struct Canvas {
    BitmapDC dc{400, 400};
    QRDrawInfo info{};
    QRParam param{};

    Canvas() {
        param = paramFor(kData, 1, 1, 3, 0); // version 1, 21 modules
        QvQRDefaultStruct(nullptr, &info);
        info.hdc = dc.dc();
        info.sizeMode = 1;
        info.moduleW = 4;
        info.moduleH = 4;
    }
    int draw() { return QvQRDraw(&param, &info); }
};

// The symbol read back from a canvas whose modules are `px` pixels, origin at (x0, y0).
Matrix readBack(const BitmapDC& dc, int x0, int y0, int px, int n = 21) {
    Matrix m;
    m.size = n;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const int x = x0 + c * px + px / 2, y = y0 + r * px + px / 2;
            m.dark.push_back(dc.pixels()[y * dc.width() + x] == 0);
        }
    }
    return m;
}

Matrix rotateClockwise(const Matrix& m) {
    Matrix out = m;
    for (int r = 0; r < m.size; ++r) {
        for (int c = 0; c < m.size; ++c) {
            out.dark[c * m.size + (m.size - 1 - r)] = m.at(r, c);
        }
    }
    return out;
}

} // namespace

TEST(Drawing, BracketedBySaveAndRestore) {
    Canvas c;
    ASSERT_EQ(c.draw(), 0);
    EXPECT_EQ(c.dc.saves, 1);
    EXPECT_EQ(c.dc.restores, 1);
    EXPECT_EQ(c.dc.lastRestoredState, 1);
    EXPECT_FALSE(c.dc.calls.empty());
    for (const auto& call : c.dc.calls) {
        EXPECT_EQ(call.kind, 'R');
        EXPECT_EQ(call.right - call.left, 4);
        EXPECT_EQ(call.bottom - call.top, 4);
    }
}

TEST(Drawing, OneCallPerDarkModuleAndOutputSize) {
    Canvas c;
    ASSERT_EQ(c.draw(), 0);
    const Matrix m = readBack(c.dc, 0, 0, 4);
    EXPECT_EQ(static_cast<long>(c.dc.calls.size()), std::count(m.dark.begin(), m.dark.end(), 1));
    // 84 pixels at 600 dpi are 84 x 2400 units.
    EXPECT_EQ(c.info.outWidth, 84 * kUnitsPerPixel);
    EXPECT_EQ(c.info.outHeight, 84 * kUnitsPerPixel);
    // At 1300 dpi 84 pixels are 93046.15 units: the first whole length that
    // maps to 84 pixels is taken.
    c.info.dpiX = 1300;
    ASSERT_EQ(c.draw(), 0);
    EXPECT_EQ(c.info.outWidth, 93047);
    EXPECT_EQ(c.info.outHeight, 84 * kUnitsPerPixel);
}

TEST(Drawing, OrientationsRotateTheSymbol) {
    Canvas upright;
    ASSERT_EQ(upright.draw(), 0);
    const Matrix m = readBack(upright.dc, 0, 0, 4);
    Matrix expected = m;
    for (int orientation = 2; orientation <= 4; ++orientation) {
        expected = rotateClockwise(expected);
        Canvas c;
        c.info.orientation = orientation;
        // Reference corner at (200, 200) pixels; the symbol spreads from it.
        c.info.left = 200 * kUnitsPerPixel;
        c.info.top = 200 * kUnitsPerPixel;
        ASSERT_EQ(c.draw(), 0);
        const int x0 = orientation == 4 ? 200 : 200 - 84;
        const int y0 = orientation == 2 ? 200 : 200 - 84;
        EXPECT_TRUE(readBack(c.dc, x0, y0, 4) == expected)
            << "orientation " << orientation << "\n"
            << describeDifference(readBack(c.dc, x0, y0, 4), expected);
    }
}

TEST(Drawing, Orientation3EndsAtTheReferenceCorner) {
    BitmapDC dc(1100, 1100);
    Canvas c;
    c.info.hdc = dc.dc();
    c.info.orientation = 3;
    c.info.left = 1000 * kUnitsPerPixel;
    c.info.top = 1000 * kUnitsPerPixel;
    ASSERT_EQ(c.draw(), 0);
    int maxRight = 0, maxBottom = 0, minLeft = 1 << 30, minTop = 1 << 30;
    for (const auto& call : dc.calls) {
        maxRight = std::max(maxRight, call.right);
        maxBottom = std::max(maxBottom, call.bottom);
        minLeft = std::min(minLeft, call.left);
        minTop = std::min(minTop, call.top);
    }
    EXPECT_EQ(maxRight, 1000);
    EXPECT_EQ(maxBottom, 1000);
    EXPECT_EQ(minLeft, 1000 - 84);
    EXPECT_EQ(minTop, 1000 - 84);
    // The first module drawn (row 0, column 0 is the dark finder corner) is
    // at the bottom-right.
    EXPECT_EQ(dc.calls.front().right, 1000);
    EXPECT_EQ(dc.calls.front().bottom, 1000);
}

TEST(Drawing, ShrinkPullsInOnlyEdgesFacingLight) {
    Canvas c;
    c.info.shrinkX = 1;
    c.info.shrinkY = 2;
    ASSERT_EQ(c.draw(), 0);
    // Row 0 of the symbol starts with the finder: seven dark modules, then light.
    const auto& first = c.dc.calls[0];
    EXPECT_EQ(first.right - first.left, 4) << "dark right neighbour: full width";
    EXPECT_EQ(first.bottom - first.top, 4) << "dark lower neighbour: full height";
    const auto& seventh = c.dc.calls[6];
    EXPECT_EQ(seventh.left, 24);
    EXPECT_EQ(seventh.right - seventh.left, 3) << "light right neighbour";
    // Row 1 of the finder: module (1, 1) is light, so (0, 1) loses its bottom.
    const auto& second = c.dc.calls[1];
    EXPECT_EQ(second.bottom - second.top, 2);
}

TEST(Drawing, ShrinkNotBelowTheModuleSize) {
    for (int shrink : {4, 5, 100}) {
        Canvas c;
        c.info.shrinkX = shrink;
        c.info.shrinkY = shrink;
        ASSERT_EQ(c.draw(), 0);
        for (const auto& call : c.dc.calls) {
            EXPECT_EQ(call.right - call.left, 4);
            EXPECT_EQ(call.bottom - call.top, 4);
        }
    }
}

TEST(Drawing, OnePixelModulesUseSetPixelVAndScale200MakesRectangles) {
    Canvas c;
    c.info.moduleW = 1;
    c.info.moduleH = 1;
    c.info.color = 0x00123456;
    ASSERT_EQ(c.draw(), 0);
    const auto pixels = c.dc.calls;
    ASSERT_FALSE(pixels.empty());
    for (const auto& call : pixels) {
        EXPECT_EQ(call.kind, 'P');
        EXPECT_EQ(call.color, 0x00123456u);
    }

    Canvas scaled;
    scaled.info.moduleW = 1;
    scaled.info.moduleH = 1;
    scaled.info.scale = 200;
    ASSERT_EQ(scaled.draw(), 0);
    ASSERT_EQ(scaled.dc.calls.size(), pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const auto& call = scaled.dc.calls[i];
        EXPECT_EQ(call.kind, 'R');
        EXPECT_EQ(call.left, 2 * pixels[i].left);
        EXPECT_EQ(call.top, 2 * pixels[i].top);
        EXPECT_EQ(call.right - call.left, 2);
        EXPECT_EQ(call.bottom - call.top, 2);
    }
    EXPECT_TRUE(readBack(scaled.dc, 0, 0, 2) == readBack(c.dc, 0, 0, 1));
}

TEST(Drawing, ScaleRoundsHalfAwayFromZero) {
    Canvas c;
    c.info.moduleW = 3;
    c.info.moduleH = 3;
    c.info.scale = 50;
    ASSERT_EQ(c.draw(), 0);
    // Column 1 of the finder: edges 3 and 6 become 1.5 -> 2 and 3.
    EXPECT_EQ(c.dc.calls[1].left, 2);
    EXPECT_EQ(c.dc.calls[1].right, 3);
}

TEST(Drawing, ResolutionRules) {
    // dpiMode 1 with dpiX 0 counts as 600 dpi: a box of 21 x 24000 units
    // gives 10-pixel modules.
    Canvas c;
    c.info.sizeMode = 2;
    c.info.dpiX = 0;
    c.info.dpiY = 300;
    c.info.width = 21 * 24000;
    c.info.height = 21 * 24000;
    ASSERT_EQ(c.draw(), 0);
    EXPECT_EQ(c.dc.calls[0].right - c.dc.calls[0].left, 10);
    EXPECT_EQ(c.dc.calls[0].bottom - c.dc.calls[0].top, 5);

    // Any other dpiMode asks the device.
    Canvas device;
    device.dc.deviceDpi = 1200;
    device.info.dpiMode = 0;
    device.info.sizeMode = 2;
    device.info.width = 21 * 24000;
    device.info.height = 21 * 24000;
    device.info.left = 24000; // 20 pixels at 1200 dpi
    ASSERT_EQ(device.draw(), 0);
    EXPECT_EQ(device.dc.calls[0].left, 20);
    EXPECT_EQ(device.dc.calls[0].right - device.dc.calls[0].left, 20);
}

TEST(Drawing, BoxOneUnitWideStillDrawsOnePixelModules) {
    Canvas c;
    c.info.sizeMode = 2;
    c.info.width = 1;
    c.info.height = 1;
    ASSERT_EQ(c.draw(), 0);
    for (const auto& call : c.dc.calls) {
        EXPECT_EQ(call.kind, 'P');
    }
}

TEST(Drawing, IncompleteDrawingTargetIsCode4) {
    Canvas c;
    QvDC broken = *c.dc.dc();
    broken.Rectangle = nullptr;
    c.info.hdc = &broken;
    EXPECT_EQ(c.draw(), 4);
    EXPECT_EQ(c.dc.saves, 0);
    QvDC noCaps = *c.dc.dc();
    noCaps.GetDeviceCaps = nullptr;
    c.info.hdc = &noCaps;
    c.info.dpiMode = 0;
    EXPECT_EQ(c.draw(), 4);
    c.info.dpiMode = 1;
    EXPECT_EQ(c.draw(), 0);
}

namespace {

// Every call of one drawing folded into one number (FNV-1a), so a table can
// pin whole call sequences.
uint64_t fingerprint(const std::vector<BitmapDC::Call>& calls) {
    uint64_t h = 14695981039346656037u;
    auto mix = [&h](uint64_t v) {
        h ^= v;
        h *= 1099511628211u;
    };
    for (const auto& call : calls) {
        mix(static_cast<uint64_t>(call.kind));
        for (int v : {call.left, call.top, call.right, call.bottom}) {
            mix(static_cast<uint32_t>(v));
        }
        mix(call.color);
    }
    return h;
}

struct CallCase {
    const char* name;
    int orientation, moduleW, moduleH, shrinkX, shrinkY, scale, dpi, left, top;
    std::size_t calls;
    uint64_t fingerprint;
};

// Whole call sequences through every branch of the geometry: plain modules
// and shrink in each orientation, one-pixel modules across and along rows,
// scaling, negative module sizes, and coordinates that pass the range of int
// and are clamped.
const CallCase kCallCases[] = {
    {"plain", 1, 4, 4, 0, 0, 100, 600, 0, 0, 220, 0x0237a30bd3b0595du},
    {"shrink", 1, 4, 3, 1, 2, 100, 600, 2400, 4800, 220, 0xffb7aa756305679bu},
    {"rotated_shrink", 2, 5, 4, 2, 1, 100, 600, 480000, 240000, 220, 0x6fa00f4ac90fb26bu},
    {"upside_down", 3, 4, 4, 1, 1, 100, 600, 480000, 480000, 220, 0x2f201c3eb4bd6209u},
    {"quarter_turn", 4, 3, 5, 0, 1, 100, 600, 240000, 480000, 220, 0xa2ee2c60cb0b28d7u},
    {"one_pixel", 1, 1, 1, 0, 0, 100, 600, 0, 0, 220, 0x9cfd55b845d66a4bu},
    {"one_pixel_quarter_turn", 4, 1, 1, 0, 0, 100, 600, 240000, 240000, 220, 0x9587c772032c770fu},
    {"upside_down_plain", 3, 4, 4, 0, 0, 100, 600, 480000, 480000, 220, 0xd0f075bff599e31du},
    {"rotated_plain", 2, 5, 4, 0, 0, 100, 600, 480000, 240000, 220, 0x8398a06d3aae635bu},
    {"one_pixel_wide", 2, 1, 3, 0, 1, 100, 600, 240000, 0, 220, 0x670474ef327ddc87u},
    {"shrunk_to_one_pixel", 1, 2, 2, 1, 1, 100, 600, 0, 0, 220, 0x5f240d0c1e44e7a5u},
    {"negative_modules", 1, -4, -3, 1, 1, 100, 600, 480000, 480000, 220, 0x8f8bb92f3b2d88f3u},
    {"scale_200", 1, 1, 1, 0, 0, 200, 600, 0, 0, 220, 0x7c2e0997c36de5c9u},
    {"scale_50_shrink", 3, 3, 3, 1, 1, 50, 600, 480000, 480000, 220, 0x8051ea3c125a850au},
    {"coordinates_past_int", 1, 4, 4, 1, 0, 100, 2000000000, 1000000000, 0, 220,
     0x418ed1f57e6ffc9du},
    {"edge_at_int_max", 1, 4, 4, 0, 0, 100, 1440000, 2147483600, 2147483600, 220,
     0x49e0bcbd3e2e3288u},
    {"huge_modules", 4, 200000000, 200000000, 0, 0, 100, 600, 0, 0, 220, 0x162b5420527c16f5u},
};

void PrintTo(const CallCase& k, std::ostream* os) {
    *os << k.name;
}

class DrawingCalls : public testing::TestWithParam<CallCase> {};

} // namespace

TEST_P(DrawingCalls, WholeSequenceIsPinned) {
    const CallCase& k = GetParam();
    Canvas c;
    QRDrawInfo& info = c.info;
    info.orientation = k.orientation;
    info.moduleW = k.moduleW;
    info.moduleH = k.moduleH;
    info.shrinkX = k.shrinkX;
    info.shrinkY = k.shrinkY;
    info.dpiX = info.dpiY = k.dpi;
    info.left = k.left;
    info.top = k.top;
    info.scale = k.scale;
    info.color = 0x00FF8000;
    ASSERT_EQ(c.draw(), 0);
    EXPECT_EQ(c.dc.calls.size(), k.calls);
    EXPECT_EQ(fingerprint(c.dc.calls), k.fingerprint);
}

INSTANTIATE_TEST_SUITE_P(Table, DrawingCalls, testing::ValuesIn(kCallCases),
                         [](const auto& info) { return std::string(info.param.name); });
