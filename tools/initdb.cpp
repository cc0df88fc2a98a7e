// tabulon-initdb PATH: creates an empty encrypted database with the tables and
// saved queries. Refuses to overwrite an existing file.
// tabulon-initdb --server CONNINFO: creates them in an empty database on a
// PostgreSQL server (libpq connection string, URI or "service=name").
// Refuses a database that already holds tables.

#include "db/db_files.h"
#include "db/pg_database.h"
#include "db/schema.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool server = args.size() == 3 && args[1] == QLatin1String("--server");
    if (args.size() != 2 && !server) {
        std::fprintf(stderr, "usage: tabulon-initdb PATH\n"
                             "       tabulon-initdb --server CONNINFO\n");
        return 2;
    }
    try {
        if (server)
            tabulon::CreateServerDatabase(args[2]);
        else
            tabulon::CreateDatabase(args[1], tabulon::kDatabasePassword);
    } catch (const tabulon::DbError& e) {
        std::fprintf(stderr, "tabulon-initdb: %d %s\n", e.Number(),
                     e.Description().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
