#pragma once

#include <QString>

class QPdfDocument;
class QPrinter;

namespace tabulon {

// Prints the document's pages (the printer's page range, else all) on a
// printer that paints them, such as a file: each page rendered at the
// printer's resolution (at most 600 dpi) and placed at its actual size from
// the paper's corner, never scaled to fit. Returns false when the printer
// cannot start.
bool PaintPdfPages(QPdfDocument& document, QPrinter& printer);

// Prints the document chosen in the print dialog: to a CUPS queue the file is
// sent as it is (cups_job.h), to a file it is painted. False with `error` set
// when the document could not be handed over.
bool PrintPdfDocument(QPdfDocument& document, const QString& file, QPrinter& printer,
                      QString& error);

} // namespace tabulon
