#pragma once

// The output document: a vector PDF written to a temporary file beside its
// final name and renamed into place only when it is complete, so a run that
// fails or is abandoned never leaves a half-written document under the name.
// The document and its folder are the user's alone (owner_only_file.h).

#include "owner_only_file.h"
#include "pdf_page_writer.h"

#include <QSizeF>
#include <QString>
#include <memory>

namespace tabulon {

class PdfDocument {
public:
    static constexpr int kDpi = 600;

    // Opens the temporary file; false with `error` set when it cannot be made.
    bool Open(const QString& path, const QString& title, QString& error);
    // Adds a page of the given paper (0.1 mm); `paint` draws it later, on the
    // page-writing thread, so it must own everything it draws.
    void AddPage(const QSizeF& paper, PdfPageWriter::Paint paint);
    int PageCount() const { return pages_; }
    // Finishes the file and renames it into place; false with `error` set.
    bool Commit(QString& error);
    // Drops everything written; the final name is left as it was.
    void Discard();

private:
    OwnerOnlyFile file_;
    // The PDF is finished in memory, corrected, then written.
    std::unique_ptr<PdfPageWriter> writer_;
    int pages_ = 0;
};

} // namespace tabulon
