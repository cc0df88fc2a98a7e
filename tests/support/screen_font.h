#pragma once

// While alive, the application font is the screens' own (the program sets it
// at start), so that a test measures the widths the clerk sees.

#include "ui/japanese_ui.h"

#include <QApplication>

namespace tabulon::test {

class ScreenFontInUse {
public:
    ScreenFontInUse() { QApplication::setFont(ScreenFont()); }
    ~ScreenFontInUse() { QApplication::setFont(saved_); }
    ScreenFontInUse(const ScreenFontInUse&) = delete;
    ScreenFontInUse& operator=(const ScreenFontInUse&) = delete;

private:
    QFont saved_ = QApplication::font();
};

} // namespace tabulon::test
