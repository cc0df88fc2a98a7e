#include "print_run.h"

#include "globals.h"
#include "message_box.h"
#include "messages.h"
#include "print_context.h"
#include "print_errors.h"
#include "print_preview.h"

namespace tabulon {

void SetReportField(ReportForm& form, const QString& name, const QString& text) {
    if (!text.isEmpty())
        form.Fields(name).FieldText(text);
}

PrintRun::~PrintRun() {
    // A run left without Finish or Fail (a routine that returned early) must
    // not keep the document or the form open.
    if (!failed_ && (JobOpen || FormOpen)) {
        if (JobOpen)
            engine_.AbortDoc();
        if (FormOpen && form_)
            form_->CloseForm();
    }
}

bool PrintRun::EngineFailure(const QString& prefix, int status) {
    ErrMsg = prefix + QString::number(status);
    ErrStyle = kErrStyleExclamation;
    Fail();
    return false;
}

bool PrintRun::Start(const QString& title) {
    // Every form carries the institution's code; without one registered it
    // would go out blank there, so the clerk may stop before anything prints.
    if (gIryouCD.trimmed().isEmpty() && ShowMessage(msg::kNoInstitutionCode, MsgIcon::Question,
                                                    MsgButtons::OkCancel) != MsgAnswer::Ok)
        return false;
    ErrStyle = kErrStyleExclamation;
    if (const int status = engine_.Init())
        return EngineFailure(QStringLiteral("印刷初期化エラー："), status);
    if (const int status = engine_.StartDoc(DocumentPath(title), title))
        return EngineFailure(QStringLiteral("印刷スタートエラー："), status);
    JobOpen = true;
    return true;
}

ReportForm* PrintRun::OpenLayout(const QString& layoutName) {
    form_ = engine_.OpenForm(LayoutPath(layoutName));
    FormOpen = true;
    if (const int status = engine_.Printer().SetPaper(*form_)) {
        EngineFailure(QStringLiteral("プリンタ用紙サイズ設定エラー："), status);
        return nullptr;
    }
    return form_.get();
}

bool PrintRun::OutputPage() {
    if (const int status = form_->PrintPage())
        return EngineFailure(QStringLiteral("印刷処理エラー："), status);
    return true;
}

void PrintRun::CloseLayout() {
    form_->CloseForm();
    FormOpen = false;
    form_.reset();
}

bool PrintRun::Finish(bool statusInMessage) {
    if (!EndDocument(statusInMessage))
        return false;
    ShowDocument();
    return true;
}

bool PrintRun::EndDocument(bool statusInMessage) {
    if (const int status = engine_.EndDoc()) {
        // The engine's words tell the clerk why, such as a full disk.
        const QString reason = engine_.LastError();
        ErrMsg = QStringLiteral("印刷終了エラー：");
        if (!statusInMessage)
            ErrMsg += reason;
        else if (reason.isEmpty())
            ErrMsg += QString::number(status);
        else
            ErrMsg += QString::number(status) + QStringLiteral("\r\r") + reason;
        ErrStyle = kErrStyleExclamation;
        Fail();
        return false;
    }
    JobOpen = false;
    return true;
}

void PrintRun::ShowDocument() {
    ShowPreview(engine_.DocFile());
}

bool PrintRun::Guard(const std::function<bool()>& body) {
    ErrorInfo error;
    try {
        return body();
    } catch (...) {
        error = CurrentErrorInfo();
    }
    ErrMsg = ErrorReportText(error.number, error.description);
    ErrStyle = kErrStyleStop;
    Fail();
    return false;
}

void PrintRun::Fail() {
    failed_ = true;
    ShowMessage(ErrMsg, ErrStyle == kErrStyleStop ? MsgIcon::Critical : MsgIcon::Exclamation);
    try {
        if (JobOpen)
            engine_.AbortDoc();
        if (FormOpen && form_)
            form_->CloseForm();
    } catch (...) {
        // Clean-up after a failure goes on whatever it meets.
    }
    JobOpen = false;
    FormOpen = false;
    form_.reset();
}

void PrintRun::Abandoned() {
    failed_ = true;
    JobOpen = false;
    FormOpen = false;
    form_.reset();
}

} // namespace tabulon
