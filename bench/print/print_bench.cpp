// Speed of the month's print runs through the real report engine, over a
// month of 1,000 claims: the claim batch (goal < 15 s) and the summary run
// with its work table rebuilt from the claims (goal < 5 s).

#include "claim_batch.h"
#include "db/dao.h"
#include "globals.h"
#include "message_box.h"
#include "modal_screen.h"
#include "print_context.h"
#include "qvbarqr_library.h"
#include "soukatu_work.h"
#include "temp_database.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace tabulon {
namespace {

constexpr int kClaims = 1000;

// A month of claims of all six kinds, every visible box filled.
void fillMonth(Database& db) {
    auto rs = db.OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
    for (int i = 0; i < kClaims; ++i) {
        const int kind = i % 6 + 1;
        rs->AddNew();
        rs->Fields(QStringLiteral("年月")).SetValue(gNengetu);
        rs->Fields(QStringLiteral("保険者番号")).SetValue(QString::number(100000 + i));
        rs->Fields(QStringLiteral("診療科")).SetValue(QString());
        rs->Fields(QStringLiteral("請求書種類")).SetValue(QString::number(kind));
        rs->Fields(QStringLiteral("連番")).SetValue(1);
        for (const char* section : {"一般", "退職"})
            for (int r = 1; r <= 5; ++r)
                for (const char* column : {"_療養_入院_件数_", "_療養_入院_点数_",
                                           "_療養_外来_件数_", "_療養_外来_実日数_",
                                           "_療養_外来_点数_", "_療養_外来_負担金_", "_食事_金額_"})
                    rs->Fields(QString::fromUtf8(section) + QString::fromUtf8(column) +
                               QString::number(r))
                        .SetValue(QString::number(10 * r + i % 97));
        rs->Fields(QStringLiteral("公費件数")).SetValue(QStringLiteral("1"));
        rs->Fields(QStringLiteral("福祉件数")).SetValue(QStringLiteral("2"));
        rs->Update();
    }
}

struct Month {
    Month() {
        QvBarQRLibrary::SetFolder(QStringLiteral(TABULON_BUILD_DIR));
        SetProgramFolder(QStringLiteral(TABULON_BUILD_DIR));
        SetModalHandler([](QDialog&) { return 0; });
        SetMessageHandler([this](const ShownMessage& m) {
            messages << m.text;
            return MsgAnswer::Ok;
        });
        gIryouCD = QStringLiteral("1234567");
        gNengetu = QStringLiteral("3805");
        gToday = QStringLiteral("4380612");
        gIryoukikan = QStringLiteral("所在地\r\n名称\r\n電話\r\n氏名");
        fillMonth(db.db());
    }
    test::TempDatabase db;
    QStringList messages;
};

void BM_ClaimBatch(benchmark::State& state) {
    Month month;
    for (auto _ : state)
        PrintClaimsOfMonth();
    if (!month.messages.isEmpty())
        state.SkipWithError(month.messages.first().toStdString().c_str());
    state.counters["claims"] = kClaims;
}
BENCHMARK(BM_ClaimBatch)->Unit(benchmark::kSecond)->Iterations(1);

void BM_SummaryRun(benchmark::State& state) {
    Month month;
    for (auto _ : state)
        PrintSummariesOfMonth();
    if (!month.messages.isEmpty())
        state.SkipWithError(month.messages.first().toStdString().c_str());
    state.counters["claims"] = kClaims;
}
BENCHMARK(BM_SummaryRun)->Unit(benchmark::kSecond)->Iterations(1);

// The two halves of the summary run: the work table, then the printing.
void BM_BuildSoukatuWork(benchmark::State& state) {
    Month month;
    for (auto _ : state)
        BuildSoukatuWork();
}
BENCHMARK(BM_BuildSoukatuWork)->Unit(benchmark::kSecond)->Iterations(1);

void BM_PrintAllSoukatu(benchmark::State& state) {
    Month month;
    BuildSoukatuWork();
    for (auto _ : state)
        PrintAllSoukatu();
}
BENCHMARK(BM_PrintAllSoukatu)->Unit(benchmark::kSecond)->Iterations(1);

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
