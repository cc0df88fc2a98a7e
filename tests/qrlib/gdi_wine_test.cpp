// QvBarQR.dll on Wine's GDI: windows/gdi_probe.exe draws every case on a
// memory DC holding a DIB section (black pen and brush, white background);
// each picture must equal, pixel for pixel, what the library draws through
// QvDC here for the same records, leave the DC as it was, and decode (Model 2).
// Skipped where Wine or the 64-bit cross build is missing.
#include "QvBarQR.h"
#include "qr_test_support.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace qrtest;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0;
constexpr int kUnitsPerPixelAt600 = 2400;

// Fixed-width payloads like those the forms carry: header, the figures of
// each line zero-padded, version tag, spaces to the full length.
std::string formPayload(const std::string& header, int lines, std::size_t lineWidth,
                        std::size_t length) {
    std::string text = header;
    for (int line = 0; line < lines; ++line) {
        std::string figures;
        while (figures.size() < lineWidth) {
            figures += std::to_string(1000000000 + line * 15485863).substr(1);
        }
        text += figures.substr(0, lineWidth);
    }
    text += "Ver2.00";
    text.resize(length, ' ');
    return text;
}

struct Case {
    std::string name;
    std::string data;
    int model = 1;
    int level = 2;
    int module = 3; // pixels; sizeMode 1 unless box is set
    int box = 0;    // with sizeMode 2: width and height in length units
    int orientation = 1;
    int shrinkX = 0, shrinkY = 0;
    int scale = 100;
    uint32_t color = 0;
    int dpiMode = 1;
    bool withDc = true;
    int code = 0; // what QvQRDraw returns
};

std::vector<Case> cases() {
    // Claim: institution, prefecture, kind, month, era date; 10 lines of 51.
    const std::string claim = formPayload("131234523106123806", 10, 51, 580);
    // Summary: prefecture, institution, kind, month, era date; 8 lines of 25.
    const std::string summary = formPayload("231312345138063806", 8, 25, 230);
    std::vector<Case> out = {
        {.name = "claim_model2", .data = claim},
        {.name = "summary_model2", .data = summary},
        {.name = "claim_model1", .data = claim, .model = 0, .level = 0},
        {.name = "summary_model1", .data = summary, .model = 0, .level = 1},
        {.name = "shrink", .data = summary, .module = 4, .shrinkX = 1, .shrinkY = 2},
        {.name = "one_pixel_modules", .data = summary, .module = 1, .color = 0x00204080},
        {.name = "scale200", .data = summary, .module = 1, .scale = 200},
        {.name = "device_resolution", .data = summary, .box = 2 * 1440000, .dpiMode = 0},
        {.name = "no_hdc", .data = summary, .withDc = false, .code = 4},
        // Thrown inside the DLL and caught at its export.
        {.name = "too_long_for_model1", .data = claim + claim + claim, .model = 0, .code = 12},
    };
    for (int orientation = 2; orientation <= 4; ++orientation) {
        out.push_back({.name = "orientation" + std::to_string(orientation),
                       .data = summary,
                       .orientation = orientation,
                       .shrinkX = 1});
    }
    return out;
}

// The records and canvas of a case: a square canvas with the symbol four
// modules in from each side, the reference corner where its orientation
// puts it (at 600 dpi, or at whatever the device has for dpiMode 0).
struct Prepared {
    QRParam param;
    QRDrawInfo info;
    int canvas = 0;
};

Prepared prepare(const Case& c) {
    Prepared p;
    p.param = paramFor(c.data, c.model, c.level, -1, 0);
    QRParam checked = p.param;
    const int n = QvQRCheckData(&checked) == 0 ? checked.modules : 21;
    QvQRDefaultStruct(nullptr, &p.info);
    p.info.sizeMode = c.box != 0 ? 2 : 1;
    p.info.width = p.info.height = c.box;
    p.info.moduleW = p.info.moduleH = c.module;
    p.info.orientation = c.orientation;
    p.info.shrinkX = c.shrinkX;
    p.info.shrinkY = c.shrinkY;
    p.info.scale = c.scale;
    p.info.color = c.color;
    p.info.dpiMode = c.dpiMode;
    if (c.dpiMode != 1) {
        // The device's resolution is the probe's to find: a quarter inch in,
        // on a canvas that holds the symbol at up to 96 dpi.
        p.info.left = p.info.top = 1440000 / 4;
        p.canvas = 24 + 2 * 96 + 24;
        return p;
    }
    const int side = n * c.module, margin = 4 * c.module;
    const int far = margin + side;
    const int x0 = c.orientation == 2 || c.orientation == 3 ? far : margin;
    const int y0 = c.orientation == 3 || c.orientation == 4 ? far : margin;
    p.info.left = x0 * kUnitsPerPixelAt600;
    p.info.top = y0 * kUnitsPerPixelAt600;
    p.canvas = (side + 2 * margin) * c.scale / 100;
    return p;
}

