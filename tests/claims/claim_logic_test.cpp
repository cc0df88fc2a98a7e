// The claim kinds, the box-to-column mapping, the insurer-number rule and the
// statements, without screens or a database.

#include "claim_columns.h"
#include "claim_kinds.h"
#include "claim_sql.h"
#include "helpers/check_digit.h"
#include "insurer_number.h"

#include <QSet>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(ClaimKinds, NamesByTextCodeAndNothingElse) {
    EXPECT_EQ(SyuruiName("1"), "医科（一般・退職）");
    EXPECT_EQ(SyuruiName("4"), "歯科（後期高齢）");
    EXPECT_EQ(SyuruiName("6"), "調剤（後期高齢）");
    for (const char* code : {"7", "0", "", "11", "a", " 1"})
        EXPECT_EQ(SyuruiName(code), "") << code;
    EXPECT_EQ(FindClaimKind(0), nullptr);
    EXPECT_EQ(FindClaimKind(7), nullptr);
    EXPECT_THROW(ClaimKindOf(9), std::invalid_argument);
}

TEST(ClaimColumns, GridBoxesNameTheirColumns) {
    EXPECT_EQ(FigureColumn("txtKensuu", 0), "一般_療養_入院_件数_1");
    EXPECT_EQ(FigureColumn("txtFutankin", 9), "一般_療養_外来_負担金_5");
    EXPECT_EQ(FigureColumn("txtKensuu", 11), "退職_療養_外来_件数_1");
    EXPECT_EQ(FigureColumn("txtJitunisuu", 16), "退職_療養_入院_実日数_4");
    EXPECT_EQ(FigureColumn("txtNisuu", 2), "一般_食事_日数_2");
    EXPECT_EQ(FigureColumn("txtFutangaku", 18), "退職_食事_負担額_5");
}

TEST(ClaimColumns, KindOneWritesAllHundredAndTwentyFigureColumnsOnce) {
    const QList<BoxColumn> columns = SavedFigureColumns(ClaimKindOf(1));
    QSet<QString> names;
    for (const BoxColumn& c : columns)
        names.insert(c.column);
    EXPECT_EQ(columns.size(), 120);
    EXPECT_EQ(names.size(), 120);
    // The hidden 退職 rows 2 and 3 are written like the others.
    EXPECT_TRUE(names.contains("退職_療養_入院_件数_2"));
    EXPECT_TRUE(names.contains("退職_食事_金額_3"));
    // Order of writing: 入院, food, 外来 of row 1 of 一般 first.
    EXPECT_EQ(columns.at(0).column, "一般_療養_入院_件数_1");
    EXPECT_EQ(columns.at(4).column, "一般_食事_件数_1");
    EXPECT_EQ(columns.at(8).column, "一般_療養_外来_件数_1");
    EXPECT_EQ(columns.at(8).index, 1);
    EXPECT_EQ(columns.at(60).column, "退職_療養_入院_件数_1");
    EXPECT_EQ(columns.at(60).index, 10);
}

TEST(ClaimColumns, EachKindWritesItsSectionsAndSettings) {
    struct Expect {
        int kind;
        qsizetype saved;
        qsizetype loaded;
        bool inpatient;
        bool food;
        bool retired;
    };
    for (const Expect& e :
         {Expect{2, 24, 24, true, true, false}, Expect{3, 80, 80, true, false, true},
          Expect{4, 16, 16, true, false, false}, Expect{5, 40, 80, false, false, true},
          Expect{6, 8, 16, false, false, false}}) {
        const ClaimKind& kind = ClaimKindOf(e.kind);
        const QList<BoxColumn> saved = SavedFigureColumns(kind);
        EXPECT_EQ(saved.size(), e.saved) << e.kind;
        EXPECT_EQ(LoadedFigureColumns(kind, kind.lastRowIndex).size(), e.loaded) << e.kind;
        bool inpatient = false, food = false, retired = false;
        for (const BoxColumn& c : saved) {
            inpatient |= c.column.contains("入院");
            food |= c.column.contains("食事");
            retired |= c.column.startsWith("退職");
            if (!kind.retired) {
                EXPECT_FALSE(c.column.endsWith("_3")) << e.kind << c.column.toStdString();
            }
        }
        if (!kind.retired) {
            EXPECT_EQ(saved.last().column.right(2), "_2");
        }
        EXPECT_EQ(inpatient, e.inpatient) << e.kind;
        EXPECT_EQ(food, e.food) << e.kind;
        EXPECT_EQ(retired, e.retired) << e.kind;
    }
}

