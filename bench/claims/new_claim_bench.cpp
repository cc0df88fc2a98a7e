// The save of a new claim (OK on an empty kind-1 screen, with the claim list
// of the month open) in a large clinic after one and after ten years: 1,000
// claims a month with every figure filled. Besides the time, the program's
// resident memory before the first save and after the last, since a save that
// reads the history leaves its pages with the process.

#include "claim_columns.h"
#include "claim_list.h"
#include "claim_screen.h"
#include "db/dao.h"
#include "globals.h"
#include "mdu_seikyusyo.h"
#include "temp_database.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

namespace tabulon {
namespace {

constexpr int kClaimsPerMonth = 1000;
constexpr int kClaimsPerStatement = 250;

QString Month(int m) {
    return QStringLiteral("%1%2").arg(20 + m / 12).arg(m % 12 + 1, 2, 10, QChar(u'0'));
}

double ResidentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.size() > 1 ? pages[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0 : 0;
}

QStringList ClaimColumns(Database& db) {
    auto rs = db.OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
    QStringList names;
    for (int i = 0; i < rs->FieldCount(); ++i)
        names << rs->Fields(i).Name();
    return names;
}

// Months of claims, written a few hundred rows to a statement so that the
// set-up stays short on both engines.
void FillMonths(Database& db, int months) {
    const QStringList columns = ClaimColumns(db);
    const QString insert =
        QStringLiteral("INSERT INTO T_請求書 (%1) VALUES ").arg(columns.join(u','));
    for (int m = 0; m < months; ++m) {
        db.Execute(QStringLiteral("INSERT INTO T_年月 (年月) VALUES ('%1')").arg(Month(m)));
        for (int first = 0; first < kClaimsPerMonth; first += kClaimsPerStatement) {
            QStringList rows;
            for (int i = first; i < first + kClaimsPerStatement; ++i) {
                QStringList values = {u'\'' + Month(m) + u'\'',
                                      QStringLiteral("'%1'").arg(138000 + i), QStringLiteral("''"),
                                      QStringLiteral("'%1'").arg(i % 6 + 1), QStringLiteral("1")};
                const QString figure = QStringLiteral("'%1'").arg(1000 + i);
                while (values.size() < columns.size())
                    values << figure;
                rows << u'(' + values.join(u',') + u')';
            }
            db.Execute(insert + rows.join(u','));
        }
    }
}

void BM_NewClaimSave(benchmark::State& state) {
    const int years = int(state.range(0));
    test::TempDatabase database;
    FillMonths(database.db(), years * 12);
    gNengetu = Month(years * 12 - 1);
    gSougou = "0";
    gSyubetu = "1";
    ClaimList list;
    ClaimScreen screen(1);
    int n = 0;
    for (const BoxColumn& c : SavedFigureColumns(screen.Kind()))
        screen.Box(c.box, c.index)->setText(QString::number(++n));
    screen.Box("txtBangou")->setText("138016");
    malloc_trim(0);
    const double before = ResidentMegabytes();
    for (auto _ : state) {
        CurrentClaim = {1, false, {}, {}, 0};
        SaveClaim(screen);
    }
    state.counters["claims"] = years * 12 * kClaimsPerMonth;
    state.counters["rss_before_MB"] = before;
    state.counters["rss_after_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_NewClaimSave)->Arg(1)->Arg(10)->Iterations(10)->Unit(benchmark::kMillisecond);

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
