#include "qv_field.h"

#include "report_error.h"

namespace tabulon {

namespace {

constexpr int kMinQRSize = 100;   // 1 mm
constexpr int kMaxQRSize = 20000; // 200 mm

} // namespace

void QvQRObject::QROption(int option) {
    if (option < 0 || option > 4)
        throw ReportError(kReportErrBadArgument,
                          QStringLiteral("QROption %1 は使えません (0 から 4)").arg(option));
    state_.qrOption = option;
}

void QvField::FieldText(const QString& text) {
    // On a QR field the text is the symbol's data, so no routine loses it.
    if (layout_.kind == LayoutField::Kind::QR)
        state_.qrData = text;
    else
        state_.text = text;
}

void QvField::RequireQR(const char* operation) const {
    if (layout_.kind != LayoutField::Kind::QR)
        throw ReportError(
            kReportErrNotSupported,
            QStringLiteral("フィールド \"%1\" は QR コードのフィールドではないため %2 は使えません")
                .arg(layout_.name, QLatin1String(operation)));
}

void QvField::FieldSize(int size) {
    RequireQR("FieldSize");
    if (size < kMinQRSize || size > kMaxQRSize)
        throw ReportError(
            kReportErrBadArgument,
            QStringLiteral("フィールド \"%1\" の FieldSize %2 は %3 から %4 の範囲外です")
                .arg(layout_.name)
                .arg(size)
                .arg(kMinQRSize)
                .arg(kMaxQRSize));
    state_.qrSize = size;
}

void QvField::FieldSize(const QString& size) {
    RequireQR("FieldSize");
    bool ok = false;
    const int value = size.trimmed().toInt(&ok);
    if (!ok)
        throw ReportError(
            kReportErrTypeMismatch,
            QStringLiteral("フィールド \"%1\" の FieldSize \"%2\" は数値ではありません")
                .arg(layout_.name, size));
    FieldSize(value);
}

ReportQR& QvField::QRObject() {
    RequireQR("QRObject");
    return qr_;
}

} // namespace tabulon
