// Export of a month of 1,000 claims (every figure filled) and 100 summary
// lines as the two CSV files.

#include "bench_rows.h"
#include "db/dao.h"
#include "db/db_files.h"
#include "db/schema.h"
#include "export/month_csv.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tabulon;

namespace {

void BM_ExportMonthOf1000Claims(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kDatabaseFile);
    CreateDatabase(path, kDatabasePassword).reset();
    {
        SqliteConnection c(path, kDatabasePassword, OpenMode::Existing);
        const TableInfo& claim = *c.FindTable(QStringLiteral("T_請求書"));
        c.Exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < 1000; ++i)
            bench::InsertClaim(c, claim, QStringLiteral("3811"), i);
        for (int i = 0; i < 100; ++i)
            c.Exec(QStringLiteral(
                       "INSERT INTO T_総括表明細 (年月, 保険者番号, 総括表種類, 連番, "
                       "保険者名, 一般_入院_件数) VALUES ('3811', ?1, '1', 1, '保険者', ?2)"),
                   {QString::number(138000 + i), i});
        c.Exec(QStringLiteral("COMMIT"));
    }
    auto db = DBEngine::OpenDatabase(path, false, true, kOpenConnect);
    for (auto _ : state) {
        const MonthCsvFiles files = ExportMonthCsv(*db, QStringLiteral("3811"), dir.path());
        if (files.claimRows != 1000)
            state.SkipWithError("rows missing");
    }
}

} // namespace

BENCHMARK(BM_ExportMonthOf1000Claims)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_MAIN();