TEST(InsurerNumber, LengthsAndThreeDigitExpansionByKind) {
    using Result = BangouCheck::Result;
    const ClaimKind& kokuho = ClaimKindOf(1);
    const ClaimKind& kouki = ClaimKindOf(2);

    const BangouCheck six = CheckBangou(kokuho, "123");
    EXPECT_EQ(six.result, Result::Ok);
    EXPECT_EQ(six.bangou, "23123" + CheckDigit("23123"));
    EXPECT_TRUE(six.expanded);
    const BangouCheck eight = CheckBangou(kouki, "123");
    EXPECT_EQ(eight.bangou, "0023123" + CheckDigit("0023123"));
    EXPECT_EQ(eight.bangou.size(), 8);
    EXPECT_EQ(ExpandBangou(ClaimKindOf(3), "101"), "231019");

    EXPECT_EQ(CheckBangou(kouki, "12345678").bangou, "12345678");
    EXPECT_EQ(CheckBangou(kouki, "123456").result, Result::Ok);
    EXPECT_EQ(CheckBangou(kokuho, "123456").result, Result::Ok);
    EXPECT_EQ(CheckBangou(kokuho, "").result, Result::Empty);
    EXPECT_EQ(CheckBangou(kokuho, "").message, "保険者番号を入力してください。");
    for (const char* typed : {"1", "12", "1234", "12345", "12345678"}) {
        const BangouCheck c = CheckBangou(ClaimKindOf(3), typed);
        EXPECT_EQ(c.result, Result::WrongLength) << typed;
        EXPECT_EQ(c.message, "保険者番号は、３桁 もしくは ６桁で入力してください。");
    }
    for (const char* typed : {"1234", "12345", "1234567"}) {
        const BangouCheck c = CheckBangou(ClaimKindOf(6), typed);
        EXPECT_EQ(c.result, Result::WrongLength) << typed;
        EXPECT_EQ(c.message, "保険者番号は、３桁・６桁・８桁で入力してください。");
    }
}

TEST(ClaimStatements, ExactTextsWithEscapedValues) {
    const ClaimKey key{"3805", "231019", "01", 2, 3};
    EXPECT_EQ(ClaimQuery(key),
              "SELECT * From T_請求書 where 年月 = '3805' and 保険者番号 = '231019' and 診療科 = "
              "'01' and 請求書種類 = '2' and 連番 = 3");
    EXPECT_EQ(ClaimDeleteStatement(key),
              "DELETE * From T_請求書 where 年月 = '3805' and 保険者番号 = '231019' and 診療科 = "
              "'01' and 請求書種類 = '2' and 連番 = 3");
    EXPECT_EQ(RenbanQuery(key),
              "SELECT * From T_請求書 where 年月 = '3805' and 保険者番号 = '231019' and 診療科 = "
              "'01' and 請求書種類 = '2' Order By 連番");
    EXPECT_EQ(ClaimListQuery("3805"),
              "SELECT * From T_請求書 Where 年月 = '3805' ORDER BY "
              "Mid(Format(保険者番号,'@@@@@@@@'),3,6), Mid(Format(保険者番号,'@@@@@@@@'),1,2), "
              "診療科, 請求書種類");
    EXPECT_TRUE(ClaimQuery({"38'05", "1' or '1'='1", "", 1, 1})
                    .contains("保険者番号 = '1'' or ''1''=''1'"));
}

} // namespace
} // namespace tabulon
