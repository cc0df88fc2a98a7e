#include "db/db_files.h"
#include "db/engine_database.h"
#include "db/pg_connection.h"
#include "db/sqlite_connection.h"
#include "db_error_number.h"
#include "interleaved_database.h"
#include "screen_fixture.h"
#include "ui/frm_copy.h"
#include "ui/month_check.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sqlcipher/sqlite3.h>

namespace tabulon::test {
namespace {

// Another clerk's program whose writes never wait for a lock: a write that a
// lock keeps out fails at once instead.
std::unique_ptr<Database> OpenWithoutWaiting(TempDatabase& database) {
    if (OnServer()) {
        auto connection = std::make_shared<PgConnection>(database.ConnectInfo());
        connection->Exec(QStringLiteral("SET lock_timeout = 1"));
        return std::make_unique<EngineDatabase>(connection);
    }
    auto connection =
        std::make_shared<SqliteConnection>(database.Path(), kDatabasePassword, OpenMode::Existing);
    sqlite3_busy_timeout(connection->handle(), 0);
    return std::make_unique<EngineDatabase>(connection);
}

class CopyTest : public ScreenTest {
protected:
    std::unique_ptr<FrmCopy> screen;
    void open() { screen = std::make_unique<FrmCopy>(); }
    QComboBox* year() { return Find<QComboBox>(screen.get(), "cboYear"); }
    QComboBox* month() { return Find<QComboBox>(screen.get(), "cboMonth"); }
    QLineEdit* txtYear() { return Find<QLineEdit>(screen.get(), "txtYear"); }
    QLineEdit* txtMonth() { return Find<QLineEdit>(screen.get(), "txtMonth"); }
    void copy(const QString& fromYear, const QString& fromMonth, const QString& toYear,
              const QString& toMonth) {
        year()->setEditText(fromYear);
        month()->setEditText(fromMonth);
        txtYear()->setText(toYear);
        txtMonth()->setText(toMonth);
        QTest::mouseClick(Find<QPushButton>(screen.get(), "cmdCopy"), Qt::LeftButton);
    }
    // A source month 38/09 with two claims and one summary line.
    void fillSource() {
        AddMonth("3809");
        AddClaim("3809", "06231019", 1);
        AddClaim("3809", "231019", 2);
        AddSummaryLine("3809", "231019", 42);
    }
};

TEST_F(CopyTest, EmptyDatabaseDisablesEveryControl) {
    open();
    EXPECT_EQ(screen->windowTitle(), "コピー");
    EXPECT_EQ(txtYear()->text(), "38");
    EXPECT_EQ(txtMonth()->text(), "11");
    for (const char* name : {"cboYear", "cboMonth", "txtYear", "txtMonth", "cmdCopy"})
        EXPECT_FALSE(Find<QWidget>(screen.get(), name)->isEnabled()) << name;
    EXPECT_TRUE(Find<QWidget>(screen.get(), "cmdClose")->isEnabled());
}

TEST_F(CopyTest, SourceListsOfferOnlyStoredMonths) {
    for (const char* m : {"3705", "3809", "3803"})
        AddMonth(m);
    open();
    EXPECT_EQ(Items(year()), (QStringList{"37", "38"}));
    EXPECT_EQ(Items(month()), (QStringList{"03", "09"}));
    EXPECT_EQ(month()->currentText(), "09");
}

TEST_F(CopyTest, CopiesClaimsAndSummaryLinesIntoAnEmptyMonth) {
    fillSource();
    open();
    copy("38", "9", "38", "10");
    EXPECT_EQ(messages.Texts(), QStringList{"終了しました"});
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(gNengetu, "3810");
    EXPECT_EQ(CountRows("T_請求書", "3810"), 2);
    EXPECT_EQ(CountRows("T_総括表明細", "3810"), 1);
    EXPECT_EQ(CountRows("T_年月", "3810"), 1);
    EXPECT_EQ(CountRows("T_請求書", "3809"), 2);
    auto line = database.db().OpenRecordset("SELECT * FROM T_総括表明細 WHERE 年月 = '3810'");
    EXPECT_EQ(line->Fields("保険者番号").Text(), "231019");
    EXPECT_EQ(line->Fields("一般_入院_件数").Value().toInt(), 42);
    // The lists are filled again and now hold the target.
    EXPECT_EQ(Items(month()), (QStringList{"09", "10"}));
}

TEST_F(CopyTest, TargetWithClaimsButNoSummaryLinesGetsOnlyTheLines) {
    fillSource();
    AddMonth("3807");
    AddClaim("3807", "99999999");
    open();
    copy("38", "09", "38", "07");
    EXPECT_EQ(messages.Texts(), QStringList{"終了しました"});
    EXPECT_EQ(CountRows("T_請求書", "3807"), 1);
    EXPECT_EQ(CountRows("T_総括表明細", "3807"), 1);
}

TEST_F(CopyTest, FullTargetIsLeftAlone) {
    fillSource();
    AddMonth("3807");
    AddClaim("3807", "99999999");
    AddSummaryLine("3807", "999999", 1);
    open();
    copy("38", "09", "38", "07");
    EXPECT_EQ(messages.Texts(), QStringList{"データが存在するため、処理はおこないませんでした"});
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(CountRows("T_請求書", "3807"), 1);
    EXPECT_EQ(CountRows("T_総括表明細", "3807"), 1);
}

TEST_F(CopyTest, SummaryLinesWithoutClaimsEndLikeAnyCopy) {
    AddMonth("3809");
    AddSummaryLine("3809", "231019", 5);
    open();
    copy("38", "09", "38", "10");
    EXPECT_EQ(messages.Texts(), QStringList{"終了しました"});
    EXPECT_EQ(CountRows("T_総括表明細", "3810"), 1);
    EXPECT_EQ(CountRows("T_年月", "3810"), 1);
    EXPECT_EQ(Items(month()), (QStringList{"09", "10"}));
}

TEST_F(CopyTest, RegisteredMonthWithoutDataHasNothingToCopy) {
    AddMonth("3809");
    open();
    copy("38", "09", "38", "10");
    EXPECT_EQ(messages.Texts(), QStringList{"コピー元データがありません"});
    EXPECT_EQ(CountRows("T_年月", "3810"), 0);
}

TEST_F(CopyTest, CurrentAndPreviousMonthsCannotBeTheSource) {
    AddMonth("3811");
    AddClaim("3811", "231019");
    AddMonth("3812");
    open();
    copy("38", "11", "38", "10");
    EXPECT_EQ(messages.Texts(), QStringList{"コピー元が処理月のためコピー処理はできません"});
    messages.shown.clear();
    copy("38", "12", "38", "10");
    EXPECT_EQ(messages.Texts(), QStringList{"コピー元が処理月のためコピー処理はできません"});
    EXPECT_EQ(CountRows("T_請求書", "3810"), 0);
}

TEST_F(CopyTest, SourceAndTargetMustDiffer) {
    fillSource();
    open();
    copy("38", "09", "38", "9");
    EXPECT_EQ(messages.Texts(),
              QStringList{"コピー元とコピー先が同じなのでコピー処理はできません"});
}

TEST_F(CopyTest, ChecksNameTheBoxesToCorrect) {
    fillSource();
    open();
    copy("38", "09", "", "10");
    EXPECT_EQ(messages.Texts(), QStringList{"必須項目が入力されていません。"});
    EXPECT_TRUE(HasRedBackground(txtYear()));

    messages.shown.clear();
    copy("38", "09", "38", "x");
    EXPECT_EQ(messages.Texts(), QStringList{"数値以外が入力されています。"});
    EXPECT_TRUE(HasRedBackground(txtMonth()));
    EXPECT_FALSE(HasRedBackground(txtYear()));

    messages.shown.clear();
    copy("38", "13", "38", "10");
    EXPECT_EQ(messages.Texts(), QStringList{"不正な日付です。"});
    EXPECT_TRUE(HasRedBackground(year()) && HasRedBackground(month()));
    EXPECT_FALSE(HasRedBackground(txtYear()) || HasRedBackground(txtMonth()));

    messages.shown.clear();
    copy("38", "09", "39", "01");
    EXPECT_EQ(messages.Texts(), QStringList{"未来日付です。"});
    EXPECT_TRUE(HasRedBackground(txtYear()) && HasRedBackground(txtMonth()));
    EXPECT_FALSE(HasRedBackground(year()) || HasRedBackground(month()));
    EXPECT_EQ(CountRows("T_請求書", "3901"), 0);
}

TEST_F(CopyTest, AClaimSavedByAnotherClerkNeverEndsBesideCopiedClaims) {
    fillSource();
    auto other = OpenWithoutWaiting(database);
    const auto save = [&other] {
        return ErrorNumberOf([&other] {
            other->Execute("INSERT INTO T_請求書 (年月, 保険者番号, 診療科, 請求書種類, 連番) "
                           "VALUES ('3810', '138016', '', '1', 1)");
        });
    };
    // The other clerk saves a claim into the target just after the copy found
    // it empty.
    int refused = 0;
    InterleavedDatabase copying(database.db(), "SELECT * From T_請求書 where 年月 = '3810'",
                                [&] { refused = save(); });
    gDb = &copying;
    open();
    copy("38", "9", "38", "10");
    gDb = &database.db();
    EXPECT_TRUE(copying.Interleaved());
    EXPECT_NE(refused, 0);
    EXPECT_EQ(messages.Texts(), QStringList{"終了しました"});
    EXPECT_EQ(CountRows("T_請求書", "3810"), 2);
    // Once the copy has ended, the other clerk's save goes through.
    EXPECT_EQ(save(), 0);
}

} // namespace
} // namespace tabulon::test
