// The tables, keys and saved queries, and the sort orders and serial rule the
// screens build on them.

#include "temp_database.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

const QString kOrderClaimList =
    QStringLiteral(" ORDER BY Mid(Format(保険者番号,'@@@@@@@@'),3,6),") +
    QStringLiteral(" Mid(Format(保険者番号,'@@@@@@@@'),1,2), 診療科, 請求書種類");
const QString kOrderSummaryLines =
    QStringLiteral(" ORDER BY Mid(Format(保険者番号,'@@@@@@@@'),3,6),") +
    QStringLiteral(" Mid(Format(保険者番号,'@@@@@@@@'),1,2), 診療科");
const QString kOrderBatch =
    QStringLiteral(" order by Mid(Format(保険者番号,'@@@@@@@@'),3,6),") +
    QStringLiteral(" Mid(Format(保険者番号,'@@@@@@@@'),1,2), 診療科, 請求書種類,連番");
const QString kOrderDetail =
    QStringLiteral(" ORDER BY Mid(Format(保険者番号,'@@@@@@@@'),3,6), ") +
    QStringLiteral(" Mid(Format(保険者番号,'@@@@@@@@'),1,2), 診療科, 総括表種類, 請求書種類,連番");

class SchemaTest : public ::testing::Test {
protected:
    void AddClaim(const QString& number, const QString& kind, int serial,
                  const QString& month = QStringLiteral("3801"),
                  const QList<std::pair<QString, QString>>& figures = {}) {
        auto rs = db.db().OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
        rs->AddNew();
        rs->Fields(QStringLiteral("年月")).SetValue(month);
        rs->Fields(QStringLiteral("保険者番号")).SetValue(number);
        rs->Fields(QStringLiteral("請求書種類")).SetValue(kind);
        rs->Fields(QStringLiteral("連番")).SetValue(serial);
        for (const auto& [column, value] : figures)
            rs->Fields(column).SetValue(value);
        rs->Update();
    }
    void AddWorkLine(const QString& table, const QString& number, int count) {
        auto rs = db.db().OpenRecordset(QStringLiteral("Select * From WK_総括表明細"));
        rs->AddNew();
        rs->Fields(QStringLiteral("保険者番号")).SetValue(number);
        rs->Fields(QStringLiteral("総括表種類")).SetValue(table);
        rs->Fields(QStringLiteral("一般_入院_件数")).SetValue(count);
        rs->Fields(QStringLiteral("福祉件数")).SetValue(1);
        rs->Update();
    }
    QStringList Column(const QString& sql, const QString& column) {
        QStringList values;
        for (auto rs = db.db().OpenRecordset(sql); !rs->Eof(); rs->MoveNext())
            values << rs->Fields(column).Text();
        return values;
    }
    QStringList ColumnNames(const QString& table) {
        auto rs = db.db().OpenRecordset(QStringLiteral("SELECT * From ") + table);
        QStringList names;
        for (int i = 0; i < rs->FieldCount(); ++i)
            names << rs->Fields(i).Name();
        return names;
    }
    QString NextSerial(const QString& number) {
        auto rs = db.db().OpenRecordset(
            QStringLiteral("SELECT * From T_請求書 where 年月 = '3801' and 保険者番号 = '") +
            number + QStringLiteral("' and 診療科 = '' and 請求書種類 = '1' Order By 連番"));
        if (rs->Eof())
            return QStringLiteral("1");
        rs->MoveLast();
        return QString::number(rs->Fields(QStringLiteral("連番")).Value().toInt() + 1);
    }

    test::TempDatabase db;
};

