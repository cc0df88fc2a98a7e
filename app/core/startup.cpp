#include "startup.h"

#include "app_paths.h"
#include "backup/generations.h"
#include "clock.h"
#include "db/dao.h"
#include "db/db_files.h"
#include "db/instance_lock.h"
#include "db/server_connect_file.h"
#include "era/wareki.h"
#include "globals.h"
#include "message_box.h"
#include "messages.h"
#include "settings/ini_file.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryFile>
#include <memory>
#include <optional>

namespace tabulon {

namespace {

std::unique_ptr<Database>& OpenDatabase() {
    static std::unique_ptr<Database> db;
    return db;
}

std::unique_ptr<InstanceLock>& HeldLock() {
    static std::unique_ptr<InstanceLock> lock;
    return lock;
}

// Whether a file can be made in the folder. Probed by making one, since
// permissions alone do not tell (a read-only mount, an administrator).
bool FolderWritable(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.tabulon-probe-XXXXXX"));
    return probe.open();
}

// Compacts only while this instance is alone; then keeps the lock shared for
// the run so that a later instance leaves the open file alone. A failure
// leaves the lock to the caller. The file that
// the compacted copy replaces is kept as a backup generation; when that is
// not possible the start goes on and `generationError` says why.
void CompactUnlessShared(const CompactionFault& fault, QString& generationError) {
    HeldLock() = std::make_unique<InstanceLock>(DatabaseFilePath(kInstanceLockFile));
    const bool alone = HeldLock()->TryExclusive();
    if (alone) {
        QString generation;
        const auto keepGeneration = [&] {
            try {
                generation = KeepAsGeneration(DatabaseFilePath(), Now());
            } catch (const DbError& e) {
                generationError = e.Description();
            }
        };
        try {
            CompactInPlace(DatabaseFilePath(), DatabaseFilePath(kCompactionFile), kCompactConnect,
                           fault, keepGeneration);
        } catch (...) {
            DropIfStillTheFile(generation, DatabaseFilePath());
            throw;
        }
        // Older generations go only once the new one is in place.
        if (!generation.isEmpty())
            PruneGenerations(BackupFolderOf(DatabaseFilePath()));
    }
    HeldLock()->HoldShared();
}

// Sets gDb from the opener, or shows the standard error report and returns 1.
int OpenWith(const std::function<std::unique_ptr<Database>()>& open) {
    try {
        OpenDatabase() = open();
        gDb = OpenDatabase().get();
        return 0;
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return 1;
    }
}

// The server compacts and keeps several clerks apart itself: no compaction,
// no instance lock.
int OpenOnServer(const QString& conninfo) {
    return OpenWith([&] { return DBEngine::OpenServerDatabase(conninfo); });
}

// A folder in which no file can be made ends the start before anything is
// touched. The file that compaction replaces becomes a backup generation; a
// generation that cannot be made is said once and the start goes on.
int OpenFile(const CompactionFault& fault) {
    const QString folder = QFileInfo(DatabaseFilePath()).absolutePath();
    if (QFileInfo::exists(DatabaseFilePath()) && !FolderWritable(folder)) {
        ShowMessage(msg::kFolderNotWritable.arg(folder), MsgIcon::Critical);
        return 1;
    }
    QString generationError;
    std::optional<DbError> damage;
    try {
        CompactUnlessShared(fault, generationError);
    } catch (const DbError& e) {
        if (e.Number() != kErrCorrupt) {
            HeldLock().reset();
            ShowErrorReport(e.Number(), e.Description());
            return 1;
        }
        // A damaged file is left as it was and the start goes on, so that the
        // clerk can put a backup generation in its place.
        damage = e;
        HeldLock()->HoldShared();
    }
    if (OpenDb(DatabaseFilePath()) != 0) {
        HeldLock().reset();
        return 1;
    }
    if (damage)
        ShowErrorReport(damage->Number(), damage->Description() + msg::kDamagedDatabase);
    if (!generationError.isEmpty())
        ShowMessage(msg::kNoGenerationMade.arg(generationError), MsgIcon::Exclamation);
    return 0;
}

} // namespace

int OpenDb(const QString& name) {
    return OpenWith([&] { return DBEngine::OpenDatabase(name, false, false, kOpenConnect); });
}

void SetEraDates(const QDate& today) {
    ToWareki(today.toString(QStringLiteral("yyyyMMdd")), gToday);
    ToWareki(today.addMonths(-1).toString(QStringLiteral("yyyyMMdd")), gZengetu);
}

int RunStartup(StartupHooks& hooks) {
    std::optional<QString> server;
    try {
        server = ReadServerConnectFile(kServerConnectFile);
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return 1;
    }
    if ((server ? OpenOnServer(*server) : OpenFile(hooks.compactionFault)) != 0)
        return 1;
    SetEraDates(Today());
    LoadIni();
    if (hooks.showMainWindow)
        hooks.showMainWindow();
    return 0;
}

bool TakeDatabaseAlone() {
    return HeldLock() && HeldLock()->TryExclusive();
}

void ShareDatabase() {
    if (HeldLock())
        HeldLock()->HoldShared();
}

void CloseDb() {
    gDb = nullptr;
    OpenDatabase().reset();
}

void EndRun() {
    CloseDb();
    HeldLock().reset();
}

} // namespace tabulon
