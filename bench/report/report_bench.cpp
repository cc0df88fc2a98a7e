// Writes a document of 1,000 claim pages, each with its figures and a QR
// symbol of a 250-character payload, as a batch print does.

#include "qv_draw.h"
#include "qvbarqr_library.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace tabulon {
namespace {

QString Payload(int page) {
    return QStringLiteral("13130000%1")
        .arg(page, 8, 10, QLatin1Char('0'))
        .leftJustified(250, QLatin1Char('0'));
}

void BM_ClaimPagesWithQR(benchmark::State& state) {
    QvBarQRLibrary::SetFolder(QStringLiteral(TABULON_BUILD_DIR));
    const QString layout = QStringLiteral(TABULON_SOURCE_DIR "/form/seikyuu1.qvf");
    const int pages = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    QvDraw engine;
    for (auto _ : state) {
        if (engine.Init() != 0 || engine.StartDoc(dir.filePath(QStringLiteral("請求書一括.pdf")),
                                                  QStringLiteral("請求書一括")) != 0) {
            state.SkipWithError("engine did not start");
            return;
        }
        for (int page = 0; page < pages; ++page) {
            // One form per claim, as the batch print opens them.
            auto form = engine.OpenForm(layout);
            if (engine.Printer().SetPaper(*form) != 0) {
                state.SkipWithError(engine.LastError().toUtf8().constData());
                return;
            }
            for (int n = 1; n <= 10; ++n) {
                form->Fields(QStringLiteral("Kensuu%1").arg(n))
                    .FieldText(QString::number(page % 9999));
                form->Fields(QStringLiteral("Tensuu%1").arg(n))
                    .FieldText(QString::number(123456789 - page));
            }
            form->Fields(QStringLiteral("QR1")).QRObject().QRData(Payload(page));
            form->Fields(QStringLiteral("QR1")).FieldSize(2500);
            if (const int rc = form->PrintPage()) {
                state.SkipWithError(QStringLiteral("PrintPage %1: %2")
                                        .arg(rc)
                                        .arg(engine.LastError())
                                        .toUtf8()
                                        .constData());
                return;
            }
            form->CloseForm();
        }
        if (engine.EndDoc() != 0)
            state.SkipWithError("EndDoc failed");
    }
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ClaimPagesWithQR)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace tabulon

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The preview benchmark opens a window.
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
