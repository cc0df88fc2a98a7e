#pragma once

// Conversion between text and the Shift_JIS (Windows code page 932) bytes of
// the settings file and the byte-counted print fields.

#include <QByteArray>
#include <QString>
#include <optional>

namespace tabulon {

// The CP932 bytes of `text`, or nothing when a character has no CP932 code.
std::optional<QByteArray> ToCp932(const QString& text);

// The text of CP932 bytes. A byte that does not start a valid character, or a
// lead byte without its trail byte, becomes U+FFFD and reading goes on.
QString FromCp932(const QByteArray& bytes);

// The characters of `text` that have no CP932 code, each once, in order.
QString CharactersWithoutCp932Code(const QString& text);

// True when every byte belongs to a valid CP932 character.
bool IsCp932(const QByteArray& bytes);

} // namespace tabulon
