// The month as the check reads it from the database: every stored figure comes
// back in its place, on the file and on the server.

#include "month_generator.h"
#include "stored_month.h"
#include "temp_database.h"
#include "tenken_source.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace tabulon::test {
namespace {

QList<TenkenClaim> ByKey(QList<TenkenClaim> claims) {
    std::sort(claims.begin(), claims.end(), [](const TenkenClaim& a, const TenkenClaim& b) {
        return std::tie(a.bangou, a.sinryouka, a.kind, a.renban) <
               std::tie(b.bangou, b.sinryouka, b.kind, b.renban);
    });
    return claims;
}

// The month before is read for its points alone.
QList<TenkenClaim> PointsOnly(const QList<TenkenClaim>& claims) {
    QList<TenkenClaim> points;
    for (const TenkenClaim& c : claims) {
        TenkenClaim p;
        p.bangou = c.bangou;
        p.sinryouka = c.sinryouka;
        p.kind = c.kind;
        p.renban = c.renban;
        for (size_t i = 0; i < c.care.size(); ++i)
            p.care[i].tensuu = c.care[i].tensuu;
        points << p;
    }
    return points;
}

TEST(TenkenSourceTest, EveryStoredFigureComesBackInItsPlace) {
    // A figure is never typed with the unit separator the reading joins
    // figures with, but one stored with it must still come back whole.
    const QString joiner = QStringLiteral("12\x1f"
                                          "3");
    const std::vector<std::pair<const char*, std::function<void(TenkenMonth&)>>> cases{
        {"as generated", [](TenkenMonth&) {}},
        {"the separator in a figure",
         [&](TenkenMonth& m) { m.claims[3].food[0].kingaku = joiner; }},
        {"the separator in the last figure", [&](TenkenMonth& m) { m.claims[0].uba = joiner; }},
        {"the separator in the month before",
         [&](TenkenMonth& m) { m.previousClaims[5].care[19].tensuu = joiner; }},
    };
    for (const auto& [name, change] : cases) {
        TempDatabase database;
        TenkenMonth month = PlantedMonthOf(20, 5).month;
        change(month);
        StoreClaims(database.db(), "3805", month.claims);
        StoreClaims(database.db(), "3804", month.previousClaims);
        const TenkenMonth read = ReadTenkenMonth(database.db(), "3805");
        EXPECT_TRUE(ByKey(read.claims) == ByKey(month.claims)) << name;
        EXPECT_TRUE(ByKey(read.previousClaims) == ByKey(PointsOnly(month.previousClaims))) << name;
    }
}

} // namespace
} // namespace tabulon::test
