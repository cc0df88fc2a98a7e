// Start-up on one and on ten years of a large clinic: months of 1,000 claims
// with their first rows of figures filled and 100 summary lines (ten years are 120,000 claims,
// about 37 MB). Reports the whole start-up and its parts: the one key
// derivation of a run, compaction without and with the backup generation
// (the replaced file kept in backup/, the retention rule applied), and the
// open of the run. The argument is the number of years.

#include "backup/generations.h"
#include "bench_rows.h"
#include "db/compact_in_place.h"
#include "db/db_files.h"
#include "db/derived_key.h"
#include "db/schema.h"
#include "db/sqlite_connection.h"
#include "globals.h"
#include "message_box.h"
#include "startup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace tabulon;

namespace {

constexpr int kClaimsPerMonth = 1000;
constexpr int kLinesPerMonth = 100;

QString Month(int m) {
    return QStringLiteral("%1%2").arg(20 + m / 12).arg(m % 12 + 1, 2, 10, QChar(u'0'));
}

// A claim as a large clinic types it: the first rows of figures filled, the
// rest empty (ten years come to about 37 MB, as in the field).
void InsertTypicalClaim(SqliteConnection& c, const TableInfo& claim, const QString& month, int i) {
    constexpr int kFilledFigures = 30;
    std::vector<QVariant> values = {month, QString::number(138000 + i), QString(),
                                    QString::number(i % 6 + 1), 1};
    while (values.size() < claim.columns.size())
        values.push_back(values.size() < 5 + kFilledFigures ? QString::number(1000 + i)
                                                            : QString());
    c.Exec(bench::InsertAllColumns(QStringLiteral("T_請求書"), claim), values);
}

void FillYears(const QString& path, int years) {
    CreateDatabase(path, kDatabasePassword).reset();
    SqliteConnection c(path, kDatabasePassword, OpenMode::Existing);
    const TableInfo& claim = *c.FindTable(QStringLiteral("T_請求書"));
    const TableInfo& line = *c.FindTable(QStringLiteral("T_総括表明細"));
    c.Exec(QStringLiteral("BEGIN"));
    for (int m = 0; m < years * 12; ++m) {
        c.Exec(QStringLiteral("INSERT INTO T_年月 (年月) VALUES (?)"), {Month(m)});
        for (int i = 0; i < kClaimsPerMonth; ++i)
            InsertTypicalClaim(c, claim, Month(m), i);
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

// One folder per number of years, filled once per run of the benchmarks.
const QTemporaryDir& Data(int years) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    std::unique_ptr<QTemporaryDir>& dir = folders[years];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        FillYears(dir->filePath(kDatabaseFile), years);
    }
    return *dir;
}

void BM_Startup(benchmark::State& state) {
    QDir::setCurrent(Data(int(state.range(0))).path());
    SetMessageHandler([](const ShownMessage&) { return MsgAnswer::Ok; });
    for (auto _ : state) {
        StartupHooks hooks;
        hooks.showMainWindow = [] {};
        if (RunStartup(hooks) != 0)
            state.SkipWithError("start-up failed");
        EndRun();
    }
    state.counters["MB"] = double(QFileInfo(kDatabaseFile).size()) / 1e6;
}

// What the first open of a run costs beyond the others: one derivation of
// the key from the password, for a salt not seen before.
void BM_KeyDerivation(benchmark::State& state) {
    quint64 n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            RawKeyFor(kDatabasePassword, QByteArray::number(++n).leftJustified(16, '-')));
}

void BM_Compaction(benchmark::State& state) {
    const QDir dir(Data(int(state.range(0))).path());
    for (auto _ : state)
        CompactInPlace(dir.filePath(kDatabaseFile), dir.filePath(kCompactionFile), kCompactConnect);
}

void BM_CompactionWithGeneration(benchmark::State& state) {
    const QDir dir(Data(int(state.range(0))).path());
    const QString file = dir.filePath(kDatabaseFile);
    for (auto _ : state) {
        CompactInPlace(file, dir.filePath(kCompactionFile), kCompactConnect, {},
                       [&] { KeepAsGeneration(file, QDateTime::currentDateTime()); });
        PruneGenerations(BackupFolderOf(file));
    }
}

void BM_OpenDb(benchmark::State& state) {
    QDir::setCurrent(Data(int(state.range(0))).path());
    for (auto _ : state) {
        OpenDb(kDatabaseFile);
        EndRun();
    }
}

} // namespace

BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond)->Iterations(5)->Arg(1)->Arg(10);
BENCHMARK(BM_KeyDerivation)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Compaction)->Unit(benchmark::kMillisecond)->Iterations(5)->Arg(1)->Arg(10);
BENCHMARK(BM_CompactionWithGeneration)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(12)
    ->Arg(1)
    ->Arg(10);
BENCHMARK(BM_OpenDb)->Unit(benchmark::kMillisecond)->Iterations(5)->Arg(1)->Arg(10);
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the settings file is found beside the program
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