void putInt(std::ofstream& out, int32_t v) {
    out.write(reinterpret_cast<const char*>(&v), sizeof v);
}

// The fields the probe reads and writes, in its order.
std::vector<int32_t> paramFields(const QRParam& p) {
    return {p.model,   p.ecLevel, p.mask,    p.version, p.saOn,
            p.saIndex, p.saCount, p.dataLen, p.saParity};
}

std::vector<int32_t> drawFields(const QRDrawInfo& d) {
    return {d.dpiX,     d.dpiY,    d.scale,      static_cast<int32_t>(d.color),
            d.left,     d.top,     d.width,      d.height,
            d.sizeMode, d.moduleW, d.moduleH,    d.shrinkX,
            d.shrinkY,  d.dpiMode, d.orientation};
}

template <typename T> std::vector<T> get(std::ifstream& in, std::size_t count) {
    std::vector<T> v(count);
    in.read(reinterpret_cast<char*>(v.data()), static_cast<std::streamsize>(count * sizeof(T)));
    return v;
}

// What the library draws here through QvDC, as the DIB would hold it: black
// where Rectangle filled, the colour where SetPixelV set a pixel.
struct LinuxResult {
    int32_t code = -1;
    QRDrawInfo info{};
    std::vector<uint32_t> pixels;
};

LinuxResult drawHere(const Prepared& p, bool withDc, int deviceDpi) {
    BitmapDC dc(p.canvas, p.canvas);
    dc.deviceDpi = deviceDpi;
    LinuxResult r;
    r.info = p.info;
    r.info.hdc = withDc ? dc.dc() : nullptr;
    QRParam param = p.param;
    r.code = QvQRDraw(&param, &r.info);
    r.pixels.reserve(dc.pixels().size());
    for (uint8_t grey : dc.pixels()) {
        r.pixels.push_back(grey == 0 ? kBlack : kWhite);
    }
    for (const auto& call : dc.calls) {
        if (call.kind == 'P' && call.left >= 0 && call.left < p.canvas && call.top >= 0 &&
            call.top < p.canvas) {
            const uint32_t rgb = ((call.color & 0xFF) << 16) | (call.color & 0xFF00) |
                                 ((call.color >> 16) & 0xFF); // COLORREF is 0x00BBGGRR
            r.pixels[static_cast<std::size_t>(call.top) * p.canvas + call.left] = rgb;
        }
    }
    return r;
}

std::string firstDifference(const std::vector<uint32_t>& got, const std::vector<uint32_t>& want,
                            int width) {
    int count = 0;
    std::string first;
    for (std::size_t i = 0; i < got.size() && i < want.size(); ++i) {
        if (got[i] != want[i]) {
            if (count++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "first at x %d, y %d: %06X instead of %06X",
                              static_cast<int>(i % width), static_cast<int>(i / width), got[i],
                              want[i]);
                first = text;
            }
        }
    }
    return std::to_string(count) + " pixels differ; " + first;
}

