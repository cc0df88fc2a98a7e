#pragma once

// A named field of an open form and the QR object of a QR field. They write
// into the form's field state; the page is painted from it by PrintPage.

#include "field_state.h"
#include "layout.h"
#include "report_api.h"

namespace tabulon {

class QvQRObject : public ReportQR {
public:
    explicit QvQRObject(FieldState& state) : state_(state) {}
    void QRData(const QString& text) override { state_.qrData = text; }
    void QROption(int option) override;

private:
    FieldState& state_;
};

class QvField : public ReportField {
public:
    QvField(const LayoutField& layout, FieldState& state)
        : layout_(layout), state_(state), qr_(state) {}

    void FieldText(const QString& text) override;
    void FieldFlag(bool on) override { state_.visible = on; }
    void FieldSize(int size) override;
    void FieldSize(const QString& size) override;
    ReportQR& QRObject() override;

private:
    void RequireQR(const char* operation) const;

    const LayoutField& layout_;
    FieldState& state_;
    QvQRObject qr_;
};

} // namespace tabulon
