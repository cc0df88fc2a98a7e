#include "pdf_page_writer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

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

PdfPageWriter::PdfPageWriter(QString title, int dpi)
    : thread_([this, title = std::move(title), dpi] { Run(title, dpi); }) {}

PdfPageWriter::~PdfPageWriter() {
    {
        const std::lock_guard lock(mutex_);
        dropping_ = true;
        waiting_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

void PdfPageWriter::Add(const QSizeF& paper, Paint paint) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < kMostWaiting; });
    waiting_.push_back({paper, std::move(paint)});
    lock.unlock();
    changed_.notify_all();
}

QByteArray PdfPageWriter::Finish() {
    std::unique_lock lock(mutex_);
    finishing_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return done_; });
    return std::move(pdf_);
}

void PdfPageWriter::Run(const QString& title, int dpi) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    auto writer = std::make_unique<QPdfWriter>(&buffer);
    writer->setResolution(dpi);
    writer->setTitle(title);
    writer->setCreator(QStringLiteral("Tabulon"));
    QPainter painter;
    bool finished = false;
    for (;;) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !waiting_.empty() || finishing_ || dropping_; });
        if (dropping_)
            break;
        if (waiting_.empty()) {
            finished = true;
            break;
        }
        Page page = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        changed_.notify_all();

        writer->setPageLayout(PageLayoutFor(page.paper));
        if (!painter.isActive())
            painter.begin(writer.get());
        else
            writer->newPage();
        page.paint(painter);
    }
    if (painter.isActive())
        painter.end();
    writer.reset();
    const std::lock_guard lock(mutex_);
    if (finished)
        pdf_ = buffer.data();
    done_ = true;
    changed_.notify_all();
}

} // namespace tabulon
