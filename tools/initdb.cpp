// tabulon-initdb PATH: creates an empty encrypted database with the tables and
// saved queries. Refuses to overwrite an existing file.

#include "db/db_files.h"
#include "db/schema.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tabulon-initdb PATH\n");
        return 2;
    }
    try {
        tabulon::CreateDatabase(args[1], tabulon::kDatabasePassword);
    } catch (const tabulon::DbError& e) {
        std::fprintf(stderr, "tabulon-initdb: %d %s\n", e.Number(),
                     e.Description().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
