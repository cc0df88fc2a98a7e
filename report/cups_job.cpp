#include "cups_job.h"

#include <QFile>
#include <dlfcn.h>

namespace tabulon {

namespace {

// The few libcups 2 calls used, with their C declarations.
struct CupsOption {
    char* name;
    char* value;
};
using AddOptionFn = int (*)(const char*, const char*, int, CupsOption**);
using FreeOptionsFn = void (*)(int, CupsOption*);
using PrintFileFn = int (*)(const char*, const char*, const char*, int, CupsOption*);
using LastErrorFn = const char* (*)();

struct Cups {
    AddOptionFn addOption = nullptr;
    FreeOptionsFn freeOptions = nullptr;
    PrintFileFn printFile = nullptr;
    LastErrorFn lastError = nullptr;
};

const Cups* LoadCups() {
    static const Cups cups = [] {
        Cups c;
        void* handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return c;
        c.addOption = reinterpret_cast<AddOptionFn>(dlsym(handle, "cupsAddOption"));
        c.freeOptions = reinterpret_cast<FreeOptionsFn>(dlsym(handle, "cupsFreeOptions"));
        c.printFile = reinterpret_cast<PrintFileFn>(dlsym(handle, "cupsPrintFile"));
        c.lastError = reinterpret_cast<LastErrorFn>(dlsym(handle, "cupsLastErrorString"));
        return c;
    }();
    return cups.addOption && cups.freeOptions && cups.printFile && cups.lastError ? &cups : nullptr;
}

} // namespace

int SubmitPdfToCups(const QString& pdfPath, const CupsJob& job, QString& error) {
    const Cups* cups = LoadCups();
    if (!cups) {
        error = QStringLiteral("CUPS のライブラリ libcups.so.2 がありません");
        return 0;
    }
    int count = 0;
    CupsOption* options = nullptr;
    const auto add = [&](const char* name, const QString& value) {
        count = cups->addOption(name, value.toUtf8().constData(), count, &options);
    };
    add("document-format", QStringLiteral("application/pdf"));
    // Actual size: the pages already have the paper's size.
    add("print-scaling", QStringLiteral("none"));
    add("fit-to-page", QStringLiteral("false"));
    if (!job.media.isEmpty())
        add("media", job.media);
    add("copies", QString::number(qMax(1, job.copies)));
    add("collate", job.collate ? QStringLiteral("true") : QStringLiteral("false"));
    if (job.fromPage > 0)
        add("page-ranges", QStringLiteral("%1-%2").arg(job.fromPage).arg(job.toPage));
    if (!job.sides.isEmpty())
        add("sides", job.sides);
    const int id =
        cups->printFile(job.printer.toUtf8().constData(), QFile::encodeName(pdfPath).constData(),
                        job.title.toUtf8().constData(), count, options);
    cups->freeOptions(count, options);
    if (id <= 0)
        error = QString::fromUtf8(cups->lastError());
    return id;
}

} // namespace tabulon
