// The pre-claim check of a month of 1,000 claims (and the month before, for
// the comparison): the rules alone, and reading plus rules from the database.

#include "db/claim_line_columns.h"
#include "db/dao.h"
#include "globals.h"
#include "month_generator.h"
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

// The claims as rows of one multi-row insert per month.
void Store(Database& db, const QString& nengetu, const QList<TenkenClaim>& claims) {
    QStringList columns{"年月", "保険者番号", "診療科",  "請求書種類",
                        "連番", "公費件数",   "福祉件数"};
    for (int i = 0; i < 20; ++i)
        for (const char* figure : {"件数", "実日数", "点数", "負担金"})
            columns << CareColumn(QString::fromUtf8(figure), i);
    for (int i = 0; i < 20; i += 2)
        for (const char* figure : {"件数", "日数", "金額", "負担額"})
            columns << FoodColumn(QString::fromUtf8(figure), i);
    const auto quoted = [](const QString& text) { return u'\'' + text + u'\''; };
    QStringList rows;
    for (const TenkenClaim& c : claims) {
        QStringList values{quoted(nengetu),
                           quoted(c.bangou),
                           quoted(c.sinryouka),
                           quoted(QString::number(c.kind)),
                           QString::number(c.renban),
                           quoted(c.kouhi),
                           quoted(c.uba)};
        for (const TenkenClaim::Care& l : c.care)
            values << quoted(l.kensuu) << quoted(l.jitunisuu) << quoted(l.tensuu)
                   << quoted(l.futankin);
        for (const TenkenClaim::Food& f : c.food)
            values << quoted(f.kensuu) << quoted(f.nisuu) << quoted(f.kingaku)
                   << quoted(f.futangaku);
        rows << u'(' + values.join(u',') + u')';
    }
    db.Execute(QStringLiteral("INSERT INTO T_請求書 (") + columns.join(u',') +
               QStringLiteral(") VALUES ") + rows.join(u','));
}

void BM_CheckStoredMonth(benchmark::State& state) {
    test::TempDatabase database;
    const test::PlantedMonth planted = Month();
    Store(database.db(), "3805", planted.month.claims);
    Store(database.db(), "3804", planted.month.previousClaims);
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
