#include "page_painter.h"

#include "report_status.h"
#include "text_painter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace tabulon {

namespace {

constexpr double kUnitsPerInch = 254.0; // 0.1 mm

class PagePainter {
public:
    explicit PagePainter(QPainter& painter)
        : p_(painter), pxPerUnit_(painter.device()->logicalDpiX() / kUnitsPerInch) {}

    void Item(const LayoutItem& item) {
        switch (item.kind) {
        case LayoutItem::Kind::Text:
            PaintText(p_, Box(item.x, item.y, item.w, item.h), item.text, item.style, pxPerUnit_);
            break;
        case LayoutItem::Kind::Line:
            if (Pen(item.lineWidth))
                p_.drawLine(QPointF(Px(item.x), Px(item.y)),
                            QPointF(Px(item.x + item.w), Px(item.y + item.h)));
            break;
        case LayoutItem::Kind::Box:
            if (item.fill)
                p_.fillRect(Box(item.x, item.y, item.w, item.h), Qt::black);
            else if (Pen(item.lineWidth))
                p_.drawRect(Box(item.x, item.y, item.w, item.h));
            break;
        case LayoutItem::Kind::Ellipse:
            if (Pen(item.lineWidth))
                p_.drawEllipse(Box(item.x, item.y, item.w, item.h));
            break;
        }
    }

    void TextField(const LayoutField& field, const FieldState& state) {
        const QRectF box = Box(field.x, field.y, field.w, field.h);
        if (field.frame && Pen(field.lineWidth))
            p_.drawRect(box);
        PaintText(p_, box, state.text, field.style, pxPerUnit_);
    }

private:
    double Px(double units) const { return units * pxPerUnit_; }
    QRectF Box(double x, double y, double w, double h) const {
        return QRectF(Px(x), Px(y), Px(w), Px(h));
    }
    // Sets a solid black pen of the width; false when the width draws nothing.
    bool Pen(double width) {
        if (width <= 0)
            return false;
        QPen pen(Qt::black, Px(width));
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        return true;
    }

    QPainter& p_;
    double pxPerUnit_;
};

} // namespace

int MakePageSymbols(const Layout& layout, const std::vector<FieldState>& fields, int dpi,
                    std::vector<QRSymbol>& symbols, QString& error) {
    symbols.clear();
    for (size_t i = 0; i < layout.fields.size(); ++i) {
        const LayoutField& field = layout.fields[i];
        const FieldState& state = fields[i];
        if (field.kind != LayoutField::Kind::QR || !state.visible)
            continue;
        QRSymbolRequest request;
        request.data = state.qrData;
        request.x = field.x;
        request.y = field.y;
        request.side = state.qrSize;
        request.ecLevel = state.qrOption > 0 ? state.qrOption - 1 : field.qrEcLevel;
        request.model = field.qrModel;
        symbols.emplace_back();
        QString detail;
        if (const int rc = MakeQRSymbol(request, dpi, symbols.back(), detail)) {
            error = detail.isEmpty()
                        ? QStringLiteral("%1: QR コードを作れません (%2)").arg(field.name).arg(rc)
                        : field.name + QStringLiteral(": ") + detail;
            return rc;
        }
    }
    return kReportOk;
}

void PaintPage(QPainter& painter, const Layout& layout, const std::vector<FieldState>& fields,
               const std::vector<QRSymbol>& symbols) {
    PagePainter page(painter);
    for (const LayoutItem& item : layout.items)
        page.Item(item);
    for (size_t i = 0; i < layout.fields.size(); ++i) {
        const LayoutField& field = layout.fields[i];
        const FieldState& state = fields[i];
        if (!state.visible)
            continue;
        if (field.kind == LayoutField::Kind::Flag) {
            for (const LayoutItem& item : field.items)
                page.Item(item);
        } else if (field.kind == LayoutField::Kind::Text) {
            page.TextField(field, state);
        }
    }
    for (const QRSymbol& symbol : symbols)
        PaintQRSymbol(painter, symbol);
}

} // namespace tabulon
