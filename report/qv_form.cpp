#include "qv_form.h"

#include "page_painter.h"
#include "pdf_document.h"
#include "qvbarqr_library.h"
#include "report_error.h"
#include "report_status.h"

namespace tabulon {

QvForm::QvForm(std::shared_ptr<const Layout> layout, QString error,
               std::weak_ptr<PdfDocument> document, std::shared_ptr<EngineShared> engine)
    : layout_(std::move(layout)), error_(std::move(error)), document_(std::move(document)),
      engine_(std::move(engine)) {
    if (!layout_)
        return;
    const std::vector<LayoutField>& defs = layout_->fields;
    states_.reserve(defs.size());
    for (const LayoutField& def : defs)
        states_.push_back(FieldState::FromLayout(def));
    for (size_t i = 0; i < defs.size(); ++i) {
        fields_.push_back(std::make_unique<QvField>(defs[i], states_[i]));
        index_.insert(defs[i].name, static_cast<int>(i));
    }
}

int QvForm::Status() const {
    if (closed_)
        return kReportOutOfOrder;
    if (!layout_) {
        engine_->lastError = error_;
        return kReportLayoutRefused;
    }
    if (document_.expired()) {
        engine_->lastError = QStringLiteral("ドキュメントが開かれていません");
        return kReportOutOfOrder;
    }
    return kReportOk;
}

void QvForm::Clear() {
    if (!layout_)
        return;
    for (size_t i = 0; i < states_.size(); ++i)
        states_[i] = FieldState::FromLayout(layout_->fields[i]);
}

ReportField& QvForm::Fields(const QString& name) {
    if (closed_ || !layout_)
        throw ReportError(
            kReportErrFormClosed,
            QStringLiteral("フォームが開かれていません (フィールド \"%1\")").arg(name));
    const auto it = index_.constFind(name);
    if (it == index_.constEnd())
        throw ReportError(kReportErrNoSuchField,
                          QStringLiteral("フィールド \"%1\" がレイアウト %2 にありません")
                              .arg(name, layout_->file));
    return *fields_[static_cast<size_t>(*it)];
}

int QvForm::PrintPage() {
    if (const int status = Status())
        return status;
    const std::shared_ptr<PdfDocument> document = document_.lock();
    std::vector<QRSymbol> symbols;
    QString error;
    if (const int rc = MakePageSymbols(*layout_, states_, PdfDocument::kDpi, symbols, error)) {
        engine_->lastError = rc == kReportQRLibraryMissing ? QvBarQRLibrary::LoadError() : error;
        return rc;
    }
    document->AddPage(layout_->paper,
                      [layout = layout_, fields = states_, symbols = std::move(symbols)](
                          QPainter& painter) { PaintPage(painter, *layout, fields, symbols); });
    return kReportOk;
}

void QvForm::CloseForm() {
    closed_ = true;
    fields_.clear();
    index_.clear();
}

} // namespace tabulon
