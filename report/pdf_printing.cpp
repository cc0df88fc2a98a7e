#include "pdf_printing.h"

#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>

namespace tabulon {

namespace {

constexpr int kMaxPrintDpi = 600;

} // namespace

bool PrintPdfPages(QPdfDocument& document, QPrinter& printer) {
    const int pages = document.pageCount();
    int first = 0;
    int last = pages - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = qMin(last, printer.toPage() - 1);
    }
    printer.setFullPage(true);
    QPainter painter;
    if (first > last || !painter.begin(&printer))
        return false;
    const int dpi = qMin(printer.resolution(), kMaxPrintDpi);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        const QSizeF points = document.pagePointSize(page);
        const QSize pixels((points * dpi / 72.0).toSize());
        const QImage image = document.render(page, pixels);
        const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
        const QSizeF fitted = QSizeF(image.size()).scaled(paper.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRectF(paper.topLeft(), fitted), image);
    }
    return painter.end();
}

} // namespace tabulon
