#pragma once

// The skeleton every print run follows: prepare the engine, start the
// document, open each form and set its paper, fill and output pages, close the
// form, end the document and show it in the preview window. A failure shows
// one message (the engine's status in fixed words, or a run-time error as
// "ｴﾗｰ番号 = ...") and then abandons the document and closes the open form.

#include "report_api.h"

#include <QString>
#include <functional>
#include <memory>

namespace tabulon {

// Message-box icons of a failed run.
enum ErrStyleIcon : int { kErrStyleStop = 16, kErrStyleExclamation = 48 };

// Sets the field's text when `text` is not empty; an empty text leaves the
// field as the layout defines it. An unknown name throws the engine's error.
void SetReportField(ReportForm& form, const QString& name, const QString& text);

class PrintRun {
public:
    explicit PrintRun(ReportEngine& engine) : engine_(engine) {}
    ~PrintRun();
    PrintRun(const PrintRun&) = delete;
    PrintRun& operator=(const PrintRun&) = delete;

    QString ErrMsg;
    int ErrStyle = kErrStyleExclamation;
    bool JobOpen = false;
    bool FormOpen = false;

    // Init and StartDoc with the document of `title`. While no institution
    // is registered the clerk is asked first; Cancel starts nothing.
    bool Start(const QString& title);
    // OpenForm on the layout and SetPaper; the form stays open until
    // CloseLayout. Null after a failure.
    ReportForm* OpenLayout(const QString& layoutName);
    // PrintPage on the open form.
    bool OutputPage();
    void CloseLayout();
    // EndDoc, then the preview of the finished document. A failing EndDoc is
    // reported with the engine's reason, and its number unless
    // `statusInMessage` is false.
    bool Finish(bool statusInMessage = true);
    // The two halves of Finish, for a run that has something to do between
    // them: EndDoc (false after its failure), then the preview.
    bool EndDocument(bool statusInMessage = true);
    void ShowDocument();

    // Runs `body` and turns a run-time error escaping it into the run's
    // failure; false when the body failed or threw.
    bool Guard(const std::function<bool()>& body);
    // Shows ErrMsg and cleans up: AbortDoc if the job is open, CloseForm if a
    // form is open. Errors from here on are ignored.
    void Fail();
    // A page routine abandoned the document itself (message, AbortDoc,
    // CloseForm): the run stops without a message of its own.
    void Abandoned();

    bool Failed() const { return failed_; }
    ReportEngine& Engine() { return engine_; }

private:
    bool EngineFailure(const QString& prefix, int status);

    ReportEngine& engine_;
    std::unique_ptr<ReportForm> form_;
    bool failed_ = false;
};

} // namespace tabulon
