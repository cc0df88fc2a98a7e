#include "qr_symbol.h"

#include "qr_self_check.h"
#include "qvbarqr_library.h"
#include "qvdc_target.h"
#include "report_status.h"
#include "shift_jis.h"

#include <QPainter>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace tabulon {

namespace {

constexpr double kUnitsPerInch = 1440000.0; // QvBarQR's length unit
constexpr int kPropertyEcLevel = 3101;

int ToUnits(double length, double perInch) {
    return static_cast<int>(std::lround(length * kUnitsPerInch / perInch));
}

// The drawing target handed to the library. Modules arrive row by row, so
// neighbouring modules of a row are merged into one rectangle as they come;
// MergeRows then joins equal runs of following rows (fewer rectangles make a
// smaller page to write and compress).
struct DcTarget {
    int dpi = 600;
    QRSymbol* symbol = nullptr;

    int Dpi() const { return dpi; }
    void FillRect(int left, int top, int right, int bottom) {
        std::vector<QRect>& rects = symbol->rects;
        if (right <= left || bottom <= top)
            return;
        if (!rects.empty()) {
            QRect& last = rects.back();
            if (last.top() == top && last.bottom() == bottom - 1 && last.right() + 1 == left) {
                last.setRight(right - 1);
                return;
            }
        }
        rects.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }
    void SetPixel(int x, int y, uint32_t color) {
        // COLORREF is 0x00BBGGRR.
        symbol->pixels.emplace_back(
            QPoint(x, y), QColor(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff));
    }
};

// Joins each rectangle with the one of the same columns that ends right above
// it. The rectangles come row by row, left to right.
void MergeRows(std::vector<QRect>& rects) {
    std::vector<QRect> merged;
    merged.reserve(rects.size());
    std::unordered_map<quint64, size_t> open; // columns -> rectangle ending on the row above
    for (const QRect& r : rects) {
        const quint64 key = (quint64(quint32(r.left())) << 32) | quint32(r.right());
        const auto it = open.find(key);
        if (it != open.end() && merged[it->second].bottom() + 1 == r.top()) {
            merged[it->second].setBottom(r.bottom());
            continue;
        }
        open[key] = merged.size();
        merged.push_back(r);
    }
    rects = std::move(merged);
}

// The rectangles in modules from the grid's corner, when every edge lies on
// the grid (no ink spread taken off, no scaling).
std::optional<std::vector<QRect>> InModules(const QRSymbol& symbol) {
    const int w = symbol.module.width();
    const int h = symbol.module.height();
    if (w <= 0 || h <= 0)
        return std::nullopt;
    std::vector<QRect> modules;
    modules.reserve(symbol.rects.size());
    for (const QRect& r : symbol.rects) {
        const int left = r.left() - symbol.origin.x();
        const int top = r.top() - symbol.origin.y();
        const int right = r.right() + 1 - symbol.origin.x();
        const int bottom = r.bottom() + 1 - symbol.origin.y();
        if (left % w || right % w || top % h || bottom % h || left < 0 || top < 0)
            return std::nullopt;
        modules.emplace_back(QPoint(left / w, top / h), QPoint(right / w - 1, bottom / h - 1));
    }
    return modules;
}

} // namespace

int MakeQRSymbol(const QRSymbolRequest& request, int dpi, QRSymbol& symbol, QString& error) {
    symbol = QRSymbol();
    if (request.data.isEmpty())
        return kReportOk;
    const QvBarQRLibrary* lib = QvBarQRLibrary::Get();
    if (!lib)
        return kReportQRLibraryMissing;
    const std::optional<QByteArray> bytes = ToShiftJis(request.data);
    if (!bytes)
        return kReportQRDataUnencodable;
    if (!lib->CheckParameter(kPropertyEcLevel, request.ecLevel))
        return kReportQROptionRefused;

    DcTarget target;
    target.dpi = dpi;
    target.symbol = &symbol;
    QvDCFor<DcTarget> dc(target);

    QRParam param;
    QRDrawInfo draw;
    lib->DefaultStruct(&param, &draw);
    param.model = request.model == 1 ? 0 : 1;
    param.ecLevel = request.ecLevel;
    param.data = bytes->constData();
    param.dataLen = static_cast<int32_t>(bytes->size());
    if (const int rc = lib->CheckData(&param))
        return rc;

    draw.hdc = dc.dc();
    draw.dpiMode = 1;
    draw.dpiX = draw.dpiY = dpi;
    draw.left = ToUnits(request.x, 254.0);
    draw.top = ToUnits(request.y, 254.0);
    draw.width = draw.height = ToUnits(request.side, 2540.0);
    if (const int rc = lib->DummyCalcSize(&param, &draw))
        return rc;
    symbol.origin = QPoint(static_cast<int>(int64_t(draw.left) * dpi / kUnitsPerInch),
                           static_cast<int>(int64_t(draw.top) * dpi / kUnitsPerInch));
    symbol.module = QSize(draw.moduleW, draw.moduleH);
    symbol.rects.reserve(static_cast<size_t>(param.modules) * param.modules / 2);
    int rc = lib->Draw(&param, &draw);
    if (rc == kReportOk)
        rc = ReadBackQRSymbol(*lib, param, draw, error);
    if (rc != kReportOk)
        symbol = QRSymbol();
    MergeRows(symbol.rects);
    return rc;
}

void PaintQRSymbol(QPainter& painter, const QRSymbol& symbol) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    if (const std::optional<std::vector<QRect>> modules = InModules(symbol)) {
        // The same rectangles on the module grid: the page then says
        // "12 7 3 1 re" where it said "1234 5678 30 10 re".
        painter.save();
        painter.translate(symbol.origin);
        painter.scale(symbol.module.width(), symbol.module.height());
        painter.drawRects(modules->data(), static_cast<int>(modules->size()));
        painter.restore();
    } else {
        painter.drawRects(symbol.rects.data(), static_cast<int>(symbol.rects.size()));
    }
    for (const auto& [point, color] : symbol.pixels)
        painter.fillRect(QRect(point, QSize(1, 1)), color);
    painter.restore();
}

} // namespace tabulon
