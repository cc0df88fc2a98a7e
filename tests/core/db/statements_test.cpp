// The action statements of month copy and month delete, run as the screens
// write them, and values with quotes that must not change a statement.

#include "db/sql_quote.h"
#include "db_error_number.h"
#include "temp_database.h"

#include <gtest/gtest.h>

using namespace tabulon;
using tabulon::test::ErrorNumberOf;

namespace {

class StatementsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto claim = db.db().OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
        claim->AddNew();
        claim->Fields(QStringLiteral("年月")).SetValue(QStringLiteral("3801"));
        claim->Fields(QStringLiteral("保険者番号")).SetValue(QStringLiteral("138001"));
        claim->Fields(QStringLiteral("請求書種類")).SetValue(1);
        claim->Fields(QStringLiteral("連番")).SetValue(1);
        claim->Fields(QStringLiteral("一般_療養_入院_点数_2")).SetValue(QStringLiteral("0450"));
        claim->Update();
        auto line = db.db().OpenRecordset(QStringLiteral("SELECT * From T_総括表明細"));
        line->AddNew();
        line->Fields(QStringLiteral("年月")).SetValue(QStringLiteral("3801"));
        line->Fields(QStringLiteral("保険者番号")).SetValue(QStringLiteral("138001"));
        line->Fields(QStringLiteral("総括表種類")).SetValue(QStringLiteral("1"));
        line->Fields(QStringLiteral("連番")).SetValue(1);
        line->Fields(QStringLiteral("保険者名")).SetValue(QStringLiteral("東京'国保"));
        line->Fields(QStringLiteral("老人_外来_食事")).SetValue(9);
        line->Update();
    }
    int Count(const QString& sql) {
        int n = 0;
        for (auto rs = db.db().OpenRecordset(sql); !rs->Eof(); rs->MoveNext())
            ++n;
        return n;
    }

    test::TempDatabase db;
};

TEST_F(StatementsTest, MonthCopyStatementsRunAsWritten) {
    const QString source = QStringLiteral("3801");
    const QString target = QStringLiteral("3802");
    db.db().Execute(QStringLiteral("DELETE WK_請求書.* FROM WK_請求書"));
    db.db().Execute(QStringLiteral("INSERT INTO WK_請求書 SELECT T_請求書.* FROM T_請求書") +
                    QStringLiteral(" WHERE T_請求書.年月 = '") + source + QStringLiteral("'"));
    db.db().Execute(QStringLiteral("UPDATE WK_請求書 SET WK_請求書.年月 = '") + target +
                    QStringLiteral("'"));
    db.db().Execute(QStringLiteral("INSERT INTO T_請求書 SELECT WK_請求書.* FROM WK_請求書"));
    auto copied =
        db.db().OpenRecordset(QStringLiteral("SELECT * From T_請求書 where 年月 = '3802'"));
    ASSERT_FALSE(copied->Eof());
    EXPECT_EQ(copied->Fields(QStringLiteral("一般_療養_入院_点数_2")).Text(),
              QStringLiteral("0450"));

    db.db().Execute(QStringLiteral("DELETE WK_総括表明細.* FROM WK_総括表明細"));
    db.db().Execute(
        QStringLiteral("INSERT INTO WK_総括表明細 SELECT T_総括表明細.* FROM T_総括表明細") +
        QStringLiteral(" WHERE T_総括表明細.年月 = '") + source + QStringLiteral("'"));
    db.db().Execute(QStringLiteral("UPDATE WK_総括表明細 SET WK_総括表明細.年月 = '") + target +
                    QStringLiteral("'"));
    db.db().Execute(
        QStringLiteral("INSERT INTO T_総括表明細 ( 年月, 保険者番号, 診療科, ") +
        QStringLiteral("総括表種類, 連番, 保険者名, 一般_入院_件数, 一般_入院_実日数, ") +
        QStringLiteral("一般_入院_点数, 一般_入院_食事, 一般_外来_件数, 一般_外来_実日数, ") +
        QStringLiteral("一般_外来_点数, 一般_外来_食事, 退職_入院_件数, 退職_入院_実日数, ") +
        QStringLiteral("退職_入院_点数, 退職_入院_食事, 退職_外来_件数, 退職_外来_実日数, ") +
        QStringLiteral("退職_外来_点数, 退職_外来_食事, 老人_入院_件数, 老人_入院_実日数, ") +
        QStringLiteral("老人_入院_点数, 老人_入院_食事, 老人_外来_件数, 老人_外来_実日数, ") +
        QStringLiteral("老人_外来_点数, 老人_外来_食事, 公費件数, 福祉件数 )") +
        QStringLiteral(" SELECT 年月, 保険者番号, 診療科, 総括表種類, 連番, 保険者名, ") +
        QStringLiteral("一般_入院_件数, 一般_入院_実日数, 一般_入院_点数, 一般_入院_食事, ") +
        QStringLiteral("一般_外来_件数, 一般_外来_実日数, 一般_外来_点数, 一般_外来_食事, ") +
        QStringLiteral("退職_入院_件数, 退職_入院_実日数, 退職_入院_点数, 退職_入院_食事, ") +
        QStringLiteral("退職_外来_件数, 退職_外来_実日数, 退職_外来_点数, 退職_外来_食事, ") +
        QStringLiteral("老人_入院_件数, 老人_入院_実日数, 老人_入院_点数, 老人_入院_食事, ") +
        QStringLiteral("老人_外来_件数, 老人_外来_実日数, 老人_外来_点数, 老人_外来_食事, ") +
        QStringLiteral("公費件数, 福祉件数 FROM WK_総括表明細;"));
    auto line =
        db.db().OpenRecordset(QStringLiteral("SELECT * From T_総括表明細 where 年月 = '3802'"));
    ASSERT_FALSE(line->Eof());
    EXPECT_EQ(line->Fields(QStringLiteral("老人_外来_食事")).Value(), QVariant(9));
    EXPECT_EQ(line->Fields(QStringLiteral("保険者名")).Text(), QStringLiteral("東京'国保"));
    // A second copy into the same month meets the unique key.
    EXPECT_EQ(ErrorNumberOf([&] {
                  db.db().Execute(
                      QStringLiteral("INSERT INTO T_請求書 SELECT WK_請求書.* FROM WK_請求書"));
              }),
              kErrDuplicateKey);
}

