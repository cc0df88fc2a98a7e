#include "print_table.h"

#include "print_context.h"

#include <QCursor>
#include <QGuiApplication>

namespace tabulon {

namespace {

// One form, one page filled by `fill` and output by the run.
bool PrintSinglePage(const QString& title, const QString& layoutName, const PageFill& fill) {
    return PrintOnOneLayout(title, layoutName, [&fill](PrintRun& run, ReportForm& form) {
        fill(form);
        return run.OutputPage();
    });
}

// The hourglass over the whole screen while a batch prints.
class WaitCursor {
public:
    WaitCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (shown_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor() { Release(); }
    // The normal pointer again, before the run is over.
    void Release() {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
        shown_ = false;
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool shown_;
};

} // namespace

bool PrintOnOneLayout(const QString& title, const QString& layoutName,
                      const std::function<bool(PrintRun& run, ReportForm& form)>& pages) {
    PrintRun run(PrintEngine());
    if (!run.Start(title))
        return false;
    const bool printed = run.Guard([&] {
        ReportForm* form = run.OpenLayout(layoutName);
        if (!form || !pages(run, *form))
            return false;
        run.CloseLayout();
        return true;
    });
    return printed && run.Finish();
}

bool PrintClaim(const QString& layoutName, const QString& kindName, const PageFill& fill) {
    return PrintSinglePage(kindName, layoutName, fill);
}

void PrintSoukatu(const QString& mark, const PageFill& fill) {
    const QString layout = mark == QStringLiteral("薬") ? QStringLiteral("soukatu3.qvf")
                                                        : QStringLiteral("soukatu1.qvf");
    PrintSinglePage(QStringLiteral("総括表1"), layout, fill);
}

void PrintSoukatuAll(const PageRoutine& medDental, const PageRoutine& pharmacy,
                     const ListRoutine& list) {
    PrintRun run(PrintEngine());
    if (!run.Start(QStringLiteral("総括表2")))
        return;
    // Each form in turn; a routine that abandoned the document ends the run:
    // no further forms, no preview of an aborted document.
    const auto onForm = [&run](const QString& layoutName,
                               const std::function<bool(ReportForm&)>& routine) {
        ReportForm* form = run.OpenLayout(layoutName);
        if (!form)
            return false;
        if (!routine(*form)) {
            run.Abandoned();
            return false;
        }
        run.CloseLayout();
        return true;
    };
    ReportEngine& engine = run.Engine();
    const bool printed = run.Guard([&] {
        return onForm(QStringLiteral("soukatu1.qvf"),
                      [&](ReportForm& form) { return medDental(engine, form); }) &&
               onForm(QStringLiteral("soukatu3.qvf"),
                      [&](ReportForm& form) { return pharmacy(engine, form); }) &&
               onForm(QStringLiteral("soukatu2.qvf"), [&](ReportForm& form) {
                   for (const char* kind : {"1", "2", "3"}) {
                       if (!list(engine, form, QString::fromLatin1(kind)))
                           return false;
                   }
                   return true;
               });
    });
    if (printed)
        run.Finish();
}

void PrintClaimBatch(const std::function<void(PrintRun& run)>& pages) {
    PrintRun run(PrintEngine());
    // The start may ask the clerk, with the normal pointer.
    if (!run.Start(QStringLiteral("請求書一括")))
        return;
    WaitCursor hourglass;
    const bool printed = run.Guard([&] {
        pages(run);
        return !run.Failed();
    });
    // The clerk reads and closes the preview with the normal pointer.
    if (printed && run.EndDocument(false)) {
        hourglass.Release();
        run.ShowDocument();
    }
}

bool PrintBatchPage(PrintRun& run, const QString& layoutName, const PageFill& fill) {
    if (run.Failed())
        return false;
    ReportForm* form = run.OpenLayout(layoutName);
    if (!form)
        return false;
    fill(*form);
    if (!run.OutputPage())
        return false;
    run.CloseLayout();
    return true;
}

} // namespace tabulon
