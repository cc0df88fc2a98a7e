// Opens a batch of 300 claim pages in the preview window, as the batch print
// does at its end: the window shown and painted once with the first page.

#include "frm_preview.h"
#include "qv_draw.h"
#include "qvbarqr_library.h"

#include <QApplication>
#include <QPdfView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace tabulon {
namespace {

// A document of `pages` claim pages with their figures and QR symbol; empty
// when the engine could not make it.
QString PrintBatch(const QTemporaryDir& dir, int pages) {
    QvBarQRLibrary::SetFolder(QStringLiteral(TABULON_BUILD_DIR));
    QvDraw engine;
    const QString path = dir.filePath(QStringLiteral("請求書一括.pdf"));
    if (engine.Init() != 0 || engine.StartDoc(path, QStringLiteral("請求書一括")) != 0)
        return {};
    for (int page = 0; page < pages; ++page) {
        auto form = engine.OpenForm(QStringLiteral(TABULON_SOURCE_DIR "/form/seikyuu1.qvf"));
        for (int n = 1; n <= 10; ++n)
            form->Fields(QStringLiteral("Kensuu%1").arg(n)).FieldText(QString::number(page));
        form->Fields(QStringLiteral("QR1"))
            .QRObject()
            .QRData(QStringLiteral("13130000%1").arg(page, 8, 10, QLatin1Char('0')));
        form->Fields(QStringLiteral("QR1")).FieldSize(2500);
        if (form->PrintPage() != 0)
            return {};
        form->CloseForm();
    }
    return engine.EndDoc() == 0 ? path : QString();
}

void BM_OpenBatchInPreview(benchmark::State& state) {
    QTemporaryDir dir;
    const QString pdf = PrintBatch(dir, static_cast<int>(state.range(0)));
    if (pdf.isEmpty()) {
        state.SkipWithError("the batch was not printed");
        return;
    }
    for (auto _ : state) {
        frmPreview preview;
        preview.QvView1().ViewFile(pdf);
        preview.show();
        preview.QvView1().View().viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(preview.QvView1().PageCount());
    }
}
BENCHMARK(BM_OpenBatchInPreview)->Arg(300)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tabulon
