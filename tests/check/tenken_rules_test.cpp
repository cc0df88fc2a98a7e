// The rules of the pre-claim check on rows: a generated month with planted
// slips gives exactly those findings, and each rule holds at its boundary.

#include "month_generator.h"
#include "tenken_source.h"

#include <functional>
#include <gtest/gtest.h>

namespace tabulon::test {
namespace {

TEST(TenkenMonthTest, PlantedSlipsAreFoundAndNothingElse) {
    for (const unsigned seed : {1u, 77u, 4242u}) {
        const PlantedMonth planted = PlantedMonthOf(30, seed);
        // Sixteen slips on claims, nine on summary lines.
        ASSERT_EQ(planted.expected.size(), 25);
        EXPECT_EQ(FindingIds(CheckMonth(planted.month)), planted.expected) << "seed " << seed;
    }
}

TEST(TenkenMonthTest, CleanMonthHasNoFinding) {
    TenkenMonth month;
    for (int i = 0; i < 60; ++i)
        month.claims << CleanClaim(i % 6 + 1, ValidBangou(i + 1), 9000u + i);
    month.previousClaims = month.claims;
    for (int i = 0; i < 9; ++i)
        month.summaryLines << CleanSummaryLine(i % 3 + 1, ValidBangou(i + 100), 700u + i);
    EXPECT_TRUE(CheckMonth(month).isEmpty());
}

// A medical claim at the edge of every rule: days equal to the cases, the
// share at ten yen a point, meals for every inpatient case, funded cases equal
// to all cases.
TenkenClaim EdgeClaim() {
    TenkenClaim c;
    c.bangou = QStringLiteral("231233"); // 23 + 123 + its check digit
    c.kind = 1;
    c.renban = 1;
    c.care[0] = {"2", "2", "100", "1000"};
    c.food[0] = {"2", "6", "2760", "1560"};
    c.care[1] = {"3", "3", "300", "3000"};
    c.kouhi = "5";
    c.uba = "5";
    return c;
}

struct EdgeCase {
    const char* name;
    std::function<void(TenkenClaim&)> change;
    QStringList expected; // "box index" or "where" of each finding, in order
};

QStringList Places(const QList<TenkenFinding>& findings) {
    QStringList places;
    for (const TenkenFinding& f : findings)
        places << (f.box.isEmpty() ? f.where : f.box + u' ' + QString::number(f.index));
    return places;
}

TEST(TenkenRulesTest, EachRuleAtItsBoundary) {
    using C = TenkenClaim;
    const std::vector<EdgeCase> cases{
        {"edges hold", [](C&) {}, {}},
        {"wrong check digit", [](C& c) { c.bangou = "231234"; }, {"txtBangou -1"}},
        {"eight digits", [](C& c) { c.bangou = "00231233"; }, {}},
        {"eight digits wrong", [](C& c) { c.bangou = "00231230"; }, {"txtBangou -1"}},
        {"three digits are not judged", [](C& c) { c.bangou = "123"; }, {}},
        {"cases without points",
         [](C& c) {
             c.care[1].tensuu = "";
             c.care[1].futankin = "";
         },
         {"txtTensuu 1"}},
        {"points without cases",
         [](C& c) {
             c.care[1] = {"", "", "300", ""};
             c.kouhi = c.uba = "2";
         },
         {"txtKensuu 1"}},
        {"zero cases and no points",
         [](C& c) {
             c.care[3] = {"0", "", "", ""};
         },
         {}},
        {"a day short", [](C& c) { c.care[1].jitunisuu = "2"; }, {"txtJitunisuu 1"}},
        {"no days", [](C& c) { c.care[0].jitunisuu = ""; }, {"txtJitunisuu 0"}},
        {"share a yen over", [](C& c) { c.care[1].futankin = "3001"; }, {"txtFutankin 1"}},
        {"meals without cases", [](C& c) { c.food[0].kensuu = ""; }, {"txtKensuu2 0"}},
        {"meals without count", [](C& c) { c.food[0].nisuu = "0"; }, {"txtNisuu 0"}},
        {"meal cases over inpatients", [](C& c) { c.food[0].kensuu = "3"; }, {"txtKensuu2 0"}},
        {"公費 over the cases", [](C& c) { c.kouhi = "6"; }, {"txtKouhi -1"}},
        {"福祉 over the cases", [](C& c) { c.uba = "6"; }, {"txtUba -1"}},
        {"nothing typed",
         [](C& c) {
             const QString bangou = c.bangou;
             c = C{};
             c.bangou = bangou;
             c.kind = 1;
         },
         {""}},
        {"points fill eight places", [](C& c) { c.care[1].tensuu = "99999999"; }, {}},
        {"points beyond eight places",
         [](C& c) { c.care[1].tensuu = "100000000"; },
         {"txtTensuu 1"}},
        {"leading zeros take no place", [](C& c) { c.care[1].tensuu = "0000000300"; }, {}},
        // Figures other than plain digits count as Qt reads them.
        {"days with a sign and spaces", [](C& c) { c.care[1].jitunisuu = " +3 "; }, {}},
        {"a negative share is under any cost", [](C& c) { c.care[1].futankin = "-1"; }, {}},
        {"nineteen digits still count",
         [](C& c) { c.care[1].tensuu = "1000000000000000000"; },
         {"txtTensuu 1", "一般 入院外 点数"}},
        {"beyond 64 bits is no number",
         [](C& c) { c.care[1].tensuu = "99999999999999999999"; },
         {"txtTensuu 1", "txtFutankin 1", "txtTensuu 1"}},
        {"公費 beyond four places",
         [](C& c) {
             c.care[1] = {"9999", "9999", "99999", "0"};
             c.kouhi = "10000";
         },
         {"txtKouhi -1"}},
        {"row totals beyond the retained list's places",
         [](C& c) {
             for (const int i : {1, 3, 5, 7, 9})
                 c.care[static_cast<size_t>(i)] = {"2000", "2000", "2000", "0"};
         },
         {"一般 入院外 件数"}},
    };
    for (const EdgeCase& test : cases) {
        TenkenClaim claim = EdgeClaim();
        test.change(claim);
        TenkenMonth month;
        month.claims << claim;
        const QList<TenkenFinding> findings = CheckMonth(month);
        QList<TenkenFinding> onClaim;
        for (const TenkenFinding& f : findings)
            if (f.subject == TenkenSubject::Claim)
                onClaim << f;
        EXPECT_EQ(Places(onClaim), test.expected) << test.name;
        for (const TenkenFinding& f : onClaim)
            EXPECT_EQ(f.grade, TenkenGrade::Error) << test.name;
    }
}

TEST(TenkenRulesTest, MonthTotalsAgainstTheSummaryTablePlaces) {
    struct Case {
        int kind;
        QString kensuu; // 件数 of each of three claims' first 外来 line
        QStringList expected;
    };
    const std::vector<Case> cases{
        {1, "3333", {}},
        {1, "3334", {"総括表（医） 一般 入院外 件数"}},
        // 後期高齢 claims make the 老人 lines of the table.
        {2, "3334", {"総括表（医） 後期高齢 入院外 件数"}},
        // Pharmacy totals: 入院 lines print as nothing.
        {5, "3334", {"総括表（調） 一般 入院外 件数"}},
    };
    for (const Case& test : cases) {
        TenkenMonth month;
        for (int i = 0; i < 3; ++i) {
            TenkenClaim c;
            c.bangou = ValidBangou(i + 1);
            c.kind = test.kind;
            c.care[1] = {test.kensuu, test.kensuu, "1000000", ""};
            month.claims << c;
        }
        QStringList places;
        for (const TenkenFinding& f : CheckMonth(month)) {
            EXPECT_EQ(f.subject, TenkenSubject::MonthTotal);
            places << f.where;
        }
        EXPECT_EQ(places, test.expected) << test.kind << ' ' << test.kensuu.toStdString();
    }
}

TEST(TenkenRulesTest, TheFindingSaysWhatPrintsInstead) {
    TenkenClaim c = EdgeClaim();
    c.care[1].tensuu = "149985000";
    TenkenMonth month;
    month.claims << c;
    const QList<TenkenFinding> findings = CheckMonth(month);
    ASSERT_EQ(findings.size(), 1);
    EXPECT_EQ(findings[0].text,
              "数字 149985000 は8桁の欄に入りきりません（49985000 と印刷されます）。");
}

TEST(TenkenSourceTest, PreviousMonthCrossesTheYear) {
    EXPECT_EQ(PreviousNengetu("3805"), "3804");
    EXPECT_EQ(PreviousNengetu("3801"), "3712");
    EXPECT_EQ(PreviousNengetu("3810"), "3809");
}

} // namespace
} // namespace tabulon::test
