#include "startup.h"

#include "app_paths.h"
#include "clock.h"
#include "db/dao.h"
#include "db/db_files.h"
#include "db/instance_lock.h"
#include "era/wareki.h"
#include "globals.h"
#include "message_box.h"
#include "settings/ini_file.h"

#include <QDate>
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

// Compacts only while this instance is alone; then keeps the lock shared for
// the run so that a later instance leaves the open file alone.
void CompactUnlessShared(const CompactionFault& fault) {
    HeldLock() = std::make_unique<InstanceLock>(DatabaseFilePath(kInstanceLockFile));
    const bool alone = HeldLock()->TryExclusive();
    if (alone) {
        try {
            CompactInPlace(DatabaseFilePath(), DatabaseFilePath(kCompactionFile), kCompactConnect,
                           fault);
        } catch (...) {
            HeldLock().reset();
            throw;
        }
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
    try {
        CompactUnlessShared(hooks.compactionFault);
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return 1;
    }
    if (OpenDb(DatabaseFilePath()) != 0) {
        HeldLock().reset();
        return 1;
    }
    SetEraDates(Today());
    LoadIni();
    if (hooks.showMainWindow)
        hooks.showMainWindow();
    return 0;
}

void EndRun() {
    gDb = nullptr;
    OpenDatabase().reset();
    HeldLock().reset();
}

} // namespace tabulon
