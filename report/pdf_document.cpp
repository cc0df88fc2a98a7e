#include "pdf_document.h"

#include "pdf_text_layer.h"

#include <QDir>
#include <QFileInfo>

namespace tabulon {

bool PdfDocument::Open(const QString& path, const QString& title, QString& error) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        error = QStringLiteral("%1: フォルダを作れません").arg(info.absolutePath());
        return false;
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("%1: 書き込めません (%2)").arg(path, file_.errorString());
        return false;
    }
    writer_ = std::make_unique<PdfPageWriter>(title, kDpi);
    pages_ = 0;
    return true;
}

void PdfDocument::AddPage(const QSizeF& paper, PdfPageWriter::Paint paint) {
    writer_->Add(paper, std::move(paint));
    ++pages_;
}

bool PdfDocument::Commit(QString& error) {
    QByteArray pdf = writer_->Finish();
    writer_.reset();
    MapRadicalsToIdeographs(pdf);
    if (file_.write(pdf) != pdf.size() || !file_.commit()) {
        error =
            QStringLiteral("%1: 書き込めません (%2)").arg(file_.fileName(), file_.errorString());
        return false;
    }
    return true;
}

void PdfDocument::Discard() {
    writer_.reset();
    file_.cancelWriting();
    file_.commit(); // after cancelWriting this removes the temporary file and reports failure
}

} // namespace tabulon
