#include "pdf_document.h"

#include "pdf_text_layer.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>

namespace tabulon {

namespace {

QPageLayout PageLayoutFor(const QSizeF& paper) {
    // QPageSize keeps sizes upright; a wider-than-high paper is a landscape page.
    const bool landscape = paper.width() > paper.height();
    const QSizeF upright = landscape ? paper.transposed() : paper;
    const QPageSize size(upright / 10.0, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

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
    buffer_.setData(QByteArray());
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setResolution(kDpi);
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Tabulon"));
    pages_ = 0;
    return true;
}

QPainter& PdfDocument::NewPage(const QSizeF& paper) {
    writer_->setPageLayout(PageLayoutFor(paper));
    if (pages_ == 0)
        painter_.begin(writer_.get());
    else
        writer_->newPage();
    ++pages_;
    return painter_;
}

bool PdfDocument::Commit(QString& error) {
    if (painter_.isActive())
        painter_.end();
    writer_.reset();
    QByteArray pdf = buffer_.data();
    buffer_.close();
    buffer_.setData(QByteArray());
    MapRadicalsToIdeographs(pdf);
    if (file_.write(pdf) != pdf.size() || !file_.commit()) {
        error =
            QStringLiteral("%1: 書き込めません (%2)").arg(file_.fileName(), file_.errorString());
        return false;
    }
    return true;
}

void PdfDocument::Discard() {
    if (painter_.isActive())
        painter_.end();
    writer_.reset();
    buffer_.close();
    buffer_.setData(QByteArray());
    file_.cancelWriting();
    file_.commit(); // after cancelWriting this removes the temporary file and reports failure
}

} // namespace tabulon
