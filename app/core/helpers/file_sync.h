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
// The file that `path` names: where a symbolic link (or a chain of them)
// leads, else `path` itself. Replacing that file keeps the link a link.
QString LinkedFile(const QString& path);
// Gives `to` the permission bits of `from`, so a file that replaces another
// keeps the access its owner gave it.
void CopyMode(const QString& from, const QString& to);

} // namespace tabulon
