#include "qr_test_support.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace qrtest {

namespace {

constexpr int kQuietModules = 4;
constexpr int kUnitsPerPixelAt600 = 1440000 / 600;

} // namespace

std::string asciiArt(const Matrix& m) {
    std::string out;
    for (int r = 0; r < m.size; ++r) {
        for (int c = 0; c < m.size; ++c) {
            out += m.at(r, c) ? '#' : '.';
        }
        out += '\n';
    }
    return out;
}

std::string describeDifference(const Matrix& got, const Matrix& want) {
    if (got.size != want.size) {
        return "size " + std::to_string(got.size) + " instead of " + std::to_string(want.size) +
               "\n" + asciiArt(got);
    }
    std::string out = "got | want | X where they differ\n";
    for (int r = 0; r < got.size; ++r) {
        for (int c = 0; c < got.size; ++c) {
            out += got.at(r, c) ? '#' : '.';
        }
        out += " | ";
        for (int c = 0; c < got.size; ++c) {
            out += want.at(r, c) ? '#' : '.';
        }
        out += " | ";
        for (int c = 0; c < got.size; ++c) {
            out += got.at(r, c) != want.at(r, c) ? 'X' : '.';
        }
        out += '\n';
    }
    return out;
}

BitmapDC::BitmapDC(int width, int height)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 255) {
    dc_.ctx = this;
    dc_.GetDeviceCaps = &getDeviceCaps;
    dc_.SaveDC = &saveDC;
    dc_.RestoreDC = &restoreDC;
    dc_.Rectangle = &rectangle;
    dc_.SetPixelV = &setPixelV;
}

int BitmapDC::getDeviceCaps(void* ctx, int) {
    return static_cast<BitmapDC*>(ctx)->deviceDpi;
}

int BitmapDC::saveDC(void* ctx) {
    return ++static_cast<BitmapDC*>(ctx)->saves;
}

int BitmapDC::restoreDC(void* ctx, int state) {
    auto* self = static_cast<BitmapDC*>(ctx);
    ++self->restores;
    self->lastRestoredState = state;
    return 1;
}

int BitmapDC::rectangle(void* ctx, int left, int top, int right, int bottom) {
    auto* self = static_cast<BitmapDC*>(ctx);
    self->calls.push_back({'R', left, top, right, bottom, 0});
    self->fill(left, top, right, bottom);
    return 1;
}

uint32_t BitmapDC::setPixelV(void* ctx, int x, int y, uint32_t color) {
    auto* self = static_cast<BitmapDC*>(ctx);
    self->calls.push_back({'P', x, y, x + 1, y + 1, color});
    self->fill(x, y, x + 1, y + 1);
    return 1;
}

void BitmapDC::fill(int left, int top, int right, int bottom) {
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x) {
            pixels_[static_cast<std::size_t>(y) * width_ + x] = 0;
        }
    }
}

QRParam paramFor(std::string_view data, int model, int level, int mask, int version) {
    QRParam p;
    QvQRDefaultStruct(&p, nullptr);
    p.model = model;
    p.ecLevel = level;
    p.mask = mask;
    p.version = version;
    p.data = data.data();
    p.dataLen = static_cast<int32_t>(data.size());
    return p;
}

Drawn drawSymbol(const QRParam& param, int modulePx) {
    Drawn out;
    QRParam p = param;
    out.code = QvQRCheckData(&p);
    if (out.code != 0) {
        return out;
    }
    out.version = p.version;
    const int n = p.modules;
    out.imageSize = (n + 2 * kQuietModules) * modulePx;
    BitmapDC bitmap(out.imageSize, out.imageSize);
    QRDrawInfo info;
    QvQRDefaultStruct(nullptr, &info);
    info.hdc = bitmap.dc();
    info.sizeMode = 1;
    info.moduleW = modulePx;
    info.moduleH = modulePx;
    info.left = kQuietModules * modulePx * kUnitsPerPixelAt600;
    info.top = info.left;
    QRParam drawParam = param;
    out.code = QvQRDraw(&drawParam, &info);
    if (out.code != 0) {
        return out;
    }
    out.image = bitmap.pixels();
    out.matrix.size = n;
    out.matrix.dark.resize(static_cast<std::size_t>(n) * n);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const int y = (kQuietModules + r) * modulePx + modulePx / 2;
            const int x = (kQuietModules + c) * modulePx + modulePx / 2;
            out.matrix.dark[r * n + c] = out.image[y * out.imageSize + x] == 0;
        }
    }
    return out;
}

std::optional<Decoded> decodeWithZXing(const std::vector<uint8_t>& image, int size) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setIsPure(true);
    const ZXing::ImageView view(image.data(), size, size, ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) {
        return std::nullopt;
    }
    Decoded d;
    d.bytes.assign(result.bytes().begin(), result.bytes().end());
    d.sequenceIndex = result.sequenceIndex();
    d.sequenceSize = result.sequenceSize();
    d.sequenceId = result.sequenceId();
    d.ecLevel = result.ecLevel();
    return d;
}

std::optional<std::string> decodeWithZbar(const std::vector<uint8_t>& image, int size) {
    char path[] = "/tmp/qvbarqr-zbar-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        return std::nullopt;
    }
    close(fd);
    {
        std::ofstream pgm(path, std::ios::binary);
        pgm << "P5\n" << size << ' ' << size << "\n255\n";
        pgm.write(reinterpret_cast<const char*>(image.data()),
                  static_cast<std::streamsize>(image.size()));
    }
    const std::string command = std::string("zbarimg --raw -q -Sbinary ") + path;
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    if (pipe != nullptr) {
        std::array<char, 4096> buffer;
        std::size_t n = 0;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            out.append(buffer.data(), n);
        }
        pclose(pipe);
    }
    std::remove(path);
    if (out.empty()) {
        return std::nullopt;
    }
    if (out.back() == '\n') {
        out.pop_back();
    }
    return out;
}

} // namespace qrtest