TEST_F(SchemaTest, TablesHaveEveryColumnOfEveryRow) {
    const QStringList claim = ColumnNames(QStringLiteral("T_請求書"));
    EXPECT_EQ(claim.size(), 7 + 120);
    for (const QString& name :
         {QStringLiteral("一般_療養_入院_件数_1"), QStringLiteral("一般_食事_負担額_5"),
          QStringLiteral("退職_療養_外来_負担金_5"), QStringLiteral("退職_食事_日数_3"),
          QStringLiteral("福祉件数"), QStringLiteral("公費件数"), QStringLiteral("診療科")})
        EXPECT_TRUE(claim.contains(name)) << name.toStdString();
    EXPECT_EQ(ColumnNames(QStringLiteral("WK_請求書")), claim);
    QStringList summary = ColumnNames(QStringLiteral("T_総括表明細"));
    EXPECT_EQ(summary.size(), 6 + 24 + 2);
    EXPECT_TRUE(summary.contains(QStringLiteral("老人_外来_食事")));
    QStringList work = ColumnNames(QStringLiteral("WK_総括表明細"));
    work.removeOne(QStringLiteral("請求書種類"));
    EXPECT_EQ(work, summary);
    EXPECT_EQ(ColumnNames(QStringLiteral("T_年月")), QStringList{QStringLiteral("年月")});
}

TEST_F(SchemaTest, SavedQueriesDeliverTheColumnsTheProgramReads) {
    const QStringList detail = ColumnNames(QStringLiteral("Q_総括明細"));
    EXPECT_EQ(detail.size(), 5 + 14 + 2);
    EXPECT_TRUE(detail.contains(QStringLiteral("退職_食事_金額")));
    EXPECT_TRUE(detail.contains(QStringLiteral("福祉件数_合計")));
    const QStringList totals = ColumnNames(QStringLiteral("Q_総括表"));
    EXPECT_EQ(totals.size(), 1 + 21 + 2);
    EXPECT_FALSE(totals.contains(QStringLiteral("一般_外来_食事_合計")));
    EXPECT_TRUE(totals.contains(QStringLiteral("老人_入院_食事_合計")));
}

TEST_F(SchemaTest, EmptyMonthTableGivesEmptyYearList) {
    EXPECT_TRUE(db.db().OpenRecordset(QStringLiteral("SELECT * From Q_年"))->Eof());
    for (const QString& month :
         {QStringLiteral("3807"), QStringLiteral("2012"), QStringLiteral("3801")})
        db.db().Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '") + month +
                        QStringLiteral("'"));
    EXPECT_EQ(Column(QStringLiteral("SELECT * From Q_年"), QStringLiteral("年")),
              (QStringList{QStringLiteral("20"), QStringLiteral("38")}));
    EXPECT_EQ(Column(QStringLiteral("SELECT 月 From Q_月 Where 年 = '38' GROUP BY 月 ORDER BY 月"),
                     QStringLiteral("月")),
              (QStringList{QStringLiteral("01"), QStringLiteral("07")}));
}

TEST_F(SchemaTest, ClaimTotalsAddTheRowsAsNumbersWithEmptyBoxesCountingNothing) {
    AddClaim(QStringLiteral("138001"), QStringLiteral("1"), 1, QStringLiteral("3801"),
             {{QStringLiteral("一般_療養_入院_件数_1"), QStringLiteral("0012")},
              {QStringLiteral("一般_療養_入院_件数_5"), QStringLiteral("3")},
              {QStringLiteral("退職_食事_金額_2"), QStringLiteral("1000")},
              {QStringLiteral("公費件数"), QStringLiteral("02")}});
    auto rs = db.db().OpenRecordset(QStringLiteral("Select * From Q_総括明細 Where 年月 = '3801'"));
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields(QStringLiteral("一般_入院_件数")).Value(), QVariant(15));
    EXPECT_EQ(rs->Fields(QStringLiteral("退職_食事_金額")).Value(), QVariant(1000));
    EXPECT_EQ(rs->Fields(QStringLiteral("一般_外来_点数")).Value(), QVariant(0));
    EXPECT_EQ(rs->Fields(QStringLiteral("公費件数_合計")).Value(), QVariant(2));
    EXPECT_EQ(rs->Fields(QStringLiteral("福祉件数_合計")).Value(), QVariant(0));
}

