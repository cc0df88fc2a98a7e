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

namespace {

void PrintUsage(std::FILE* to) {
    std::fprintf(to, "usage: tabulon-initdb PATH\n"
                     "       tabulon-initdb --server CONNINFO\n"
                     "A PATH that begins with \"-\" is written \"./-name\".\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args == QStringList{QStringLiteral("--help")}) {
        PrintUsage(stdout);
        return 0;
    }
    // Anything that begins with "-" is an option, never a file name, so that
    // a mistyped option creates no file named after it.
    const bool server =
        args.size() == 2 && args[0] == QLatin1String("--server") && !args[1].isEmpty();
    const bool file = args.size() == 1 && !args[0].isEmpty() && !args[0].startsWith(u'-');
    if (!server && !file) {
        PrintUsage(stderr);
        return 2;
    }
    try {
        if (server)
            tabulon::CreateServerDatabase(args[1]);
        else
            tabulon::CreateDatabase(args[0], tabulon::kDatabasePassword);
    } catch (const tabulon::DbError& e) {
        std::fprintf(stderr, "tabulon-initdb: %d %s\n", e.Number(),
                     e.Description().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
