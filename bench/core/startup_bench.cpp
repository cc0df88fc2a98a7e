// Start-up on ten years of data: 120 months of 300 claims with every figure
// filled and 100 summary lines. Reports the whole start-up and its parts: key
// derivation (opening a connection), compaction without and with the backup
// generation (the replaced file kept in backup/, the newest ten kept), and the
// open of the run.

#include "backup/generations.h"
#include "bench_rows.h"
#include "db/compact_in_place.h"
#include "db/db_files.h"
#include "db/schema.h"
#include "db/sqlite_connection.h"
#include "globals.h"
#include "message_box.h"
#include "startup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tabulon;

namespace {

constexpr int kMonths = 120;
constexpr int kClaimsPerMonth = 300;
constexpr int kLinesPerMonth = 100;

QString Month(int m) {
    return QStringLiteral("%1%2").arg(20 + m / 12).arg(m % 12 + 1, 2, 10, QChar(u'0'));
}

void FillTenYears(const QString& path) {
    CreateDatabase(path, kDatabasePassword).reset();
    SqliteConnection c(path, kDatabasePassword, OpenMode::Existing);
    const TableInfo& claim = *c.FindTable(QStringLiteral("T_請求書"));
    const TableInfo& line = *c.FindTable(QStringLiteral("T_総括表明細"));
    c.Exec(QStringLiteral("BEGIN"));
    for (int m = 0; m < kMonths; ++m) {
        c.Exec(QStringLiteral("INSERT INTO T_年月 (年月) VALUES (?)"), {Month(m)});
        for (int i = 0; i < kClaimsPerMonth; ++i)
            bench::InsertClaim(c, claim, Month(m), i);
        for (int i = 0; i < kLinesPerMonth; ++i) {
            std::vector<QVariant> values = {Month(m),  QString::number(138000 + i),
                                            QString(), QString::number(i % 3 + 1),
                                            1,         QStringLiteral("保険者")};
            while (values.size() < line.columns.size())
                values.push_back(100 + i);
            c.Exec(bench::InsertAllColumns(QStringLiteral("T_総括表明細"), line), values);
        }
    }
    c.Exec(QStringLiteral("COMMIT"));
}

const QTemporaryDir& Data() {
    static QTemporaryDir dir;
    static bool filled = [] {
        FillTenYears(dir.filePath(kDatabaseFile));
        return true;
    }();
    (void)filled;
    return dir;
}

void BM_Startup(benchmark::State& state) {
    QDir::setCurrent(Data().path());
    SetMessageHandler([](const ShownMessage&) { return MsgAnswer::Ok; });
    for (auto _ : state) {
        StartupHooks hooks;
        hooks.showMainWindow = [] {};
        if (RunStartup(hooks) != 0)
            state.SkipWithError("start-up failed");
        EndRun();
    }
}

void BM_KeyDerivation(benchmark::State& state) {
    const QString path = QDir(Data().path()).filePath(kDatabaseFile);
    for (auto _ : state)
        SqliteConnection c(path, kDatabasePassword, OpenMode::Existing);
}

void BM_Compaction(benchmark::State& state) {
    const QDir dir(Data().path());
    for (auto _ : state)
        CompactInPlace(dir.filePath(kDatabaseFile), dir.filePath(kCompactionFile), kCompactConnect);
}

void BM_CompactionWithGeneration(benchmark::State& state) {
    const QDir dir(Data().path());
    const QString file = dir.filePath(kDatabaseFile);
    for (auto _ : state) {
        CompactInPlace(file, dir.filePath(kCompactionFile), kCompactConnect, {},
                       [&] { KeepAsGeneration(file, QDateTime::currentDateTime()); });
        KeepNewestGenerations(BackupFolderOf(file));
    }
}

void BM_OpenDb(benchmark::State& state) {
    QDir::setCurrent(Data().path());
    for (auto _ : state) {
        OpenDb(kDatabaseFile);
        EndRun();
    }
}

} // namespace

BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_KeyDerivation)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Compaction)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CompactionWithGeneration)->Unit(benchmark::kMillisecond)->Iterations(12);
BENCHMARK(BM_OpenDb)->Unit(benchmark::kMillisecond)->Iterations(5);
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the settings file is found beside the program
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
