#pragma once

// Start-up: compact the database (only when no other instance has it open),
// or, when the working folder holds the server connection file, use the
// database on that server; open it for the run, set today's and last month's era dates, load the
// institution settings and show the main menu.

#include "db/compact_in_place.h"

#include <QDate>
#include <QString>
#include <functional>

namespace tabulon {

struct StartupHooks {
    // Creates the main menu and shows it modeless.
    std::function<void()> showMainWindow;
    // Failure injection for the compaction steps (tests).
    CompactionFault compactionFault;
};

// Opens the database as gDb with the program's password. Returns 0, or shows
// the standard error report and returns 1.
int OpenDb(const QString& name);

// Runs start-up on the database of DatabaseFilePath(), or on the server named by
// the working folder's connection file. Returns 0 when the main menu is shown;
// otherwise the failure has been shown in a message box, no window exists,
// nothing is left behind in the folder, and the program should end with the
// returned non-zero code. A folder in which no file can be made ends the start
// before anything is touched: no compaction, and every save would fail.
int RunStartup(StartupHooks& hooks);

// Sets gToday and gZengetu (one calendar month earlier, the day clamped to the
// shorter month) from the date.
void SetEraDates(const QDate& today);

// Closes gDb (it becomes null); OpenDb opens it again.
void CloseDb();

// True when no other instance holds the database; this one then holds it
// exclusively until ShareDatabase (a restore replaces the file meanwhile).
bool TakeDatabaseAlone();
void ShareDatabase();

// Closes gDb and releases the instance lock; process exit does the same.
void EndRun();

} // namespace tabulon
