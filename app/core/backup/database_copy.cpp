#include "backup/database_copy.h"

#include "backup/generations.h"
#include "db/sqlite_connection.h"
#include "db/sqlite_errors.h"
#include "helpers/file_sync.h"

#include <QFile>
#include <QFileInfo>
#include <sqlcipher/sqlite3.h>

namespace tabulon {

namespace {

constexpr int kPagesPerStep = 256;

// Copies every page of the source's main database into the destination's.
void CopyPages(SqliteConnection& from, SqliteConnection& to, const ProgressFn& progress) {
    sqlite3_backup* backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
    if (!backup)
        ThrowSqliteError(to.handle());
    int rc = SQLITE_OK;
    while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        rc = sqlite3_backup_step(backup, kPagesPerStep);
        if (progress) {
            const int total = sqlite3_backup_pagecount(backup);
            progress(total - sqlite3_backup_remaining(backup), total);
        }
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(20);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        throw ErrorFromSqlite(rc, QString::fromUtf8(sqlite3_errstr(rc)));
}

} // namespace

void CopyDatabase(const QString& source, const QString& destination, const QString& password,
                  const ProgressFn& progress) {
    if (QFileInfo::exists(destination))
        throw DbError(kErrAlreadyExists,
                      QStringLiteral("ファイル '%1' は既に存在します。").arg(destination));
    SqliteConnection from(source, password, OpenMode::ExistingReadOnly);
    const QString part = UnfinishedCopyOf(destination);
    QFile::remove(part);
    try {
        {
            SqliteConnection to(part, password, OpenMode::CreateNew);
            // The copy counts only once complete and synced, so it needs no journal.
            to.Exec(QStringLiteral("PRAGMA journal_mode = OFF"));
            to.Exec(QStringLiteral("PRAGMA synchronous = OFF"));
            CopyPages(from, to, progress);
        }
        SyncFile(part);
        RenameOver(part, destination);
        SyncFolder(QFileInfo(destination).absolutePath());
    } catch (...) {
        QFile::remove(part);
        throw;
    }
}

QString BackUpTo(const QString& databaseFile, const QString& folder, const QDateTime& madeAt,
                 const QString& password, const ProgressFn& progress) {
    // What a backup cut short left there is of no use.
    RemoveUnfinishedCopies(folder);
    const QString destination = FreeGenerationPath(folder, madeAt);
    CopyDatabase(databaseFile, destination, password, progress);
    return destination;
}

} // namespace tabulon
