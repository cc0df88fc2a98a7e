#pragma once

#include <QByteArray>

namespace tabulon {

// Corrects the text layer of a PDF written by Qt. The IPAex fonts draw a
// kanji such as 入 or 歯 and a radical code point (⼊ U+2F0A, ⻭ U+2EED) with
// one glyph, and the writer's ToUnicode map names the lower code point, the
// radical: the text read back would say "⼊院" or "⻭科". Each such target is
// replaced by the kanji it stands for (radical_table.h), in place and with
// the same length, so no offset of the file moves.
void MapRadicalsToIdeographs(QByteArray& pdf);

} // namespace tabulon