TEST_F(StatementsTest, MonthDeleteStatementsRemoveOnlyThatMonth) {
    db.db().Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3801'"));
    db.db().Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3802'"));
    const QString month = QStringLiteral("3801");
    db.db().Execute(QStringLiteral("DELETE T_請求書.* FROM T_請求書 WHERE 年月 = '") + month + "'");
    db.db().Execute(QStringLiteral("DELETE T_総括表明細.* FROM T_総括表明細 WHERE 年月 = '") +
                    month + "'");
    db.db().Execute(QStringLiteral("DELETE T_年月.* FROM T_年月 WHERE 年月 = '") + month + "'");
    EXPECT_EQ(Count(QStringLiteral("SELECT * From T_請求書")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT * From T_総括表明細")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT * From T_年月")), 1);
}

TEST_F(StatementsTest, QuoteInAValueCannotChangeTheStatement) {
    const QString hostile = QStringLiteral("x' or '1'='1");
    EXPECT_EQ(Count(QStringLiteral("SELECT * From T_請求書 where 年月 = '") + SqlEscape(hostile) +
                    QStringLiteral("'")),
              0);
    db.db().Execute(QStringLiteral("DELETE * From T_請求書 where 年月 = '") + SqlEscape(hostile) +
                    QStringLiteral("'"));
    EXPECT_EQ(Count(QStringLiteral("SELECT * From T_請求書")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT * From T_総括表明細 where 保険者名 = ") +
                    SqlQuote(QStringLiteral("東京'国保"))),
              1);
    // Even unescaped, a value cannot smuggle in a second statement or a comment.
    EXPECT_EQ(ErrorNumberOf([&] {
                  db.db().Execute(
                      QStringLiteral("DELETE * From T_年月 where 年月 = 'x'; DROP TABLE T_請求書"));
              }),
              kErrTextAfterStatement);
    EXPECT_EQ(ErrorNumberOf([&] {
                  db.db().Execute(
                      QStringLiteral("DELETE * From T_請求書 where 年月 = 'x' or 1=1 --'"));
              }),
              kErrSyntax);
    EXPECT_EQ(Count(QStringLiteral("SELECT * From T_請求書")), 1);
}

TEST_F(StatementsTest, EngineErrorsCarryJetNumbers) {
    EXPECT_EQ(ErrorNumberOf([&] { db.db().OpenRecordset(QStringLiteral("SELECT * From T_無い")); }),
              kErrUnknownObject);
    EXPECT_EQ(
        ErrorNumberOf([&] { db.db().OpenRecordset(QStringLiteral("SELECT * Fro T_年月 where")); }),
        kErrSyntax);
    EXPECT_EQ(ErrorNumberOf([&] { db.db().Execute(QStringLiteral("DROP TABLE T_年月")); }),
              kErrInvalidStatement);
    EXPECT_EQ(ErrorNumberOf([&] {
                  db.db().Execute(QStringLiteral(
                      "INSERT INTO T_総括表明細 SELECT WK_総括表明細.* FROM WK_総括表明細"));
              }),
              kErrUnknownInsertField);
}

TEST_F(StatementsTest, MidAndFormatBehaveAsInJet) {
    auto rs = db.db().OpenRecordset(QStringLiteral(
        "SELECT Format('231','@@@@@@@@') AS a, Mid('保険者番号', 2, 3) AS b, "
        "Mid('abc', 5, 2) AS c, Format('123456789','@@@@@@@@') AS d, Mid('abcdef', 3) AS e"));
    EXPECT_EQ(rs->Fields(QStringLiteral("a")).Text(), QStringLiteral("     231"));
    EXPECT_EQ(rs->Fields(QStringLiteral("b")).Text(), QStringLiteral("険者番"));
    EXPECT_EQ(rs->Fields(QStringLiteral("c")).Text(), QString());
    EXPECT_EQ(rs->Fields(QStringLiteral("d")).Text(), QStringLiteral("123456789"));
    EXPECT_EQ(rs->Fields(QStringLiteral("e")).Text(), QStringLiteral("cdef"));
}

} // namespace
