#pragma once

// App-wide set-up of the screens: Qt's own texts (standard buttons, dialogs)
// in Japanese and a Japanese font.

#include <QFont>

class QApplication;

namespace tabulon {

// Installs Qt's Japanese translations and makes IPAex Gothic the screens'
// font. Returns false when the translations could not be loaded (the screens
// still work, with Qt's English texts).
bool SetUpJapaneseUi(QApplication& app);

// The screens' font: IPAex Gothic, 10 points.
QFont ScreenFont();

} // namespace tabulon
