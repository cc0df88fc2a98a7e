// tabulon-export MONTH FOLDER: writes the claims and the summary lines of the
// processing month MONTH (four digits, era year and month, as "3811") as two
// CSV files into FOLDER, from db.mdb in the current folder, or from the server
// that the folder's connection file names. Prints the two paths; exit status
// 0, 1 on a database or file error, 2 on wrong arguments. The CSV files are for
// accounting, not a backup: a server's database is backed up with the
// server's own tools (pg_dump).

#include "db/dao.h"
#include "db/db_files.h"
#include "db/server_connect_file.h"
#include "export/month_csv.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    static const QRegularExpression monthKey(QStringLiteral("^\\d{2}(0[1-9]|1[0-2])$"));
    if (args.size() != 3 || !monthKey.match(args[1]).hasMatch() || !QFileInfo(args[2]).isDir()) {
        std::fprintf(stderr, "usage: tabulon-export MONTH FOLDER\n"
                             "  MONTH  era year and month, four digits (3811)\n"
                             "  FOLDER an existing folder for the two CSV files\n"
                             "The CSV files are no backup; on a PostgreSQL server use pg_dump.\n");
        return 2;
    }
    try {
        const auto server = tabulon::ReadServerConnectFile(tabulon::kServerConnectFile);
        auto db = server ? tabulon::DBEngine::OpenServerDatabase(*server)
                         : tabulon::DBEngine::OpenDatabase(tabulon::kDatabaseFile, false, true,
                                                           tabulon::kOpenConnect);
        const tabulon::MonthCsvFiles files = tabulon::ExportMonthCsv(*db, args[1], args[2]);
        std::printf("%s\t%d\n%s\t%d\n", files.claims.toLocal8Bit().constData(), files.claimRows,
                    files.summaryLines.toLocal8Bit().constData(), files.summaryRows);
    } catch (const tabulon::DbError& e) {
        std::fprintf(stderr, "tabulon-export: %d %s\n", e.Number(),
                     e.Description().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
