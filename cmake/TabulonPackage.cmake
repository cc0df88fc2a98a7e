# The Debian package: `cpack -G DEB` in the build folder makes
# tabulon_<version>_amd64.deb from what `cmake --install` puts under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tabulon)
set(CPACK_PACKAGE_VENDOR "Tabulon developers")
set(CPACK_PACKAGE_CONTACT "Tabulon developers <tabulon@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tabulon developers <tabulon@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link, found by dpkg-shlibdeps; the fonts of the
# forms and screens, Qt's Japanese texts and libcups (the preview's printer
# path) are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipaexfont-gothic, fonts-ipaexfont-mincho, qt6-translations-l10n, libcups2")
# The first line is the synopsis; the rest is the long description (CPack
# indents it), where a line holding only "." separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "monthly claim forms and summary tables with QR codes
Tabulon is a desktop program for a Japanese clinic, dental practice or
pharmacy. Each month the clerk types the figures of every claim form
and summary table into fixed entry screens; Tabulon keeps them in an
encrypted database, totals them and prints the forms, each with its
QR code, into a PDF shown in a preview window.
.
The forms are those of Aichi prefecture's federation of National Health
Insurance organisations (愛知県国民健康保険団体連合会; insurer numbers
with the prefix 23).
.
医療機関・歯科・薬局のための、毎月の請求書と総括表を作るプログラムです。
入力した件数・日数・点数などを暗号化したデータベースに保存し、集計して、
QR コード付きの帳票を PDF に印刷してプレビューに表示します。
帳票は愛知県国民健康保険団体連合会（保険者番号の頭 23）のものです。")

include(CPack)
