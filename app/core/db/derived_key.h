#pragma once

// The key of an encrypted database file, derived from the password once per
// run. SQLCipher derives it anew on every open (tens of thousands of hash
// rounds: the largest fixed part of a start), while a start opens the same
// file lineage several times and the restore list opens every generation,
// all of them sharing one salt since compaction keeps the salt.

#include <QByteArray>
#include <QString>

namespace tabulon {

// The salt of an encrypted file: its first 16 bytes. Empty when the file is
// shorter or cannot be read.
QByteArray FileSalt(const QString& path);

// PBKDF2-HMAC-SHA1 of `secret` over `salt`: a 32-byte key, empty when the
// derivation fails. The file's key and the key of its page codes are both
// made this way, with different rounds.
QByteArray StretchedKey(const QByteArray& secret, const QByteArray& salt, int rounds);

// The key that SQLCipher derives from `password` and `salt` (PBKDF2-HMAC-SHA1,
// 64,000 rounds, 32 bytes: the file format's settings), as the raw key text
// "x'…'" that sqlite3_key takes without deriving. Remembered for the rest of
// the run. Empty for an empty salt.
QByteArray RawKeyFor(const QString& password, const QByteArray& salt);

} // namespace tabulon
