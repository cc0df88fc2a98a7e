#pragma once

// Where the program finds its own files and where the clerk's data lives.
//
// Run from its build folder (the layouts in form/ beside the program, the
// folder writable), everything stays beside the program: libQvBarQR.so, form/,
// Soukatu.ini and document/, with db.mdb in the working folder. Installed under
// a prefix (the program in bin/, the layouts in ../share/tabulon/form, or a
// program folder the clerk may not write to), the program's own files are
// found relative to it (../lib/tabulon, ../share/tabulon) and the clerk's data
// goes to the desktop's folders: Soukatu.ini to the configuration folder,
// db.mdb, its backups and document/ to the data folder.

#include "db/db_files.h"

#include <QString>

namespace tabulon {

// The folder of the running program, or the one set for tests (empty restores).
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// True when the clerk's data lives in the desktop's folders rather than beside
// the program.
bool UsesDesktopFolders();

// libQvBarQR.so: beside the program, or ../lib/tabulon when installed.
QString QrLibraryFolder();
// The layout files (.qvf): form/ beside the program, or ../share/tabulon/form.
QString LayoutFolder();
// The clerk's manual (manual.html and its pictures): help/ beside the
// program, or ../share/tabulon/help.
QString HelpFolder();
// The folder of Soukatu.ini.
QString SettingsFolder();
// The folder of the printed documents.
QString DocumentFolder();

// The folder of db.mdb: the working folder, or the data folder when installed.
QString DatabaseFolder();
// `name` (db.mdb, its compaction copy, its lock, a backup folder) beside the
// database. Relative to the working folder when the program runs from its
// build folder, as it always has been; absolute when installed.
QString DatabaseFilePath(const QString& name = kDatabaseFile);

} // namespace tabulon
