#pragma once

// Restore: the database file replaced by a backup (a generation or a file the
// clerk picked), with the current file kept as a generation first.

#include "backup/progress.h"

#include <QDateTime>
#include <QString>

namespace tabulon {

// Steps at which tests interrupt a restore.
enum class RestoreStep { Copy, SetAside, Replace };
using RestoreFault = std::function<void(RestoreStep)>;

// Replaces the open database file (DatabaseFilePath(), open as gDb) by a copy of
// `chosen`: the copy is made beside it, the current file is kept as a
// generation made at `now`, and the copy is renamed over it; gDb is then open
// on the restored data. Throws DbError with nothing changed: 3031 or 3343 when
// `chosen` is not a database of this program under its password, 3260 while
// another instance holds the database, or the error of a failed step (gDb is
// open again on the file as it was).
void RestoreDatabase(const QString& chosen, const QDateTime& now, const ProgressFn& progress = {},
                     const RestoreFault& fault = {});

} // namespace tabulon
