#pragma once

// Backup generations: earlier states of the database file kept in the folder
// backup/ beside it as db-YYYYMMDD-HHMMSS.mdb (still encrypted, same
// password). Start-up sets the file it replaces aside as a generation, a
// restore does the same with the file it replaces, and only the newest
// kKeptGenerations are kept.

#include <QDateTime>
#include <QString>
#include <vector>

namespace tabulon {

inline constexpr int kKeptGenerations = 10;

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

// Removes the oldest generations beyond `keep`, and what copies cut short by
// a crash left ("….mdb.part"). Called only once a new generation is in place.
void KeepNewestGenerations(const QString& folder, int keep = kKeptGenerations);

// Removes the unfinished copies ("db-….mdb.part") in a folder.
void RemoveUnfinishedCopies(const QString& folder);

// The name under which a copy is written before it counts.
QString UnfinishedCopyOf(const QString& path);

} // namespace tabulon
