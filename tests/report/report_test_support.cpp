#include "report_test_support.h"

#include "qvbarqr_library.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfDocument>
#include <ZXing/ReadBarcode.h>

namespace tabulon {

QString TestDataPath(const QString& name) {
    return QDir(qEnvironmentVariable("TABULON_SOURCE_DIR"))
        .filePath(QStringLiteral("tests/report/data/") + name);
}

bool UseBuiltQvBarQR() {
    const QString folder = qEnvironmentVariable("TABULON_BUILD_DIR");
    QvBarQRLibrary::SetFolder(folder);
    return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("libQvBarQR.so")));
}

QImage RenderPdfPage(const QString& pdf, int page, int dpi) {
    QPdfDocument document;
    if (document.load(pdf) != QPdfDocument::Error::None)
        return {};
    const QSizeF points = document.pagePointSize(page);
    const QImage rendered = document.render(page, (points * dpi / 72.0).toSize());
    QImage white(rendered.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QPainter painter(&white);
    painter.drawImage(0, 0, rendered);
    return white;
}

int PdfPageCount(const QString& pdf) {
    QPdfDocument document;
    document.load(pdf);
    return document.pageCount();
}

QString PdfText(const QString& pdf, int page) {
    QPdfDocument document;
    document.load(pdf);
    return document.getAllText(page).text();
}

std::vector<QByteArray> DecodeQR(const QImage& image) {
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
                                ZXing::ImageFormat::Lum, static_cast<int>(gray.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    std::vector<QByteArray> found;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        const ZXing::ByteArray& bytes = result.bytes();
        found.emplace_back(reinterpret_cast<const char*>(bytes.data()),
                           static_cast<qsizetype>(bytes.size()));
    }
    return found;
}

int DarkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ++dark;
        }
    }
    return dark;
}

} // namespace tabulon