TEST_F(SchemaTest, SummaryTotalsGroupTheWorkTableByTableKind) {
    AddWorkLine(QStringLiteral("1"), QStringLiteral("138001"), 2);
    AddWorkLine(QStringLiteral("1"), QStringLiteral("138002"), 5);
    AddWorkLine(QStringLiteral("3"), QStringLiteral("138003"), 4);
    auto rs = db.db().OpenRecordset(
        QStringLiteral("Select * From Q_総括表 WHERE 総括表種類 ='1' or 総括表種類 ='2'"));
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields(QStringLiteral("一般_入院_件数_合計")).Value(), QVariant(7));
    EXPECT_EQ(rs->Fields(QStringLiteral("福祉件数_合計")).Value(), QVariant(2));
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    rs = db.db().OpenRecordset(QStringLiteral("Select * From Q_総括表 WHERE 総括表種類 ='3'"));
    EXPECT_EQ(rs->Fields(QStringLiteral("一般_入院_件数_合計")).Value(), QVariant(4));
}

TEST_F(SchemaTest, InsurersSortByLastSixPlacesThenFirstTwoInEveryOrder) {
    for (const QString& number :
         {QStringLiteral("06138001"), QStringLiteral("138002"), QStringLiteral("39138001"),
          QStringLiteral("138001"), QStringLiteral("231"), QStringLiteral("01138002")})
        AddClaim(number, QStringLiteral("1"), 1);
    const QStringList expected = {QStringLiteral("231"),      QStringLiteral("138001"),
                                  QStringLiteral("06138001"), QStringLiteral("39138001"),
                                  QStringLiteral("138002"),   QStringLiteral("01138002")};
    const QString claims = QStringLiteral("SELECT * From T_請求書 Where 年月 = '3801'");
    EXPECT_EQ(Column(claims + kOrderClaimList, QStringLiteral("保険者番号")), expected);
    EXPECT_EQ(Column(claims + kOrderBatch, QStringLiteral("保険者番号")), expected);
    db.db().Execute(
        QStringLiteral("INSERT INTO T_総括表明細 ( 年月, 保険者番号, 総括表種類, 連番 ) "
                       "SELECT 年月, 保険者番号, '1', 連番 FROM T_請求書"));
    EXPECT_EQ(Column(QStringLiteral("SELECT * From T_総括表明細 Where 年月 = '3801'") +
                         kOrderSummaryLines,
                     QStringLiteral("保険者番号")),
              expected);
    db.db().Execute(QStringLiteral("INSERT INTO WK_総括表明細 SELECT T_総括表明細.* FROM "
                                   "T_総括表明細 WHERE T_総括表明細.年月 = '3801'"));
    EXPECT_EQ(
        Column(QStringLiteral("Select * From WK_総括表明細 Where 総括表種類 = '1' ") + kOrderDetail,
               QStringLiteral("保険者番号")),
        expected);
}

// Code-point order on both engines, whatever the locale of a server: capitals
// before small letters, blanks and digits before both.
TEST_F(SchemaTest, TextSortsByCodePoint) {
    for (const QString& number : {QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("a"),
                                  QStringLiteral(" 9"), QStringLiteral("10"), QStringLiteral("Ａ")})
        AddClaim(number, QStringLiteral("1"), 1);
    EXPECT_EQ(
        Column(QStringLiteral("SELECT * From T_請求書 Where 年月 = '3801' ORDER BY 保険者番号"),
               QStringLiteral("保険者番号")),
        (QStringList{QStringLiteral(" 9"), QStringLiteral("10"), QStringLiteral("B"),
                     QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("Ａ")}));
}

TEST_F(SchemaTest, NextSerialStartsAtOneAndReusesADeletedHighest) {
    EXPECT_EQ(NextSerial(QStringLiteral("138001")), QStringLiteral("1"));
    for (int serial : {1, 2, 3})
        AddClaim(QStringLiteral("138001"), QStringLiteral("1"), serial);
    AddClaim(QStringLiteral("138009"), QStringLiteral("1"), 7);
    EXPECT_EQ(NextSerial(QStringLiteral("138001")), QStringLiteral("4"));
    db.db().Execute(QStringLiteral("DELETE * From T_請求書 where 年月 = '3801' and 保険者番号 = "
                                   "'138001' and 診療科 = '' and 請求書種類 = '1' and 連番 = 3"));
    EXPECT_EQ(NextSerial(QStringLiteral("138001")), QStringLiteral("3"));
}

} // namespace
