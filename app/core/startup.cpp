#include "startup.h"

#include "backup/generations.h"
#include "clock.h"
#include "db/dao.h"
#include "db/db_files.h"
#include "db/instance_lock.h"
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
// the run so that a later instance leaves the open file alone. The file that
// the compacted copy replaces is kept as a backup generation; when that is
// not possible the start goes on and `generationError` says why.
void CompactUnlessShared(const CompactionFault& fault, QString& generationError) {
    HeldLock() = std::make_unique<InstanceLock>(kInstanceLockFile);
    const bool alone = HeldLock()->TryExclusive();
    if (alone) {
        QString generation;
        const auto keepGeneration = [&] {
            try {
                generation = KeepAsGeneration(kDatabaseFile, QDateTime::currentDateTime());
            } catch (const DbError& e) {
                generationError = e.Description();
            }
        };
        try {
            CompactInPlace(kDatabaseFile, kCompactionFile, kCompactConnect, fault, keepGeneration);
        } catch (...) {
            DropIfStillTheFile(generation, kDatabaseFile);
            HeldLock().reset();
            throw;
        }
        // Older generations go only once the new one is in place.
        if (!generation.isEmpty())
            KeepNewestGenerations(BackupFolderOf(kDatabaseFile));
    }
    HeldLock()->HoldShared();
}

} // namespace

int OpenDb(const QString& name) {
    try {
        OpenDatabase() = DBEngine::OpenDatabase(name, false, false, kOpenConnect);
        gDb = OpenDatabase().get();
        return 0;
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return 1;
    }
}

void SetEraDates(const QDate& today) {
    ToWareki(today.toString(QStringLiteral("yyyyMMdd")), gToday);
    ToWareki(today.addMonths(-1).toString(QStringLiteral("yyyyMMdd")), gZengetu);
}

int RunStartup(StartupHooks& hooks) {
    const QString folder = QFileInfo(kDatabaseFile).absolutePath();
    if (QFileInfo::exists(kDatabaseFile) && !FolderWritable(folder)) {
        ShowMessage(msg::kFolderNotWritable.arg(folder), MsgIcon::Critical);
        return 1;
    }
    QString generationError;
    try {
        CompactUnlessShared(hooks.compactionFault, generationError);
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return 1;
    }
    if (OpenDb(kDatabaseFile) != 0) {
        HeldLock().reset();
        return 1;
    }
    if (!generationError.isEmpty())
        ShowMessage(msg::kNoGenerationMade.arg(generationError), MsgIcon::Exclamation);
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
