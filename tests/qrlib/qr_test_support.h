#pragma once

#include "QvBarQR.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrtest {

// A symbol's modules, one byte per module (1 = dark), row by row.
struct Matrix {
    int size = 0;
    std::vector<uint8_t> dark;

    bool at(int row, int col) const { return dark[row * size + col] != 0; }
    bool operator==(const Matrix&) const = default;
};

// One character per module: '#' dark, '.' light.
std::string asciiArt(const Matrix& m);

// Both matrices as ASCII art, with 'X' where they differ, for failure messages.
std::string describeDifference(const Matrix& got, const Matrix& want);

// A drawing target that records every call and paints into a grey bitmap
// (0 dark, 255 light) of the given size in pixels.
class BitmapDC {
public:
    BitmapDC(int width, int height);

    QvDC* dc() { return &dc_; }
    const std::vector<uint8_t>& pixels() const { return pixels_; }
    int width() const { return width_; }
    int height() const { return height_; }

    struct Call {
        char kind; // 'R' Rectangle, 'P' SetPixelV
        int left, top, right, bottom;
        uint32_t color;
    };
    std::vector<Call> calls;
    int saves = 0;
    int restores = 0;
    int lastRestoredState = 0;
    int deviceDpi = 600;

private:
    static int getDeviceCaps(void* ctx, int index);
    static int saveDC(void* ctx);
    static int restoreDC(void* ctx, int state);
    static int rectangle(void* ctx, int left, int top, int right, int bottom);
    static uint32_t setPixelV(void* ctx, int x, int y, uint32_t color);
    void fill(int left, int top, int right, int bottom);

    QvDC dc_;
    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
};

// Parameters with the library's defaults and the given data.
QRParam paramFor(std::string_view data, int model, int level, int mask, int version);

// Draws the symbol through QvQRDraw with modules of `modulePx` pixels and a
// quiet zone of four modules. Returns the result code; on success fills
// `bitmap` and `matrix` (read back from the module centres).
struct Drawn {
    int code = -1;
    int version = 0;
    Matrix matrix;
    std::vector<uint8_t> image;
    int imageSize = 0;
};
Drawn drawSymbol(const QRParam& param, int modulePx = 3);

// What an independent decoder read from a symbol.
struct Decoded {
    std::string bytes;
    int sequenceIndex = -1;
    int sequenceSize = -1;
    std::string sequenceId;
    std::string ecLevel;
};

// Decodes a grey image with zxing-cpp.
std::optional<Decoded> decodeWithZXing(const std::vector<uint8_t>& image, int size);

// Decodes a grey image with zbarimg (raw bytes). Empty when it found nothing.
std::optional<std::string> decodeWithZbar(const std::vector<uint8_t>& image, int size);

} // namespace qrtest
