#pragma once

// The database file of the program, its compaction copy and its password.

#include <QString>

namespace tabulon {

// Addressed relative to the working folder. One spelling for every step, so a
// case-sensitive file system never sees two different files.
inline const QString kDatabaseFile = QStringLiteral("db.mdb");
inline const QString kCompactionFile = QStringLiteral("dbWK.MDB");
// Held by every running instance; decides whether start-up may compact.
inline const QString kInstanceLockFile = QStringLiteral("db.mdb.lock");

// When this file is in the working folder, the database is on a PostgreSQL
// server (see server_connect_file.h) and db.mdb is not used.
inline const QString kServerConnectFile = QStringLiteral("tabulon-db.conf");

inline const QString kDatabasePassword = QStringLiteral("qorbinex");
inline const QString kOpenConnect = QStringLiteral("MS Access;PWD=") + kDatabasePassword;
inline const QString kCompactConnect = QStringLiteral(";PWD=") + kDatabasePassword;

} // namespace tabulon
