#include "drawing.h"

#include "drawing_device.h"
#include "qr_error.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>

namespace qvbarqr {

namespace {

constexpr int kMaxLengthSteps = 50000;

int clampToInt(int64_t v) {
    if (v > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (v < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

int clampToInt(double v) {
    if (!(v < 2147483647.0)) {
        return std::numeric_limits<int>::max();
    }
    if (!(v > -2147483648.0)) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

// Device resolution; a device that reports none is taken as the default.
int deviceDpi(const DrawingDevice& device, int index) {
    const int dpi = device.deviceCaps(index);
    return dpi > 0 ? dpi : kDefaultDpi;
}

// Where each module goes: its top-left corner is base + i * perRow + j *
// perColumn for row i and column j of the symbol, by orientation.
struct Placement {
    int64_t baseX, baseY, xPerRow, xPerColumn, yPerRow, yPerColumn;
};

Placement placementFor(int orientation, int64_t x0, int64_t y0, int64_t w, int64_t h) {
    switch (orientation) {
    case 2: // 90 degrees: left of and below the reference corner
        return {x0 - w, y0, -w, 0, 0, h};
    case 3: // 180 degrees: left of and above
        return {x0 - w, y0 - h, 0, -w, -h, 0};
    case 4: // 270 degrees: right of and above
        return {x0, y0 - h, w, 0, 0, -h};
    default: // 0 degrees: right of and below
        return {x0, y0, 0, w, h, 0};
    }
}

using RowBits = std::array<uint64_t, kWordsPerRow>;

RowBits rowOf(const ModuleMatrix& m, int i) {
    if (i < 0 || i >= m.size) {
        return {};
    }
    return {m.rows[i][0], m.rows[i][1], m.rows[i][2]};
}

// Bit j is module j + 1 of the row (light past the end).
RowBits nextInRow(const RowBits& r) {
    return {(r[0] >> 1) | (r[1] << 63), (r[1] >> 1) | (r[2] << 63), r[2] >> 1};
}

// Bit j is module j - 1 of the row (light before the start).
RowBits previousInRow(const RowBits& r) {
    return {r[0] << 1, (r[1] << 1) | (r[0] >> 63), (r[2] << 1) | (r[1] >> 63)};
}

// Dark modules of row i whose neighbour on the screen's right, and below,
// is dark as well, by orientation.
struct Neighbours {
    RowBits right, lower;
};

Neighbours neighboursOf(const ModuleMatrix& m, int i, int orientation) {
    const RowBits row = rowOf(m, i);
    switch (orientation) {
    case 2:
        return {rowOf(m, i - 1), nextInRow(row)};
    case 3:
        return {previousInRow(row), rowOf(m, i - 1)};
    case 4:
        return {rowOf(m, i + 1), previousInRow(row)};
    default:
        return {nextInRow(row), rowOf(m, i + 1)};
    }
}

int scaled(int64_t edge, int scale) {
    if (scale == 100) {
        return clampToInt(edge);
    }
    return clampToInt(std::round(static_cast<double>(edge) * scale / 100.0));
}

// A dark module's extent by which of its neighbours are dark: bit 0 the one
// on the screen's right, bit 1 the one below. Edges facing light modules are
// pulled in, unless that would take the whole module.
struct Extents {
    int64_t width[4], height[4];
};

Extents extentsOf(int w, int h, int shrinkX, int shrinkY) {
    const int64_t sx = shrinkX < std::llabs(w) ? shrinkX : 0;
    const int64_t sy = shrinkY < std::llabs(h) ? shrinkY : 0;
    return {{w - sx, w, w - sx, w}, {h - sy, h - sy, h, h}};
}

// Calls paint(i, j, shape) for every dark module, row by row, where shape
// indexes Extents. Without shrinking every shape is the same, and the
// neighbours are not looked at.
template <bool kByNeighbours, typename Paint>
void visitDarkModules(const ModuleMatrix& m, int orientation, Paint& paint) {
    for (int i = 0; i < m.size; ++i) {
        const Neighbours next = kByNeighbours ? neighboursOf(m, i, orientation) : Neighbours{};
        for (int word = 0; word < kWordsPerRow; ++word) {
            for (uint64_t dark = m.rows[i][word]; dark != 0; dark &= dark - 1) {
                const int bit = std::countr_zero(dark);
                const int shape = kByNeighbours
                                      ? static_cast<int>(((next.right[word] >> bit) & 1u) |
                                                         (((next.lower[word] >> bit) & 1u) << 1))
                                      : 0;
                paint(i, word * 64 + bit, shape);
            }
        }
    }
}

template <typename Paint>
void forEachDarkModule(const ModuleMatrix& m, int orientation, const Extents& e, Paint paint) {
    const bool uniform = std::equal(e.width + 1, e.width + 4, e.width) &&
                         std::equal(e.height + 1, e.height + 4, e.height);
    if (uniform) {
        visitDarkModules<false>(m, orientation, paint);
    } else {
        visitDarkModules<true>(m, orientation, paint);
    }
}

// Whether base + i * perRow + j * perColumn + extent stays within int for
// 0 <= i, j < n and each extent, or for none.
bool edgesFitInInt(int64_t base, int64_t perRow, int64_t perColumn, const int64_t (&extents)[4],
                   int n) {
    int64_t low = base, high = base;
    for (int64_t step : {perRow * (n - 1), perColumn * (n - 1)}) {
        (step < 0 ? low : high) += step;
    }
    const auto [shortest, longest] = std::minmax_element(std::begin(extents), std::end(extents));
    low += std::min<int64_t>(*shortest, 0);
    high += std::max<int64_t>(*longest, 0);
    return low >= std::numeric_limits<int>::min() && high <= std::numeric_limits<int>::max();
}

// Unscaled coordinates that all fit in int, every module the same size: along
// a row of the symbol only one screen coordinate moves (x in orientations 1
// and 3, y in 2 and 4), so the other and its far edge are worked out once a
// row, and the moving one once a module. Everything the loop needs is in
// locals: reading the caller's records again after every drawing call would
// cost more than the module itself.
template <bool kRowAlongX, bool kPixels>
void drawUniformRows(const DrawingDevice& device, const ModuleMatrix& m, const Placement& at, int w,
                     int h, uint32_t color) {
    const DrawingDevice target = device;
    const int64_t step = kRowAlongX ? at.xPerColumn : at.yPerColumn;
    const int across = kRowAlongX ? h : w;
    const int words = (m.size + 63) / 64;
    for (int i = 0; i < m.size; ++i) {
        const int64_t x = at.baseX + i * at.xPerRow;
        const int64_t y = at.baseY + i * at.yPerRow;
        const auto fixed = static_cast<int>(kRowAlongX ? y : x);
        const int fixedEnd = fixed + across;
        for (int word = 0; word < words; ++word) {
            const int64_t start = (kRowAlongX ? x : y) + 64 * word * step;
            for (uint64_t dark = m.rows[i][word]; dark != 0; dark &= dark - 1) {
                const auto moving = static_cast<int>(start + std::countr_zero(dark) * step);
                if constexpr (kPixels) {
                    kRowAlongX ? target.pixel(moving, fixed, color)
                               : target.pixel(fixed, moving, color);
                } else if constexpr (kRowAlongX) {
                    target.rectangle(moving, fixed, moving + w, fixedEnd);
                } else {
                    target.rectangle(fixed, moving, fixedEnd, moving + h);
                }
            }
        }
    }
}

template <bool kRowAlongX>
void drawUniform(const DrawingDevice& device, const ModuleMatrix& m, const Placement& at, int w,
                 int h, uint32_t color) {
    if (w == 1 && h == 1) {
        drawUniformRows<kRowAlongX, true>(device, m, at, w, h, color);
    } else {
        drawUniformRows<kRowAlongX, false>(device, m, at, w, h, color);
    }
}

// Unscaled coordinates that all fit in int, modules shrunk by their
// neighbours: each shape's size is known, so whether it is one pixel is
// decided once, and the corners are plain sums.
void drawExact(const DrawingDevice& device, const ModuleMatrix& m, const Placement& at,
               const Extents& e, const QRDrawInfo& info) {
    const bool uniform = std::equal(e.width + 1, e.width + 4, e.width) &&
                         std::equal(e.height + 1, e.height + 4, e.height);
    if (uniform) {
        const auto w = static_cast<int>(e.width[0]);
        const auto h = static_cast<int>(e.height[0]);
        if (at.yPerColumn == 0) {
            drawUniform<true>(device, m, at, w, h, info.color);
        } else {
            drawUniform<false>(device, m, at, w, h, info.color);
        }
        return;
    }
    bool pixel[4];
    for (int k = 0; k < 4; ++k) {
        pixel[k] = e.width[k] == 1 && e.height[k] == 1;
    }
    forEachDarkModule(m, info.orientation, e, [&](int i, int j, int shape) {
        const auto left = static_cast<int>(at.baseX + i * at.xPerRow + j * at.xPerColumn);
        const auto top = static_cast<int>(at.baseY + i * at.yPerRow + j * at.yPerColumn);
        if (pixel[shape]) {
            device.pixel(left, top, info.color);
        } else {
            device.rectangle(left, top, left + static_cast<int>(e.width[shape]),
                             top + static_cast<int>(e.height[shape]));
        }
    });
}

// Any scale, any coordinates: each edge is scaled and clamped to int, and a
// module is one pixel when its scaled edges are one apart.
void drawScaled(const DrawingDevice& device, const ModuleMatrix& m, const Placement& at,
                const Extents& e, const QRDrawInfo& info) {
    forEachDarkModule(m, info.orientation, e, [&](int i, int j, int shape) {
        const int64_t x = at.baseX + i * at.xPerRow + j * at.xPerColumn;
        const int64_t y = at.baseY + i * at.yPerRow + j * at.yPerColumn;
        const int left = scaled(x, info.scale);
        const int top = scaled(y, info.scale);
        const int right = scaled(x + e.width[shape], info.scale);
        const int bottom = scaled(y + e.height[shape], info.scale);
        if (static_cast<int64_t>(right) - left == 1 && static_cast<int64_t>(bottom) - top == 1) {
            device.pixel(left, top, info.color);
        } else {
            device.rectangle(left, top, right, bottom);
        }
    });
}

} // namespace

int64_t toPixels(int64_t length, int dpi) {
    return length * dpi / kUnitsPerInch;
}

int64_t lengthOfPixels(int64_t pixels, int dpi) {
    const int64_t product = pixels * kUnitsPerInch;
    int64_t length = product / dpi;
    if ((product % dpi != 0) && ((product < 0) != (dpi < 0))) {
        --length; // floor, not truncation
    }
    for (int step = 0; step < kMaxLengthSteps; ++step, ++length) {
        if (toPixels(length, dpi) >= pixels) {
            return length;
        }
    }
    return length;
}

Resolution resolutionOf(const QRDrawInfo& info) {
    if (info.dpiMode == 1) {
        return {info.dpiX == 0 ? kDefaultDpi : info.dpiX, info.dpiY == 0 ? kDefaultDpi : info.dpiY};
    }
    const DrawingDevice device(info.hdc);
    if (!device.canTellResolution()) {
        throw CQRErr(4);
    }
    return {deviceDpi(device, QVQR_LOGPIXELSX), deviceDpi(device, QVQR_LOGPIXELSY)};
}

int moduleSizeFromBox(int box, int n, int dpi) {
    const int64_t size = toPixels(box / n, dpi);
    return size == 0 ? 1 : clampToInt(size);
}

void drawSymbol(const ModuleMatrix& m, QRDrawInfo& info) {
    const DrawingDevice device(info.hdc);
    if (!device.canDraw()) {
        throw CQRErr(4);
    }
    const Resolution res = resolutionOf(info);
    const int saved = device.save();
    const int n = m.size;
    int w = info.sizeMode == 2 ? moduleSizeFromBox(info.width, n, res.x) : info.moduleW;
    int h = info.sizeMode == 2 ? moduleSizeFromBox(info.height, n, res.y) : info.moduleH;
    w = w == 0 ? 1 : w;
    h = h == 0 ? 1 : h;
    info.outWidth = clampToInt(lengthOfPixels(int64_t{w} * n, res.x));
    info.outHeight = clampToInt(lengthOfPixels(int64_t{h} * n, res.y));

    const Placement at =
        placementFor(info.orientation, toPixels(info.left, res.x), toPixels(info.top, res.y), w, h);
    const Extents e = extentsOf(w, h, info.shrinkX, info.shrinkY);
    if (info.scale == 100 && edgesFitInInt(at.baseX, at.xPerRow, at.xPerColumn, e.width, n) &&
        edgesFitInInt(at.baseY, at.yPerRow, at.yPerColumn, e.height, n)) {
        drawExact(device, m, at, e, info);
    } else {
        drawScaled(device, m, at, e, info);
    }
    if (saved > 0) {
        device.restore(saved);
    }
}

} // namespace qvbarqr
