#pragma once

// An open form: a layout and the values its fields hold for the next page.

#include "field_state.h"
#include "layout.h"
#include "qv_field.h"
#include "report_api.h"

#include <QHash>
#include <memory>
#include <vector>

namespace tabulon {

class PdfDocument;

// What an open form shares with the engine that opened it. The form outlives
// neither the document (held weakly) nor its claim to report errors.
struct EngineShared {
    QString lastError;
};

class QvForm : public ReportForm {
public:
    // A null layout is a refused one: `error` says why.
    QvForm(std::shared_ptr<const Layout> layout, QString error, std::weak_ptr<PdfDocument> document,
           std::shared_ptr<EngineShared> engine);

    void Clear() override;
    ReportField& Fields(const QString& name) override;
    int PrintPage() override;
    void CloseForm() override;

    // 0 when the form can print into the document it was opened for.
    int Status() const;
    const Layout* LayoutOf() const { return layout_.get(); }

private:
    std::shared_ptr<const Layout> layout_;
    QString error_;
    std::weak_ptr<PdfDocument> document_;
    std::shared_ptr<EngineShared> engine_;
    std::vector<FieldState> states_; // parallel to layout_->fields
    std::vector<std::unique_ptr<QvField>> fields_;
    QHash<QString, int> index_;
    bool closed_ = false;
};

} // namespace tabulon
