#pragma once

class QPdfDocument;
class QPrinter;

namespace tabulon {

// Prints the document's pages (the printer's page range, else all) on the
// printer, each page rendered at the printer's resolution (at most 600 dpi)
// and scaled to the full paper. Returns false when the printer cannot start.
bool PrintPdfPages(QPdfDocument& document, QPrinter& printer);

} // namespace tabulon
