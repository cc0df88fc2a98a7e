#pragma once

// Sends a finished PDF document to a CUPS queue as it is: CUPS prints the
// vector pages at their actual size, never scaled to fit the paper, so a
// 25 mm symbol stays 25 mm and the 5 mm margins stay 5 mm. libcups is the one
// Qt's printing uses; it is loaded at run time (no headers needed to build).

#include <QString>

namespace tabulon {

struct CupsJob {
    QString printer; // queue name
    QString title;   // job name shown in the queue
    QString media;   // paper of the pages, such as "A4"
    int copies = 1;
    int fromPage = 0; // 1-based; 0 prints every page
    int toPage = 0;
    QString sides; // "one-sided", "two-sided-long-edge", "two-sided-short-edge"
    bool collate = true;
};

// Queues the file; returns the job id, or 0 with `error` set.
int SubmitPdfToCups(const QString& pdfPath, const CupsJob& job, QString& error);

} // namespace tabulon
