// frmSoukatu2 over a month of N stored lines: ListReset alone, and one save
// (serial look-up, write, month registration, list refill).

#include "db/dao.h"
#include "frm_soukatu2.h"
#include "globals.h"
#include "message_recorder.h"
#include "temp_database.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace tabulon {
namespace {

void StoreLines(Database& db, int count) {
    for (int n = 0; n < count; ++n)
        db.Execute(QStringLiteral("INSERT INTO T_総括表明細 (年月, 保険者番号, 診療科, 保険者名, "
                                  "総括表種類, 連番, 一般_入院_点数, 一般_外来_点数) VALUES "
                                  "('3805', '%1', '', '国保', '1', 1, 123456, 7890)")
                       .arg(230000 + n));
}

void BM_ListReset(benchmark::State& state) {
    test::TempDatabase database;
    gNengetu = QStringLiteral("3805");
    StoreLines(database.db(), int(state.range(0)));
    FrmSoukatu2 screen;
    for (auto _ : state)
        screen.ListReset();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListReset)->Arg(50)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_SaveLine(benchmark::State& state) {
    test::TempDatabase database;
    test::MessageRecorder messages;
    gNengetu = QStringLiteral("3805");
    StoreLines(database.db(), int(state.range(0)));
    FrmSoukatu2 screen;
    for (auto _ : state) {
        screen.Box(QStringLiteral("txtBangou"))->setText(QStringLiteral("06230017"));
        screen.Box(QStringLiteral("txtTensuu"), 0)->setText(QStringLiteral("1234"));
        screen.Save();
    }
    if (!messages.shown.empty())
        state.SkipWithError("the save showed a message");
}
BENCHMARK(BM_SaveLine)->Arg(50)->Arg(500)->Unit(benchmark::kMillisecond);

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
