#pragma once

// Shared by the engine tests: where the test layouts and the built QvBarQR
// are, reading printed pages back, and decoding QR symbols from them.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace tabulon {

QString TestDataPath(const QString& name);
// Points the engine at the build folder's libQvBarQR.so; false when it is not built.
bool UseBuiltQvBarQR();

// Renders one page of a PDF at `dpi` on white.
QImage RenderPdfPage(const QString& pdf, int page, int dpi);
int PdfPageCount(const QString& pdf);
QString PdfText(const QString& pdf, int page);
// The byte contents of every QR symbol found in the picture.
std::vector<QByteArray> DecodeQR(const QImage& image);
// Dark pixels inside the rectangle (in pixels of the picture).
int DarkPixels(const QImage& image, const QRect& area);

} // namespace tabulon
