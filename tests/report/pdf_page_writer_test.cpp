// The page-writing thread: pages come out in the order they were added, each
// on its own paper, however far the caller runs ahead of the writing; a
// writer dropped in the middle paints nothing of what still waits.

#include "pdf_page_writer.h"
#include "report_test_support.h"
#include "text_painter.h"

#include <QFile>
#include <QPainter>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace tabulon {
namespace {

const QSizeF kA4(2100, 2970);   // 0.1 mm
const QSizeF kWide(2970, 2100); // A4 turned
constexpr double kPointsPerUnit = 72.0 / 254.0;

PdfPageWriter::Paint PageNumber(int number) {
    return [number](QPainter& painter) {
        TextStyle style;
        style.size = 20;
        painter.setFont(LayoutFont(style));
        painter.drawText(QPointF(600, 600), QStringLiteral("第%1").arg(number));
    };
}

QString Save(const QTemporaryDir& dir, const QByteArray& pdf) {
    const QString path = dir.filePath(QStringLiteral("pages.pdf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    return path;
}

TEST(PdfPageWriterTest, PagesKeepTheirOrderAndPaperWhenTheCallerRunsAhead) {
    QTemporaryDir dir;
    constexpr int kPages = 30; // several times what may wait at once
    PdfPageWriter writer(QStringLiteral("順序"), 600);
    for (int i = 0; i < kPages; ++i)
        writer.Add(i % 3 == 2 ? kWide : kA4, PageNumber(i + 1));
    const QString path = Save(dir, writer.Finish());

    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(path), QPdfDocument::Error::None);
    ASSERT_EQ(pdf.pageCount(), kPages);
    for (int i = 0; i < kPages; ++i) {
        const QSizeF paper = (i % 3 == 2 ? kWide : kA4) * kPointsPerUnit;
        EXPECT_NEAR(pdf.pagePointSize(i).width(), paper.width(), 1) << "page " << i + 1;
        EXPECT_NEAR(pdf.pagePointSize(i).height(), paper.height(), 1) << "page " << i + 1;
        EXPECT_EQ(PdfText(path, i).trimmed(), QStringLiteral("第%1").arg(i + 1));
    }
}

TEST(PdfPageWriterTest, NoPageGivesNoDocument) {
    PdfPageWriter writer(QStringLiteral("空"), 600);
    EXPECT_TRUE(writer.Finish().isEmpty());
}

TEST(PdfPageWriterTest, ADroppedWriterPaintsNothingOfWhatWaits) {
    std::atomic<bool> started{false};
    std::atomic<bool> open{false};
    std::atomic<int> painted{0};
    std::thread opener;
    {
        PdfPageWriter writer(QStringLiteral("中止"), 600);
        // The first page holds the thread until the writer is being dropped.
        writer.Add(kA4, [&](QPainter&) {
            started = true;
            while (!open)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ++painted;
        });
        for (int i = 0; i < 5; ++i)
            writer.Add(kA4, [&](QPainter&) { ++painted; });
        while (!started)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        opener = std::thread([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            open = true;
        });
    }
    opener.join();
    EXPECT_EQ(painted, 1);
}

} // namespace
} // namespace tabulon
