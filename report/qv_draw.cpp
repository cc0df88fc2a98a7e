#include "qv_draw.h"

#include "layout_loader.h"
#include "pdf_document.h"
#include "report_status.h"
#include "text_painter.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace tabulon {

namespace {

// Where Debian puts the IPAex fonts, for systems where fontconfig does not
// list them.
const char* const kFontFiles[] = {
    "/usr/share/fonts/opentype/ipaexfont-mincho/ipaexm.ttf",
    "/usr/share/fonts/opentype/ipaexfont-gothic/ipaexg.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-mincho.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
};

bool HasLayoutFonts() {
    const QStringList families = QFontDatabase::families();
    return families.contains(FontFamily(FontFace::Mincho)) &&
           families.contains(FontFamily(FontFace::Gothic));
}

} // namespace

QvDraw::QvDraw() : printer_(*this), shared_(std::make_shared<EngineShared>()) {}

QvDraw::~QvDraw() {
    AbortDoc();
}

int QvDraw::Fail(int status, const QString& error) {
    shared_->lastError = error;
    return status;
}

int QvDraw::Init() {
    // A document that an earlier run left unfinished is abandoned, so that one
    // failed run does not block every later one.
    AbortDoc();
    ready_ = false;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Fail(kReportNoGui, QStringLiteral("アプリケーションがありません"));
    if (!HasLayoutFonts()) {
        for (const char* file : kFontFiles)
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        if (!HasLayoutFonts())
            return Fail(kReportFontMissing, QStringLiteral("IPAex フォントがありません"));
    }
    ready_ = true;
    shared_->lastError.clear();
    return kReportOk;
}

int QvDraw::StartDoc(const QString& path, const QString& title) {
    if (!ready_)
        return Fail(kReportOutOfOrder, QStringLiteral("Init の前に StartDoc が呼ばれました"));
    if (document_)
        return Fail(kReportOutOfOrder, QStringLiteral("ドキュメントはすでに開かれています"));
    auto document = std::make_shared<PdfDocument>();
    QString error;
    if (!document->Open(path, title, error))
        return Fail(kReportDocumentFailed, error);
    document_ = std::move(document);
    pendingFile_ = path;
    docFile_.clear();
    return kReportOk;
}

std::unique_ptr<ReportForm> QvDraw::OpenForm(const QString& layoutPath) {
    LayoutLoad load = LoadLayout(layoutPath);
    return std::make_unique<QvForm>(std::move(load.layout), load.error, document_, shared_);
}

int QvDraw::PrinterSettings::SetPaper(ReportForm& form) {
    auto* qvForm = dynamic_cast<QvForm*>(&form);
    if (!qvForm)
        return engine_.Fail(kReportOutOfOrder,
                            QStringLiteral("このエンジンのフォームではありません"));
    return qvForm->Status();
}

int QvDraw::EndDoc() {
    if (!document_)
        return Fail(kReportOutOfOrder, QStringLiteral("ドキュメントが開かれていません"));
    if (document_->PageCount() == 0) {
        AbortDoc();
        return Fail(kReportNoPages, QStringLiteral("ページがありません"));
    }
    QString error;
    const bool committed = document_->Commit(error);
    document_.reset();
    if (!committed)
        return Fail(kReportDocumentFailed, error);
    docFile_ = pendingFile_;
    return kReportOk;
}

void QvDraw::AbortDoc() {
    if (!document_)
        return;
    document_->Discard();
    document_.reset();
}

} // namespace tabulon
