#pragma once

// A report engine that prints nothing and writes down every call, with the
// statuses a test chooses, so that a print run's order of calls and its
// clean-up after a failure can be checked.

#include "report_api.h"
#include "report_error.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

namespace tabulon {

class RecordingEngine : public ReportEngine {
public:
    QStringList calls;
    int initStatus = 0;
    int startStatus = 0;
    int setPaperStatus = 0;
    int printPageStatus = 0;
    int endStatus = 0;
    QString endError;            // the reason a failing EndDoc gives
    QSet<QString> missingFields; // Fields(name) throws for these
    QString docFile = QStringLiteral("/tmp/recorded.pdf");

    int Init() override { return Record(QStringLiteral("Init"), initStatus); }
    int StartDoc(const QString& path, const QString& title) override {
        return Record(QStringLiteral("StartDoc %1 %2").arg(path, title), startStatus);
    }
    std::unique_ptr<ReportForm> OpenForm(const QString& layoutPath) override {
        calls << QStringLiteral("OpenForm ") + layoutPath;
        return std::make_unique<Form>(*this);
    }
    ReportPrinter& Printer() override { return printer_; }
    int EndDoc() override { return Record(QStringLiteral("EndDoc"), endStatus); }
    void AbortDoc() override { calls << QStringLiteral("AbortDoc"); }
    QString DocFile() const override { return docFile; }
    QString LastError() const override { return endStatus ? endError : QString(); }

private:
    int Record(const QString& call, int status) {
        calls << call;
        return status;
    }

    class QR : public ReportQR {
    public:
        QR(RecordingEngine& e, QString name) : e_(e), name_(std::move(name)) {}
        void QRData(const QString& text) override { e_.calls << "QRData " + name_ + "=" + text; }
        void QROption(int option) override {
            e_.calls << QStringLiteral("QROption %1=%2").arg(name_).arg(option);
        }

    private:
        RecordingEngine& e_;
        QString name_;
    };

    class Field : public ReportField {
    public:
        Field(RecordingEngine& e, QString name) : e_(e), name_(name), qr_(e, name) {}
        void FieldText(const QString& text) override {
            e_.calls << "FieldText " + name_ + "=" + text;
        }
        void FieldFlag(bool on) override {
            e_.calls << QStringLiteral("FieldFlag %1=%2").arg(name_).arg(on);
        }
        void FieldSize(int size) override {
            e_.calls << QStringLiteral("FieldSize %1=%2").arg(name_).arg(size);
        }
        void FieldSize(const QString& size) override {
            e_.calls << "FieldSize " + name_ + "=" + size;
        }
        ReportQR& QRObject() override { return qr_; }

    private:
        RecordingEngine& e_;
        QString name_;
        QR qr_;
    };

    class Form : public ReportForm {
    public:
        explicit Form(RecordingEngine& e) : e_(e) {}
        void Clear() override { e_.calls << QStringLiteral("Clear"); }
        ReportField& Fields(const QString& name) override {
            if (e_.missingFields.contains(name))
                throw ReportError(kReportErrNoSuchField, "no field " + name);
            field_ = std::make_unique<Field>(e_, name);
            return *field_;
        }
        int PrintPage() override {
            return e_.Record(QStringLiteral("PrintPage"), e_.printPageStatus);
        }
        void CloseForm() override { e_.calls << QStringLiteral("CloseForm"); }

    private:
        RecordingEngine& e_;
        std::unique_ptr<Field> field_;
    };

    class PaperSetter : public ReportPrinter {
    public:
        explicit PaperSetter(RecordingEngine& e) : e_(e) {}
        int SetPaper(ReportForm&) override {
            return e_.Record(QStringLiteral("SetPaper"), e_.setPaperStatus);
        }

    private:
        RecordingEngine& e_;
    };

    PaperSetter printer_{*this};
};

} // namespace tabulon
