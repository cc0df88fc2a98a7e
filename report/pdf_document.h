#pragma once

// The output document: a vector PDF written to a temporary file beside its
// final name and renamed into place only when it is complete, so a run that
// fails or is abandoned never leaves a half-written document under the name.

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSizeF>
#include <QString>
#include <memory>

namespace tabulon {

class PdfDocument {
public:
    static constexpr int kDpi = 600;

    // Opens the temporary file; false with `error` set when it cannot be made.
    bool Open(const QString& path, const QString& title, QString& error);
    // Starts a page of the given paper (0.1 mm) and returns its painter.
    QPainter& NewPage(const QSizeF& paper);
    int PageCount() const { return pages_; }
    // Finishes the file and renames it into place; false with `error` set.
    bool Commit(QString& error);
    // Drops everything written; the final name is left as it was.
    void Discard();

private:
    QSaveFile file_;
    QBuffer buffer_; // the PDF is finished in memory, corrected, then written
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    int pages_ = 0;
};

} // namespace tabulon
