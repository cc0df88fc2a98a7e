#include "ui/japanese_ui.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace tabulon {

namespace {

const QString kFontFamily = QStringLiteral("IPAexGothic");
// Where Debian puts the font when fontconfig does not know it.
const QString kFontFile = QStringLiteral("/usr/share/fonts/opentype/ipaexfont-gothic/ipaexg.ttf");

} // namespace

QFont ScreenFont() {
    if (!QFontDatabase::families().contains(kFontFamily))
        QFontDatabase::addApplicationFont(kFontFile);
    QFont font(kFontFamily);
    font.setPointSize(10);
    return font;
}

bool SetUpJapaneseUi(QApplication& app) {
    app.setFont(ScreenFont());
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

} // namespace tabulon
