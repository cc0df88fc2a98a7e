// Which backup generations stay: starts are played with the clock of each
// start, every one setting the file aside and pruning as start-up does, and
// the folder must then hold exactly the generations of the table.

#include "backup/generations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

// The times of the starts of one day (none on a closed day).
using Starts = std::function<std::vector<QTime>(const QDate&)>;

struct RetentionCase {
    const char* name;
    QDate first;
    QDate last;
    Starts starts;
    QStringList remaining; // generation stamps "yyyyMMdd-HHmmss", any order
};

// "yyyyMMdd-HHmmss" of `time` on each day from `from` to `to` on which `open`.
QStringList EachDay(QDate from, QDate to, const char* time,
                    const std::function<bool(const QDate&)>& open) {
    QStringList stamps;
    for (QDate d = from; d <= to; d = d.addDays(1))
        if (open(d))
            stamps << d.toString(QStringLiteral("yyyyMMdd-")) + QLatin1String(time);
    return stamps;
}

bool NotSunday(const QDate& d) {
    return d.dayOfWeek() != Qt::Sunday;
}

bool EveryDay(const QDate&) {
    return true;
}

bool OnTheFirstEleventhAndTwentyFirst(const QDate& d) {
    return d.day() % 10 == 1 && d.day() != 31;
}

std::vector<RetentionCase> Cases() {
    const QTime morning(8, 30), noon(12, 10), evening(17, 45);
    std::vector<RetentionCase> cases;

    // 2026-09-01 to 11-30, closed on Sundays (11-29 is one).
    cases.push_back({"ThreeStartsAWorkingDay",
                     QDate(2026, 9, 1),
                     QDate(2026, 11, 30),
                     [=](const QDate& d) {
                         return NotSunday(d) ? std::vector<QTime>{morning, noon, evening}
                                             : std::vector<QTime>{};
                     },
                     {}});
    // Newest ten: all of 11-30, 11-28 and 11-27, and the evening of 11-26.
    cases.back().remaining << "20261130-083000"
                           << "20261130-121000"
                           << "20261128-083000"
                           << "20261128-121000"
                           << "20261127-083000"
                           << "20261127-121000";
    // The evening of each of the last 30 working days reaches back to 10-27.
    cases.back().remaining << EachDay(QDate(2026, 10, 27), QDate(2026, 11, 30), "174500",
                                      NotSunday);
    // September's newest stays for its month.
    cases.back().remaining << "20260930-174500";

    // One start a day, then twelve on the last day, hourly from 08:00.
    cases.push_back({"ABusyLastDay",
                     QDate(2026, 9, 1),
                     QDate(2026, 11, 30),
                     [](const QDate& d) {
                         std::vector<QTime> times;
                         if (d != QDate(2026, 11, 30))
                             return std::vector<QTime>{QTime(9, 0)};
                         for (int hour = 8; hour < 20; ++hour)
                             times.push_back(QTime(hour, 0));
                         return times;
                     },
                     {}});
    for (int hour = 10; hour < 20; ++hour)
        cases.back().remaining
            << QStringLiteral("20261130-%1").arg(hour * 10000, 6, 10, QChar(u'0'));
    cases.back().remaining << EachDay(QDate(2026, 11, 1), QDate(2026, 11, 29), "090000", EveryDay)
                           << "20261031-090000"
                           << "20260930-090000";

    // Three starts a month for two years: the days reach back ten months,
    // the months twelve.
    cases.push_back({"ThreeStartsAMonthForTwoYears",
                     QDate(2024, 12, 1),
                     QDate(2026, 11, 30),
                     [](const QDate& d) {
                         return OnTheFirstEleventhAndTwentyFirst(d)
                                    ? std::vector<QTime>{QTime(10, 0)}
                                    : std::vector<QTime>{};
                     },
                     {}});
    cases.back().remaining << EachDay(QDate(2026, 2, 1), QDate(2026, 11, 30), "100000",
                                      OnTheFirstEleventhAndTwentyFirst)
                           << "20260121-100000"
                           << "20251221-100000";

    return cases;
}

class RetentionTest : public ::testing::TestWithParam<RetentionCase> {};

TEST_P(RetentionTest, PlayedStartsLeaveExactlyTheGenerationsOfTheRule) {
    const RetentionCase& c = GetParam();
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("db.mdb"));
    QFile file(database);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString folder = BackupFolderOf(database);
    for (QDate day = c.first; day <= c.last; day = day.addDays(1))
        for (const QTime& time : c.starts(day)) {
            KeepAsGeneration(database, QDateTime(day, time));
            PruneGenerations(folder);
        }
    QStringList remaining;
    for (const Generation& g : ListGenerations(folder))
        remaining << g.madeAt.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QStringList expected = c.remaining;
    std::sort(expected.begin(), expected.end(), std::greater<>());
    EXPECT_EQ(remaining.join(u' ').toStdString(), expected.join(u' ').toStdString());
    EXPECT_TRUE(QFile::exists(database));
}

INSTANTIATE_TEST_SUITE_P(QuarterYearsOfStarts, RetentionTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
