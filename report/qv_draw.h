#pragma once

// The report engine: forms are opened from layout files, filled and printed
// page by page into one PDF document. Calls out of order and failures come
// back as non-zero statuses (report_status.h); LastError() says more.

#include "qv_form.h"
#include "report_api.h"

#include <memory>

namespace tabulon {

class PdfDocument;

class QvDraw : public ReportEngine {
public:
    QvDraw();
    ~QvDraw() override;

    int Init() override;
    int StartDoc(const QString& path, const QString& title) override;
    std::unique_ptr<ReportForm> OpenForm(const QString& layoutPath) override;
    ReportPrinter& Printer() override { return printer_; }
    int EndDoc() override;
    void AbortDoc() override;
    QString DocFile() const override { return docFile_; }

    QString LastError() const override { return shared_->lastError; }

private:
    class PrinterSettings : public ReportPrinter {
    public:
        explicit PrinterSettings(QvDraw& engine) : engine_(engine) {}
        int SetPaper(ReportForm& form) override;

    private:
        QvDraw& engine_;
    };

    int Fail(int status, const QString& error);

    PrinterSettings printer_;
    std::shared_ptr<EngineShared> shared_;
    std::shared_ptr<PdfDocument> document_;
    bool ready_ = false;
    QString docFile_;
    QString pendingFile_;
};

} // namespace tabulon
