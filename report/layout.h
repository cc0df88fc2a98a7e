#pragma once

// The parsed form of a layout file (.qvf): paper, static items and named
// fields. Lengths are in 0.1 mm from the top-left corner of the paper.

#include <QSizeF>
#include <QString>
#include <vector>

namespace tabulon {

enum class FontFace { Mincho, Gothic };
enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Middle, Bottom };
enum class TextDirection { Horizontal, Vertical, VerticalWriting };

struct TextStyle {
    FontFace font = FontFace::Mincho;
    double size = 10.5; // points
    bool bold = false;
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Middle;
    TextDirection direction = TextDirection::Horizontal;
    bool multiline = false;
    double pitch = 0; // one character per cell of this width; 0 = free text
};

struct LayoutItem {
    enum class Kind { Text, Line, Box, Ellipse };
    Kind kind = Kind::Text;
    double x = 0, y = 0, w = 0, h = 0; // box; for a line x,y to x+w,y+h
    double lineWidth = 1;
    bool fill = false;
    QString text;
    TextStyle style;
};

struct LayoutField {
    enum class Kind { Text, Flag, QR };
    QString name;
    Kind kind = Kind::Text;
    double x = 0, y = 0, w = 0, h = 0;
    TextStyle style;
    QString text; // text printed until FieldText replaces it
    bool frame = false;
    double lineWidth = 1;
    bool visible = true;           // text and QR fields; the flag's value for flag fields
    std::vector<LayoutItem> items; // flag fields: drawn while the flag is true
    int qrSize = 2500;             // QR fields: side in 0.01 mm
    int qrEcLevel = 1;             // 0 L, 1 M, 2 Q, 3 H
    int qrModel = 2;
};

struct Layout {
    QString file;
    QSizeF paper; // width and height in 0.1 mm as printed
    std::vector<LayoutItem> items;
    std::vector<LayoutField> fields;

    const LayoutField* Find(const QString& name) const;
};

} // namespace tabulon
