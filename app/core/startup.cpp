#include "startup.h"

#include "app_paths.h"
#include "clock.h"
#include "db/dao.h"
#include "db/db_files.h"
#include "db/instance_lock.h"
#include "db/server_connect_file.h"
#include "era/wareki.h"
#include "globals.h"
#include "message_box.h"
#include "settings/ini_file.h"

#include <QDate>
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

int OpenFile(const CompactionFault& fault) {
    try {
        CompactUnlessShared(fault);
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return 1;
    }
    if (OpenDb(DatabaseFilePath()) != 0) {
        HeldLock().reset();
        return 1;
    }
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

void EndRun() {
    gDb = nullptr;
    OpenDatabase().reset();
    HeldLock().reset();
}

} // namespace tabulon
