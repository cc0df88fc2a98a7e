// The claim list of a month with 2,000 claims: open (load and fill) and
// refill; and one save of a full kind-1 claim with the list refill after it.
// Then the save of a new claim in a large clinic after one and after ten
// years (1,000 claims a month with every figure filled), with the program's
// resident memory before the first save and after the last, since a save
// that reads the history keeps its pages.

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
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

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

constexpr int kClaimsPerMonth = 1000;
constexpr int kClaimsPerStatement = 250;

QString YearMonth(int m) {
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
        db.Execute(QStringLiteral("INSERT INTO T_年月 (年月) VALUES ('%1')").arg(YearMonth(m)));
        for (int first = 0; first < kClaimsPerMonth; first += kClaimsPerStatement) {
            QStringList rows;
            for (int i = first; i < first + kClaimsPerStatement; ++i) {
                QStringList values = {u'\'' + YearMonth(m) + u'\'',
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
    gNengetu = YearMonth(years * 12 - 1);
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
