#pragma once

// What compaction does when a rebuild would win back little. A rebuild
// decrypts and re-encrypts every page and rebuilds every table: at ten years
// of a large clinic that is a second of every start. A file with few free
// pages is already about as small as a rebuild would make it, so its copy is
// its own bytes, once every page's code has been checked (page_codes.h), so
// that a damaged page still stops the start as a rebuild would.

#include <QString>

namespace tabulon {

class SqliteConnection;

// Whether free pages make up at least a tenth of the file.
bool WorthRebuilding(SqliteConnection& source);

// Copies the file's bytes into `destination`, which exists and is empty. A
// full disk is 3026 naming `source`, any other failure 3043.
void CopyFileBytes(const QString& source, const QString& destination);

} // namespace tabulon
