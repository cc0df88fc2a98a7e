#pragma once

// The database on a PostgreSQL server: the schema put in place by
// tabulon-initdb --server, and the open for a run.

#include "db/dao.h"

#include <QString>
#include <memory>

namespace tabulon {

// Creates the tables, keys and saved queries in an empty database and returns
// it open. Refuses (3204) a database whose schema (the first on the search
// path, normally "public") already holds tables or views.
std::unique_ptr<Database> CreateServerDatabase(const QString& conninfo);

} // namespace tabulon
