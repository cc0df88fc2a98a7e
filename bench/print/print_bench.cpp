// Speed of the month's print runs through the real report engine, over a
// month of 1,000 claims: the claim batch (goal < 2 s to the shown preview,
// read-back of every symbol included) and the summary run with its work table
// rebuilt from the claims (goal < 5 s). The batch is also taken step by step
// through the functions the real run calls: the payloads from the stored
// rows, the QR symbols (encoding and drawing, then the read-back alone),
// loading the document into the preview until its first page is drawn, and a
// single claim form from its print button to the shown preview (goal < 0.3 s).

#include "claim_batch.h"
#include "claim_qr.h"
#include "db/dao.h"
#include "frm_preview.h"
#include "globals.h"
#include "message_box.h"
#include "modal_screen.h"
#include "print_context.h"
#include "qr_self_check.h"
#include "qr_symbol.h"
#include "qvbarqr_library.h"
#include "shift_jis.h"
#include "soukatu_work.h"
#include "temp_database.h"

#include <QApplication>
#include <QPdfDocument>
#include <benchmark/benchmark.h>

namespace tabulon {
namespace {

constexpr int kClaims = 1000;

// A month of claims of all six kinds in turn, or all of `onlyKind`, every
// visible box filled.
void fillMonth(Database& db, int claims, int onlyKind) {
    auto rs = db.OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
    for (int i = 0; i < claims; ++i) {
        const int kind = onlyKind ? onlyKind : i % 6 + 1;
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

QString monthQuery() {
    return QStringLiteral("SELECT * From T_請求書 Where 年月 = '") + gNengetu + QStringLiteral("'");
}

// The preview as the clerk gets it: the document loaded and its first page
// drawn, then closed.
int showPreview(QDialog& dialog) {
    if (auto* preview = qobject_cast<frmPreview*>(&dialog)) {
        QPdfDocument& document = preview->QvView1().Document();
        const QSizeF points = document.pagePointSize(0);
        benchmark::DoNotOptimize(document.render(0, (points * 96 / 72.0).toSize()));
    }
    return QDialog::Accepted;
}

struct Month {
    explicit Month(int claims = kClaims, int onlyKind = 0) {
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
        fillMonth(db.db(), claims, onlyKind);
    }
    // The payload of every claim, as the batch builds it.
    QStringList Payloads() {
        QStringList payloads;
        auto rows = db.db().OpenRecordset(monthQuery());
        for (; !rows->Eof(); rows->MoveNext()) {
            const int kind = rows->Fields(QStringLiteral("請求書種類")).Text().toInt();
            gQRKind = kind <= 2   ? QStringLiteral("1")
                      : kind <= 4 ? QStringLiteral("3")
                                  : QStringLiteral("4");
            BuildClaimQRFromDb(monthQuery() + QStringLiteral(" and 保険者番号 = '") +
                                   rows->Fields(QStringLiteral("保険者番号")).Text() +
                                   QStringLiteral("'"),
                               kind % 2 == 0 ? 2 : 5);
            payloads << gQRText;
        }
        return payloads;
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
BENCHMARK(BM_ClaimBatch)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Payloads(benchmark::State& state) {
    Month month;
    for (auto _ : state)
        benchmark::DoNotOptimize(month.Payloads());
    state.counters["claims"] = kClaims;
}
BENCHMARK(BM_Payloads)->Unit(benchmark::kMillisecond)->Iterations(1);

// Encoding, drawing and reading back every claim's symbol at 600 dpi.
void BM_QRSymbolsWithReadBack(benchmark::State& state) {
    Month month;
    const QStringList payloads = month.Payloads();
    QString error;
    for (auto _ : state)
        for (const QString& payload : payloads) {
            QRSymbolRequest request;
            request.data = payload;
            QRSymbol symbol;
            if (MakeQRSymbol(request, 600, symbol, error) != 0)
                state.SkipWithError(error.toUtf8().constData());
        }
    state.counters["symbols"] = static_cast<double>(payloads.size());
}
BENCHMARK(BM_QRSymbolsWithReadBack)->Unit(benchmark::kMillisecond)->Iterations(1);

// The read-back alone: the second drawing on the bitmap and its decoding.
void BM_ReadBackOnly(benchmark::State& state) {
    Month month;
    const QvBarQRLibrary* lib = QvBarQRLibrary::Get();
    std::vector<QByteArray> data;
    for (const QString& payload : month.Payloads())
        data.push_back(*ToShiftJis(payload));
    std::vector<std::pair<QRParam, QRDrawInfo>> records;
    for (const QByteArray& bytes : data) {
        QRParam param;
        QRDrawInfo draw;
        lib->DefaultStruct(&param, &draw);
        param.ecLevel = 1;
        param.data = bytes.constData();
        param.dataLen = static_cast<int32_t>(bytes.size());
        lib->CheckData(&param);
        records.emplace_back(param, draw);
    }
    QString error;
    for (auto _ : state)
        for (const auto& [param, draw] : records)
            if (ReadBackQRSymbol(*lib, param, draw, error) != 0)
                state.SkipWithError(error.toUtf8().constData());
    state.counters["symbols"] = static_cast<double>(records.size());
}
BENCHMARK(BM_ReadBackOnly)->Unit(benchmark::kMillisecond)->Iterations(1);

// Loading the batch's document into a new preview and drawing its first page.
void BM_PreviewLoad(benchmark::State& state) {
    Month month;
    PrintClaimsOfMonth();
    const QString pdf = DocumentPath(QStringLiteral("請求書一括"));
    for (auto _ : state) {
        frmPreview preview;
        preview.QvView1().ViewFile(pdf);
        showPreview(preview);
    }
}
BENCHMARK(BM_PreviewLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

// The clerk's whole wait: 請求書一括印刷 to the preview with its first page.
// Argument 0: the six kinds in turn; 1: all of kind 1, the form with the most
// content to write.
void BM_BatchToPreview(benchmark::State& state) {
    Month month(kClaims, static_cast<int>(state.range(0)));
    SetModalHandler(showPreview);
    for (auto _ : state)
        PrintClaimsOfMonth();
    if (!month.messages.isEmpty())
        state.SkipWithError(month.messages.first().toStdString().c_str());
}
BENCHMARK(BM_BatchToPreview)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// One claim form, print button to preview (a batch of one stored claim runs
// the same engine calls as the entry screen's 請求書印刷).
void BM_SingleClaimToPreview(benchmark::State& state) {
    Month month(1);
    SetModalHandler(showPreview);
    for (auto _ : state)
        PrintClaimsOfMonth();
    if (!month.messages.isEmpty())
        state.SkipWithError(month.messages.first().toStdString().c_str());
}
BENCHMARK(BM_SingleClaimToPreview)->Unit(benchmark::kMillisecond)->Iterations(10);

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
