#include "summary_line.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(SummaryFigureColumn, MapsEachBoxToItsColumn) {
    EXPECT_EQ(SummaryFigureColumn(FigKensuu, 0), "一般_入院_件数");
    EXPECT_EQ(SummaryFigureColumn(FigJitunisuu, 1), "退職_入院_実日数");
    EXPECT_EQ(SummaryFigureColumn(FigSyokuji, 2), "老人_入院_食事");
    EXPECT_EQ(SummaryFigureColumn(FigTensuu, 3), "一般_外来_点数");
    EXPECT_EQ(SummaryFigureColumn(FigKensuu, 5), "老人_外来_件数");
    for (int i = 3; i < 6; ++i)
        EXPECT_TRUE(SummaryFigureColumn(FigSyokuji, i).isEmpty());
}

TEST(SummaryListFigureColumns, FollowTheListOrder) {
    const auto& c = SummaryListFigureColumns();
    EXPECT_EQ(c[0], "一般_入院_件数");
    EXPECT_EQ(c[3], "一般_入院_食事");
    EXPECT_EQ(c[11], "老人_入院_食事");
    EXPECT_EQ(c[12], "一般_外来_件数");
    EXPECT_EQ(c[20], "老人_外来_点数");
    EXPECT_EQ(c[21], "公費件数");
    EXPECT_EQ(c[22], "福祉件数");
}

TEST(SummaryLineSql, BuildsTheStatementsOfOneLine) {
    EXPECT_EQ(OneLineSql("3805", "231009", "01", 1, 2),
              "SELECT * From T_総括表明細 where 年月 = '3805' and 保険者番号 = '231009' and "
              "診療科 = '01' and 総括表種類 = '1' and 連番 = 2");
    EXPECT_EQ(DeleteLineSql("3805", "231009", "", 3, 1),
              "DELETE * From T_総括表明細 where 年月 = '3805' and 保険者番号 = '231009' and "
              "診療科 = '' and 総括表種類 = '3' and 連番 = 1");
    EXPECT_EQ(SameKeyLinesSql("3805", "231009", "", 2),
              "SELECT * From T_総括表明細 where 年月 = '3805' and 保険者番号 = '231009' and "
              "診療科 = '' and 総括表種類 = '2' Order By 連番");
    EXPECT_EQ(MonthLinesSql("3805"),
              "SELECT * From T_総括表明細 Where 年月 = '3805' ORDER BY "
              "Mid(Format(保険者番号,'@@@@@@@@'),3,6), Mid(Format(保険者番号,'@@@@@@@@'),1,2), "
              "診療科");
}

TEST(SummaryLineSql, AQuoteInAValueCannotEndTheString) {
    EXPECT_EQ(OneLineSql("3805", "1' or '1'='1", "", 1, 1),
              "SELECT * From T_総括表明細 where 年月 = '3805' and 保険者番号 = '1'' or ''1''=''1' "
              "and 診療科 = '' and 総括表種類 = '1' and 連番 = 1");
}

TEST(SummaryKindName, NamesTheThreeKinds) {
    EXPECT_EQ(SummaryKindName(1), "医科");
    EXPECT_EQ(SummaryKindName(2), "歯科");
    EXPECT_EQ(SummaryKindName(3), "調剤");
    EXPECT_TRUE(SummaryKindName(4).isEmpty());
}

} // namespace
} // namespace tabulon
