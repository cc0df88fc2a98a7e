#pragma once

// Writes the pages of one PDF on a thread of its own, in the order they are
// added, while the caller goes on filling the next page: on a batch the
// writing (Qt's page content and its compression) takes longer than all the
// rest, and the two now share the machine's cores.
//
// Everything the thread touches is its own: the writer, its painter and the
// fonts it shapes with are made and dropped there.

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class QPainter;

namespace tabulon {

class PdfPageWriter {
public:
    using Paint = std::function<void(QPainter&)>;

    PdfPageWriter(QString title, int dpi);
    // Drops the pages still waiting and stops the thread.
    ~PdfPageWriter();
    PdfPageWriter(const PdfPageWriter&) = delete;
    PdfPageWriter& operator=(const PdfPageWriter&) = delete;

    // Queues a page of the given paper (0.1 mm) that `paint` draws; waits
    // while a few pages are already waiting, so a fast caller cannot pile up
    // a whole month in memory.
    void Add(const QSizeF& paper, Paint paint);
    // Waits for every page and returns the finished PDF.
    QByteArray Finish();

private:
    struct Page {
        QSizeF paper;
        Paint paint;
    };
    static constexpr size_t kMostWaiting = 8;

    void Run(const QString& title, int dpi);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Page> waiting_;
    bool finishing_ = false;
    bool dropping_ = false;
    bool done_ = false;
    QByteArray pdf_;
    std::thread thread_;
};

} // namespace tabulon
