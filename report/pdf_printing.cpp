#include "pdf_printing.h"

#include "cups_job.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>

namespace tabulon {

namespace {

constexpr int kMaxPrintDpi = 600;

QString SidesOf(const QPrinter& printer) {
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
        return QStringLiteral("two-sided-long-edge");
    case QPrinter::DuplexShortSide:
        return QStringLiteral("two-sided-short-edge");
    case QPrinter::DuplexNone:
        return QStringLiteral("one-sided");
    default:
        return QString();
    }
}

// The paper of the document's first page by its PPD name ("A4").
QString MediaOf(QPdfDocument& document) {
    if (document.pageCount() <= 0)
        return QString();
    const QPageSize size(document.pagePointSize(0), QPageSize::Point, QString(),
                         QPageSize::FuzzyMatch);
    return size.id() == QPageSize::Custom ? QString() : size.key();
}

} // namespace

bool PaintPdfPages(QPdfDocument& document, QPrinter& printer) {
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
    const int resolution = printer.resolution();
    const int dpi = qMin(resolution, kMaxPrintDpi);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        const QSizeF points = document.pagePointSize(page);
        const QImage image = document.render(page, (points * dpi / 72.0).toSize());
        // Actual size: a point of the page is a point of the paper.
        painter.drawImage(QRectF(QPointF(0, 0), points * resolution / 72.0), image);
    }
    return painter.end();
}

bool PrintPdfDocument(QPdfDocument& document, const QString& file, QPrinter& printer,
                      QString& error) {
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty()) {
        if (!PaintPdfPages(document, printer)) {
            error = QStringLiteral("%1 に印刷できません").arg(printer.outputFileName());
            return false;
        }
        return true;
    }
    CupsJob job;
    job.printer = printer.printerName();
    job.title =
        printer.docName().isEmpty() ? QFileInfo(file).completeBaseName() : printer.docName();
    job.media = MediaOf(document);
    job.copies = printer.copyCount();
    job.collate = printer.collateCopies();
    job.sides = SidesOf(printer);
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        job.fromPage = printer.fromPage();
        job.toPage = qMax(printer.fromPage(), printer.toPage());
    }
    return SubmitPdfToCups(file, job, error) > 0;
}

} // namespace tabulon
