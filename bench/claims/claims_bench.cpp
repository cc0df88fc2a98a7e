// The claim list of a month with 2,000 claims: open (load and fill) and
// refill; and one save of a full kind-1 claim with the list refill after it.

#include "claim_columns.h"
#include "claim_list.h"
#include "claim_screen.h"
#include "db/dao.h"
#include "globals.h"
#include "mdu_seikyusyo.h"
#include "temp_database.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace tabulon {
namespace {

constexpr int kClaims = 2000;

// A month of claims spread over insurers, kinds and serials, written in one
// statement so that the set-up does not dominate the run.
void FillMonth(Database& db) {
    QStringList rows;
    for (int i = 0; i < kClaims; ++i) {
        const QString bangou = i % 3 == 0 ? QString::number(39000000 + i % 700)
                                          : QString::number(100000 + i % 700 * 37);
        rows << QStringLiteral("('3805', '%1', '%2', %3, '%4')")
                    .arg(bangou)
                    .arg(i % 6 + 1)
                    .arg(i / 700 + 1 + i % 2 * 10)
                    .arg(i * 13);
    }
    db.Execute(QStringLiteral("INSERT INTO T_請求書 (年月, 保険者番号, 請求書種類, 連番, "
                              "一般_療養_外来_点数_1) VALUES ") +
               rows.join(QStringLiteral(", ")));
}

class Month {
public:
    Month() {
        gNengetu = "3805";
        gSougou = "0";
        gSyubetu = "1";
        FillMonth(database.db());
    }
    test::TempDatabase database;
};

void BM_ListOpen(benchmark::State& state) {
    Month month;
    for (auto _ : state) {
        ClaimList list;
        benchmark::DoNotOptimize(list.List()->topLevelItemCount());
    }
}
BENCHMARK(BM_ListOpen)->Unit(benchmark::kMillisecond);

void BM_ListRefill(benchmark::State& state) {
    Month month;
    ClaimList list;
    for (auto _ : state) {
        list.Refill();
        benchmark::DoNotOptimize(list.List()->topLevelItemCount());
    }
}
BENCHMARK(BM_ListRefill)->Unit(benchmark::kMillisecond);

void BM_SaveWithRefill(benchmark::State& state) {
    Month month;
    ClaimList list;
    CurrentClaim = {1, false, {}, {}, 0};
    ClaimScreen screen(1);
    int n = 0;
    for (const BoxColumn& c : SavedFigureColumns(screen.Kind()))
        screen.Box(c.box, c.index)->setText(QString::number(++n));
    screen.Box("txtBangou")->setText("138016");
    for (auto _ : state)
        SaveClaim(screen);
    state.counters["rows"] = list.List()->topLevelItemCount();
}
BENCHMARK(BM_SaveWithRefill)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tabulon

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
