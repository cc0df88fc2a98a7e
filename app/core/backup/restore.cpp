#include "backup/restore.h"

#include "app_paths.h"
#include "backup/database_contents.h"
#include "backup/database_copy.h"
#include "backup/generations.h"
#include "db/db_error.h"
#include "db/db_files.h"
#include "helpers/file_sync.h"
#include "startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tabulon {

namespace {

// Gives the database back to the run however the restore ends: gDb open on
// the file under its name, the lock shared again, no copy left over.
class ReopenAtEnd {
public:
    explicit ReopenAtEnd(QString work) : work_(std::move(work)) {}
    ~ReopenAtEnd() {
        QFile::remove(work_);
        OpenDb(DatabaseFilePath());
        ShareDatabase();
    }
    ReopenAtEnd(const ReopenAtEnd&) = delete;
    ReopenAtEnd& operator=(const ReopenAtEnd&) = delete;

private:
    QString work_;
};

} // namespace

void RestoreDatabase(const QString& chosen, const QDateTime& now, const ProgressFn& progress,
                     const RestoreFault& fault) {
    const auto step = [&](RestoreStep s) {
        if (fault)
            fault(s);
    };
    ReadContents(chosen, kDatabasePassword);
    if (!TakeDatabaseAlone())
        throw DbError(kErrLocked, QStringLiteral("ほかの画面またはパソコンでデータベースを使用中の"
                                                 "ため、復元できません。"));
    // Through a symbolic link, the file it leads to is replaced.
    const QString file = LinkedFile(DatabaseFilePath());
    const QString work = QFileInfo(file).absoluteDir().filePath(kCompactionFile);
    QFile::remove(work);
    CloseDb();
    ReopenAtEnd reopen(work);
    step(RestoreStep::Copy);
    CopyDatabase(chosen, work, kDatabasePassword, progress);
    // What is put in place is the copy: it must pass the same check as the
    // file picked, which may have changed since.
    ReadContents(work, kDatabasePassword);
    CopyMode(file, work);
    step(RestoreStep::SetAside);
    const QString generation = KeepAsGeneration(DatabaseFilePath(), now);
    try {
        step(RestoreStep::Replace);
        RenameOver(work, file);
    } catch (...) {
        DropIfStillTheFile(generation, file);
        throw;
    }
    SyncFolder(QFileInfo(file).absolutePath());
    PruneGenerations(BackupFolderOf(DatabaseFilePath()));
}

} // namespace tabulon
