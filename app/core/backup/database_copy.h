#pragma once

// Consistent copies of a database file that may be open and in use: SQLite's
// online backup reads it page by page under the engine's own locks (a write by
// another connection meanwhile starts the copy again), never as a plain file.

#include "backup/progress.h"

#include <QDateTime>
#include <QString>

namespace tabulon {

// Copies `source` into the new file `destination` (still encrypted with the
// same password). The copy is written under a temporary name beside it, synced
// and renamed into place, so `destination` appears only complete. Throws
// DbError (3024 no source, 3031 or 3343 not readable with the password, 3204
// destination exists, 3043 disk error); nothing is left behind then.
void CopyDatabase(const QString& source, const QString& destination, const QString& password,
                  const ProgressFn& progress = {});

// Backup on demand: a copy of the database file in `folder`, named as a
// generation made at `madeAt`. Returns its path.
QString BackUpTo(const QString& databaseFile, const QString& folder, const QDateTime& madeAt,
                 const QString& password, const ProgressFn& progress = {});

} // namespace tabulon
