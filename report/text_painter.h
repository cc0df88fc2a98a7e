#pragma once

// Draws text in a box of device pixels: horizontal, turned a quarter, or
// stacked upright (縦書き), free or one character per cell.

#include "layout.h"

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace tabulon {

QString FontFamily(FontFace face);
QFont LayoutFont(const TextStyle& style);

// `pxPerUnit` converts the style's 0.1 mm pitch to device pixels.
void PaintText(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& style,
               double pxPerUnit);

} // namespace tabulon
