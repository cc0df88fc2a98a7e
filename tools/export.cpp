// tabulon-export [--force] MONTH FOLDER: writes the claims and the summary
// lines of the processing month MONTH (four digits, era year and month, as
// "3811") as two CSV files into FOLDER, from db.mdb in the current folder, or
// from the server that the folder's connection file names. Prints the two
// paths; exit status 0, 1 on a database or file error or a file that exists
// already (replaced only with --force), 2 on wrong arguments, 3 when the
// month holds no data (no file is written). The CSV files are for accounting,
// not a backup: a server's database is backed up with the server's own tools
// (pg_dump).

#include "db/dao.h"
#include "db/db_files.h"
#include "db/server_connect_file.h"
#include "export/month_csv.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNoData = 3;

void PrintUsage(std::FILE* to) {
    std::fprintf(to, "usage: tabulon-export [--force] MONTH FOLDER\n"
                     "  MONTH    era year and month, four digits (3811)\n"
                     "  FOLDER   an existing folder for the two CSV files\n"
                     "  --force  replace files of the same names in FOLDER\n"
                     "A text that begins with =, +, -, @, a tab or a CR is written after an\n"
                     "apostrophe (') so that a spreadsheet shows it as text and never runs it.\n"
                     "The CSV files are no backup; on a PostgreSQL server use pg_dump.\n");
}

void Say(const QString& text) {
    std::fprintf(stderr, "tabulon-export: %s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args == QStringList{QStringLiteral("--help")}) {
        PrintUsage(stdout);
        return 0;
    }
    const bool force = !args.isEmpty() && args.front() == QLatin1String("--force");
    if (force)
        args.removeFirst();
    static const QRegularExpression monthKey(QStringLiteral("^\\d{2}(0[1-9]|1[0-2])$"));
    if (args.size() != 2 || !monthKey.match(args[0]).hasMatch() || !QFileInfo(args[1]).isDir()) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const QString& month = args[0];
    const tabulon::MonthCsvFiles names = tabulon::MonthCsvNames(month, args[1]);
    if (!force) {
        for (const QString& path : {names.claims, names.summaryLines}) {
            if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
                Say(QStringLiteral(
                        "'%1' は既に存在します。置き換えるときは --force を付けてください。")
                        .arg(path));
                return kExitFailed;
            }
        }
    }
    try {
        const auto server = tabulon::ReadServerConnectFile(tabulon::kServerConnectFile);
        auto db = server ? tabulon::DBEngine::OpenServerDatabase(*server)
                         : tabulon::DBEngine::OpenDatabase(tabulon::kDatabaseFile, false, true,
                                                           tabulon::kOpenConnect);
        if (!tabulon::MonthHasRows(*db, month)) {
            Say(QStringLiteral("%1 の請求書と総括表明細はありません。ファイルは作りませんでした。")
                    .arg(month));
            return kExitNoData;
        }
        const tabulon::MonthCsvFiles files = tabulon::ExportMonthCsv(*db, month, args[1]);
        std::printf("%s\t%d\n%s\t%d\n", files.claims.toLocal8Bit().constData(), files.claimRows,
                    files.summaryLines.toLocal8Bit().constData(), files.summaryRows);
    } catch (const tabulon::DbError& e) {
        std::fprintf(stderr, "tabulon-export: %d %s\n", e.Number(),
                     e.Description().toLocal8Bit().constData());
        return kExitFailed;
    }
    return 0;
}
