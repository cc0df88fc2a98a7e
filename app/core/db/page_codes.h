#pragma once

// The codes that guard each page of an encrypted database file. Every 1 KB
// page ends in its initialisation vector and an HMAC-SHA1 over its encrypted
// bytes, that vector and its page number, made with a key derived from the
// file's key. Checking them finds a damaged page at hashing speed, where
// reading the pages through the engine would decrypt each one as well.

#include <QByteArray>
#include <QString>

namespace tabulon {

// Throws the engine's error for a damaged file (3049, naming `path`) when the
// file is not a whole number of pages or a page's code does not match.
// `rawKey` is the file's key as RawKeyFor gives it.
void CheckPageCodes(const QString& path, const QByteArray& rawKey);

} // namespace tabulon
