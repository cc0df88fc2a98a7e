#pragma once

// Backup generations: earlier states of the database file kept in the folder
// backup/ beside it as db-YYYYMMDD-HHMMSS.mdb (still encrypted, same
// password). Start-up sets the file it replaces aside as a generation, a
// restore does the same with the file it replaces, and what the retention
// rule keeps stays.

#include <QDateTime>
#include <QString>
#include <vector>

namespace tabulon {

// The generations that stay: the newest `newest`, and besides them the newest
// of each of the last `days` days and of each of the last `months` calendar
// months on which a generation was made (days and months without a start do
// not count, so a holiday does not shorten the reach).
struct GenerationRetention {
    int newest = 10;
    int days = 30;
    int months = 12;
};

struct Generation {
    QString path;
    QDateTime madeAt;
    int sameSecond = 0; // 0, or the number that tells apart two of one second
};

// The folder backup/ beside the database file.
QString BackupFolderOf(const QString& databaseFile);

// "db-YYYYMMDD-HHMMSS.mdb", with "-N" before ".mdb" for the N-th of one second.
QString GenerationFileName(const QDateTime& madeAt, int sameSecond = 0);

// The generations in a folder (or of a backup copy folder), newest first.
// Files of other names are no generations.
std::vector<Generation> ListGenerations(const QString& folder);

// A path in `folder` for a generation made at `madeAt` that no file has yet.
QString FreeGenerationPath(const QString& folder, const QDateTime& madeAt);

// Keeps the complete, closed database file as a generation without copying
// it: a second name (hard link) in the backup folder, so that the file never
// stops existing under its own name. Creates the folder when missing. Where
// the file system has no links, the closed file is copied under a temporary
// name, synced and renamed. Returns the generation's path. Throws DbError
// 3043 (disk error) when the folder cannot be made or written; the database
// file is left as it was.
QString KeepAsGeneration(const QString& databaseFile, const QDateTime& madeAt);

// Undoes KeepAsGeneration when the file was not replaced after all: a
// generation that is still the database file itself (one file under two
// names) would change with every later save.
void DropIfStillTheFile(const QString& generation, const QString& databaseFile);

// The generations, newest first as ListGenerations gives them, that `rule`
// keeps; the result is newest first too.
std::vector<Generation> RetainedGenerations(const std::vector<Generation>& generations,
                                            const GenerationRetention& rule = {});

// Removes the generations that `rule` does not keep, and what copies cut
// short by a crash left ("….mdb.part"). Called only once a new generation is
// in place.
void PruneGenerations(const QString& folder, const GenerationRetention& rule = {});

// Removes the unfinished copies ("db-….mdb.part") in a folder.
void RemoveUnfinishedCopies(const QString& folder);

// The name under which a copy is written before it counts.
QString UnfinishedCopyOf(const QString& path);

} // namespace tabulon
