#include "pdf_document.h"

#include "pdf_text_layer.h"

#include <QFileInfo>

namespace tabulon {

bool PdfDocument::Open(const QString& path, const QString& title, QString& error) {
    const QFileInfo info(path);
    if (!MakeOwnerOnlyFolder(info.absolutePath())) {
        error = QStringLiteral("%1: フォルダを作れません").arg(info.absolutePath());
        return false;
    }
    if (!file_.Open(path)) {
        error = QStringLiteral("%1: 書き込めません (%2)").arg(path, file_.ErrorString());
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
    if (!file_.Write(pdf) || !file_.Commit()) {
        error =
            QStringLiteral("%1: 書き込めません (%2)").arg(file_.FileName(), file_.ErrorString());
        return false;
    }
    return true;
}

void PdfDocument::Discard() {
    writer_.reset();
    file_.Cancel();
}

} // namespace tabulon
