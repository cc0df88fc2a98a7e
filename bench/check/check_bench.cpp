// The pre-claim check of a month of 1,000 claims (and the month before, for
// the comparison): the rules alone, and reading plus rules from the database.

#include "db/dao.h"
#include "globals.h"
#include "month_generator.h"
#include "stored_month.h"
#include "temp_database.h"
#include "tenken_source.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace tabulon {
namespace {

constexpr int kClaims = 1000;

test::PlantedMonth Month() {
    return test::PlantedMonthOf(kClaims, 11);
}

void BM_CheckRules(benchmark::State& state) {
    const test::PlantedMonth planted = Month();
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckMonth(planted.month));
    state.counters["claims"] = static_cast<double>(planted.month.claims.size());
}
BENCHMARK(BM_CheckRules)->Unit(benchmark::kMillisecond);

void BM_CheckStoredMonth(benchmark::State& state) {
    test::TempDatabase database;
    const test::PlantedMonth planted = Month();
    test::StoreClaims(database.db(), "3805", planted.month.claims);
    test::StoreClaims(database.db(), "3804", planted.month.previousClaims);
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckStoredMonth(database.db(), "3805"));
}
BENCHMARK(BM_CheckStoredMonth)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tabulon

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
