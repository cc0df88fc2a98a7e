#pragma once

// Screens are laid out in twips, as their designs give them; on screen one
// pixel is 15 twips.

#include <QSize>

class QWidget;

namespace tabulon {

constexpr int TwipsToPixels(int twips) {
    return twips / 15;
}
constexpr QSize TwipsSize(int width, int height) {
    return {TwipsToPixels(width), TwipsToPixels(height)};
}

// Places a control at a rectangle given in twips.
void PlaceTwips(QWidget* control, int left, int top, int width, int height);

// Keeps a screen at the size it was designed with and centres it on the
// screen.
void FixSizeAndCentre(QWidget* screen, QSize size);

} // namespace tabulon
