#pragma once

// The calls a print run makes on the report engine, in the order a run makes
// them: Init, StartDoc, then per form OpenForm, Printer().SetPaper, per page
// Clear, field sets and PrintPage, then CloseForm; finally EndDoc and
// DocFile. Statuses are 0 when done. QvDraw implements these; tests put a
// recording engine in its place.

#include <QString>
#include <memory>

namespace tabulon {

class ReportQR {
public:
    virtual ~ReportQR() = default;
    virtual void QRData(const QString& text) = 0;
    // 0 keeps the layout's settings; 1 to 4 choose the level L, M, Q, H.
    virtual void QROption(int option) = 0;
};

class ReportField {
public:
    virtual ~ReportField() = default;
    virtual void FieldText(const QString& text) = 0;
    virtual void FieldFlag(bool on) = 0;
    // Side of a QR symbol in 0.01 mm (2500 is 25 mm), as a number or its text.
    virtual void FieldSize(int size) = 0;
    virtual void FieldSize(const QString& size) = 0;
    virtual ReportQR& QRObject() = 0;
};

class ReportForm {
public:
    virtual ~ReportForm() = default;
    // Puts every field back as the layout defines it.
    virtual void Clear() = 0;
    // Throws ReportError (kReportErrNoSuchField) when the layout has no such field.
    virtual ReportField& Fields(const QString& name) = 0;
    virtual int PrintPage() = 0;
    virtual void CloseForm() = 0;
};

class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    virtual int SetPaper(ReportForm& form) = 0;
};

class ReportEngine {
public:
    virtual ~ReportEngine() = default;
    virtual int Init() = 0;
    virtual int StartDoc(const QString& path, const QString& title) = 0;
    // Always returns a form; one whose layout was refused fails SetPaper.
    virtual std::unique_ptr<ReportForm> OpenForm(const QString& layoutPath) = 0;
    virtual ReportPrinter& Printer() = 0;
    virtual int EndDoc() = 0;
    virtual void AbortDoc() = 0;
    // The finished document to preview.
    virtual QString DocFile() const = 0;
    // In words, why the last failing call failed (a full disk); empty when
    // the engine cannot say.
    virtual QString LastError() const { return {}; }
};

} // namespace tabulon
