#pragma once

// Whether a database file holds exactly this program's schema: its tables
// with their columns, its indexes and its views, and nothing else. A file
// with another object (a trigger that rewrites what is saved, a table of
// another program) or with one of ours changed or missing is not ours.

#include <QString>

namespace tabulon {

class SqliteConnection;

// Throws DbError 3343 naming the first object that differs.
void RequireProgramSchema(SqliteConnection& connection, const QString& path);

} // namespace tabulon
