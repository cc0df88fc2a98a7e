// tabulon-export [--force] [--database FILE] MONTH FOLDER: writes the claims
// and the summary lines of the processing month MONTH (four digits, era year
// and month, as "3811") as two CSV files into FOLDER. It reads the database
// FILE, or the server that the current folder's connection file names, or
// db.mdb where the program keeps it (the installed program's data folder, the
// current folder for a program run from its build folder). Prints the two
// paths; exit status 0, 1 on a database or file error or a file that exists
// already (replaced only with --force), 2 on wrong arguments, 3 when the
// month holds no data (no file is written). The CSV files are for accounting,
// not a backup: a server's database is backed up with the server's own tools
// (pg_dump).

#include "app_paths.h"
#include "db/dao.h"
#include "db/db_files.h"
#include "db/server_connect_file.h"
#include "export/month_csv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNoData = 3;

// db.mdb where the program itself keeps it, as an absolute path.
QString ProgramDatabase() {
    return QFileInfo(tabulon::DatabaseFilePath()).absoluteFilePath();
}

void PrintUsage(std::FILE* to) {
    std::fprintf(to,
                 "usage: tabulon-export [--force] [--database FILE] MONTH FOLDER\n"
                 "  MONTH            era year and month, four digits (3811)\n"
                 "  FOLDER           an existing folder for the two CSV files\n"
                 "  --force          replace files of the same names in FOLDER\n"
                 "  --database FILE  read this database file\n"
                 "Without --database it reads the PostgreSQL server that %s in the\n"
                 "current folder names, or else the program's database:\n"
                 "  %s\n"
                 "A text that begins with =, +, -, @, a tab or a CR is written after an\n"
                 "apostrophe (') so that a spreadsheet shows it as text and never runs it.\n"
                 "The CSV files are no backup; on a PostgreSQL server use pg_dump.\n",
                 tabulon::kServerConnectFile.toLocal8Bit().constData(),
                 QDir::toNativeSeparators(ProgramDatabase()).toLocal8Bit().constData());
}

void Say(const QString& text) {
    std::fprintf(stderr, "tabulon-export: %s\n", text.toLocal8Bit().constData());
}

// Opens the database that the options, the connection file or the program's
// rule name. A missing file is said with where it was looked for.
std::unique_ptr<tabulon::Database> OpenTheDatabase(const QString& file) {
    if (file.isEmpty()) {
        if (const auto server = tabulon::ReadServerConnectFile(tabulon::kServerConnectFile))
            return tabulon::DBEngine::OpenServerDatabase(*server);
    }
    const QString path = file.isEmpty() ? ProgramDatabase() : file;
    if (!QFileInfo(path).isFile()) {
        Say(QStringLiteral("データベース '%1' が見つかりません。--database "
                           "で読むファイルを指定できます。")
                .arg(QDir::toNativeSeparators(path)));
        return nullptr;
    }
    return tabulon::DBEngine::OpenDatabase(path, false, true, tabulon::kOpenConnect);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The program's own folder names (~/.local/share/tabulon).
    QCoreApplication::setApplicationName(QStringLiteral("tabulon"));
    QStringList args = app.arguments().mid(1);
    if (args == QStringList{QStringLiteral("--help")}) {
        PrintUsage(stdout);
        return 0;
    }
    bool force = false;
    QString databaseFile;
    while (!args.isEmpty() && args.front().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--force")) {
            force = true;
        } else if (option == QLatin1String("--database") && !args.isEmpty()) {
            databaseFile = args.takeFirst();
        } else {
            PrintUsage(stderr);
            return kExitUsage;
        }
    }
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
        const auto db = OpenTheDatabase(databaseFile);
        if (!db)
            return kExitFailed;
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
