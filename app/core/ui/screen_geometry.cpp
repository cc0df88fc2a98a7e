#include "ui/screen_geometry.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace tabulon {

void PlaceTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                         TwipsToPixels(height));
}

void FixSizeAndCentre(QWidget* screen, QSize size) {
    screen->setFixedSize(size);
    const QScreen* display = QGuiApplication::primaryScreen();
    if (!display)
        return;
    QRect frame(QPoint(), size);
    frame.moveCenter(display->availableGeometry().center());
    screen->move(frame.topLeft());
}

} // namespace tabulon
