#pragma once

// Durable file steps: a file counts as written only once it and the folder
// that names it are synced to the disk.

#include <QString>

namespace tabulon {

// fsync of a file; throws DbError 3043 when the file cannot be synced.
void SyncFile(const QString& path);
// fsync of a folder, so that a rename or a new name in it survives a crash.
void SyncFolder(const QString& path);
// rename(2): atomic within one file system; throws DbError 3043.
void RenameOver(const QString& from, const QString& to);

} // namespace tabulon