class WineGdi : public ::testing::Test {
protected:
    void SetUp() override {
        windowsBuild_ = QVBARQR_WIN64_BUILD;
        if (std::string(WINE64_PROGRAM).empty() || !fs::exists(WINE64_PROGRAM) ||
            !fs::exists(windowsBuild_ + "/gdi_probe.exe")) {
            GTEST_SKIP() << "Wine (wine64) or the MinGW-w64 cross build of QvBarQR.dll is "
                            "missing: scripts/install-deps.sh installs both";
        }
        const char* build = std::getenv("TABULON_BUILD_DIR");
        fs::create_directories(fs::path(build ? build : ".") / "temp");
        std::string pattern = (fs::path(build ? build : ".") / "temp" / "wine-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        work_ = pattern;
    }
    void TearDown() override {
        if (!work_.empty()) {
            // Ends the prefix's wineserver before its folder goes.
            std::system(("WINEPREFIX='" + (work_ / "prefix").string() + "' '" + WINESERVER_PROGRAM +
                         "' -k 2>/dev/null")
                            .c_str());
            fs::remove_all(work_);
        }
    }

    // Runs the probe once for all cases; Wine makes its prefix on this start.
    int runProbe() const {
        const std::string command =
            "env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX='" + (work_ / "prefix").string() +
            "' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' '" + WINE64_PROGRAM + "' '" +
            windowsBuild_ + "/gdi_probe.exe' 'Z:" + windowsBuild_ +
            "/QvBarQR.dll' 'Z:" + (work_ / "cases.bin").string() +
            "' 'Z:" + (work_ / "out.bin").string() + "' 2>" + (work_ / "wine.log").string();
        return std::system(command.c_str());
    }

    std::string windowsBuild_;
    fs::path work_;
};

TEST_F(WineGdi, PicturesEqualTheLinuxDrawingAndDecode) {
    const std::vector<Case> all = cases();
    std::vector<Prepared> prepared;
    {
        std::ofstream out(work_ / "cases.bin", std::ios::binary);
        putInt(out, static_cast<int32_t>(all.size()));
        for (const Case& c : all) {
            prepared.push_back(prepare(c));
            const Prepared& p = prepared.back();
            putInt(out, p.canvas);
            putInt(out, p.canvas);
            putInt(out, c.withDc ? 1 : 0);
            for (int32_t v : paramFields(p.param)) {
                putInt(out, v);
            }
            for (int32_t v : drawFields(p.info)) {
                putInt(out, v);
            }
            out.write(c.data.data(), static_cast<std::streamsize>(c.data.size()));
        }
    }
    ASSERT_EQ(runProbe(), 0) << "the probe failed; Wine's messages are in " << (work_ / "wine.log");

    std::ifstream in(work_ / "out.bin", std::ios::binary);
    // The other four functions answer through GetProcAddress as here.
    EXPECT_EQ(get<int32_t>(in, 2), (std::vector<int32_t>{1, 0})) << "QvQRCheckParameter";
    QRParam defaults;
    QRDrawInfo drawDefaults;
    QvQRDefaultStruct(&defaults, &drawDefaults);
    EXPECT_EQ(get<int32_t>(in, 9), paramFields(defaults));
    EXPECT_EQ(get<int32_t>(in, 15), drawFields(drawDefaults));
    EXPECT_EQ(get<int32_t>(in, 1)[0], 1) << "default hdc is null";

    for (std::size_t i = 0; i < all.size(); ++i) {
        const Case& c = all[i];
        SCOPED_TRACE(c.name);
        // Result, outWidth, outHeight, LOGPIXELSX, LOGPIXELSY, state kept.
        const std::vector<int32_t> w = get<int32_t>(in, 6);
        const int canvas = prepared[i].canvas;
        std::vector<uint32_t> pixels = get<uint32_t>(in, static_cast<std::size_t>(canvas) * canvas);
        ASSERT_TRUE(in.good()) << "the probe's output ends early";
        for (uint32_t& px : pixels) {
            px &= 0x00FFFFFF; // the DIB's unused byte
        }
        ASSERT_EQ(w[3], w[4]);

        const LinuxResult l = drawHere(prepared[i], c.withDc, w[3]);
        EXPECT_EQ(w[0], c.code);
        EXPECT_EQ(w[0], l.code);
        EXPECT_EQ(w[1], l.info.outWidth);
        EXPECT_EQ(w[2], l.info.outHeight);
        EXPECT_EQ(w[5], 1) << "selected objects, mapping mode or saved states changed";
        EXPECT_TRUE(pixels == l.pixels) << firstDifference(pixels, l.pixels, canvas);
        if (c.code != 0) {
            EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kWhite),
                      static_cast<long>(pixels.size()))
                << "nothing drawn";
            continue;
        }
        if (c.model == 0) {
            continue; // zxing-cpp reads no Model 1; the zxing-wasm test decodes those
        }
        // Turned back upright: the decoder reads pure symbols only that way.
        std::vector<uint8_t> grey(pixels.size());
        for (int y = 0; y < canvas; ++y) {
            for (int x = 0; x < canvas; ++x) {
                int ux = x, uy = y;
                for (int turn = 1; turn < c.orientation; ++turn) {
                    const int t = ux;
                    ux = uy;
                    uy = canvas - 1 - t;
                }
                grey[static_cast<std::size_t>(uy) * canvas + ux] =
                    pixels[static_cast<std::size_t>(y) * canvas + x] == kWhite ? 255 : 0;
            }
        }
        const auto decoded = decodeWithZXing(grey, canvas);
        ASSERT_TRUE(decoded.has_value()) << "zxing-cpp found no symbol";
        EXPECT_EQ(decoded->bytes, c.data);
    }
}

} // namespace
