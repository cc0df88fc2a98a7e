#pragma once

// The connection file in the working folder that puts the database on a
// PostgreSQL server instead of the encrypted file, e.g.
//   # Tabulon's database on the clinic's server
//   host=db.clinic.example dbname=tabulon user=clerk1 sslmode=verify-full
// It holds a libpq connection string, a URI or "service=name". The password
// never goes into it: libpq finds it in ~/.pgpass (or PGPASSFILE).

#include <QString>
#include <optional>

namespace tabulon {

// The connection string of the file, or nothing when there is no such file.
// Lines starting with '#' are comments; the other lines are joined with
// blanks. Throws DbError 3151 for a file that cannot be read, holds nothing or
// is no valid connection string, and for one that holds a password.
std::optional<QString> ReadServerConnectFile(const QString& path);

} // namespace tabulon
