#pragma once

// Replaces the database file by a compacted copy without a moment in which no
// complete database file exists: the copy is written under another name,
// synced, and renamed over the file.

#include <QString>
#include <functional>

namespace tabulon {

enum class CompactionStep { Copy, SyncCopy, Replace, SyncFolder };

// Called before each step; tests throw from it to inject a failure.
using CompactionFault = std::function<void(CompactionStep)>;

// Throws DbError: 3024 when `file` is missing (nothing is touched), or the
// error of the failed step. On failure before the rename `file` is left as it
// was and the copy is removed. `beforeReplace` runs once the copy is complete
// and synced, just before it replaces `file` (start-up keeps the replaced file
// as a backup generation there); what it throws ends the compaction likewise.
void CompactInPlace(const QString& file, const QString& workFile, const QString& connect,
                    const CompactionFault& fault = {},
                    const std::function<void()>& beforeReplace = {});

} // namespace tabulon
