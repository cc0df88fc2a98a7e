#include "qr_self_check.h"

#include "qvbarqr_library.h"
#include "qvdc_target.h"
#include "report_status.h"

#include <ZXing/ReadBarcode.h>
#include <algorithm>
#include <cstring>
#include <vector>

namespace tabulon {

namespace {

constexpr int kModulePx = 2;     // whole pixels per module on the check bitmap
constexpr int kQuietModules = 4; // light margin around the symbol
constexpr int kCheckDpi = 600;
constexpr int kUnitsPerInch = 1440000;

// A grey bitmap that the library draws on through a QvDC: 255 light, 0 dark.
struct CheckBitmap {
    int side = 0;
    std::vector<uint8_t> pixels;

    explicit CheckBitmap(int s) : side(s), pixels(static_cast<size_t>(s) * s, 255) {}

    int Dpi() const { return kCheckDpi; }
    void FillRect(int left, int top, int right, int bottom) { Fill(left, top, right, bottom, 0); }
    void SetPixel(int x, int y, uint32_t color) {
        // COLORREF 0x00BBGGRR to a grey level.
        const int grey =
            ((color & 0xff) * 299 + ((color >> 8) & 0xff) * 587 + ((color >> 16) & 0xff) * 114) /
            1000;
        Fill(x, y, x + 1, y + 1, static_cast<uint8_t>(grey));
    }

    void Fill(int left, int top, int right, int bottom, uint8_t value) {
        left = std::clamp(left, 0, side);
        right = std::clamp(right, 0, side);
        top = std::clamp(top, 0, side);
        bottom = std::clamp(bottom, 0, side);
        if (right <= left)
            return;
        for (int y = top; y < bottom; ++y)
            std::memset(&pixels[static_cast<size_t>(y) * side + left], value,
                        static_cast<size_t>(right - left));
    }
};

int ToUnits(int px) {
    return px * (kUnitsPerInch / kCheckDpi);
}

// The reference corner that puts the turned symbol inside the quiet zone.
void PlaceSymbol(QRDrawInfo& draw, int symbolPx) {
    const int near = kQuietModules * kModulePx;
    const int far = near + symbolPx;
    switch (draw.orientation) {
    case 2:
        draw.left = ToUnits(far), draw.top = ToUnits(near);
        break;
    case 3:
        draw.left = ToUnits(far), draw.top = ToUnits(far);
        break;
    case 4:
        draw.left = ToUnits(near), draw.top = ToUnits(far);
        break;
    default:
        draw.left = ToUnits(near), draw.top = ToUnits(near);
        break;
    }
}

ZXing::Result Decode(const CheckBitmap& bitmap, bool pure) {
    const ZXing::ImageView view(bitmap.pixels.data(), bitmap.side, bitmap.side,
                                ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setBinarizer(ZXing::Binarizer::FixedThreshold);
    hints.setIsPure(pure);
    hints.setTryHarder(!pure);
    hints.setTryDownscale(false);
    return ZXing::ReadBarcode(view, hints);
}

QString Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.left(24).toHex(' ')) +
           (bytes.size() > 24 ? QStringLiteral(" …") : QString());
}

} // namespace

int ReadBackQRSymbol(const QvBarQRLibrary& lib, const QRParam& param, const QRDrawInfo& draw,
                     QString& error) {
    const int modules = param.modules;
    const int symbolPx = modules * kModulePx;
    CheckBitmap bitmap(symbolPx + 2 * kQuietModules * kModulePx);
    QvDCFor<CheckBitmap> dc(bitmap);

    // The page's records, drawn at a module size of whole pixels: only the
    // target, the size and the place differ, and no ink spread is taken off
    // (it would eat a whole module of two pixels).
    QRParam checkParam = param;
    QRDrawInfo checkDraw = draw;
    checkDraw.hdc = dc.dc();
    checkDraw.dpiMode = 1;
    checkDraw.dpiX = checkDraw.dpiY = kCheckDpi;
    checkDraw.scale = 100;
    checkDraw.sizeMode = 1;
    checkDraw.moduleW = checkDraw.moduleH = kModulePx;
    checkDraw.shrinkX = checkDraw.shrinkY = 0;
    PlaceSymbol(checkDraw, symbolPx);
    if (const int rc = lib.Draw(&checkParam, &checkDraw))
        return rc;

    ZXing::Result result = Decode(bitmap, true);
    if (!result.isValid())
        result = Decode(bitmap, false); // a symbol drawn off its grid still gets a fair read
    const QByteArray expected(param.data, param.dataLen);
    if (!result.isValid()) {
        error = QStringLiteral("QR コードを読み取れません (%1 × %1 モジュール、データ %2)")
                    .arg(modules)
                    .arg(Hex(expected));
        return kReportQRUnreadable;
    }
    const ZXing::ByteArray& bytes = result.bytes();
    const QByteArray decoded(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size()));
    if (decoded != expected) {
        error = QStringLiteral("QR コードの読み取り結果がデータと違います (読み取り %1、データ %2)")
                    .arg(Hex(decoded), Hex(expected));
        return kReportQRWrongData;
    }
    return kReportOk;
}

} // namespace tabulon
