// Printing the month's claims in one document: pass order, insurer order, the
// page of each stored claim and its payload.

#include "../support/temp_database.h"
#include "claim_batch.h"
#include "db/dao.h"
#include "print_fixture.h"

#include <QMap>

namespace tabulon {
namespace {

class ClaimBatchTest : public test::PrintFixture {
protected:
    void addClaim(const QString& bangou, int kind, int serial = 1, const QString& kensuu = "3") {
        test::AddMonthClaim(
            db.db(), bangou, kind, serial, QString(),
            {{"一般_療養_外来_件数_1", kensuu}, {"一般_食事_金額_1", "800"}, {"公費件数", "4"}});
    }

    test::TempDatabase db;
};

TEST_F(ClaimBatchTest, MonthWithoutClaimsShowsTheMessage) {
    addClaim("123456", 1);
    gNengetu = "3806";
    PrintClaimsOfMonth();
    EXPECT_EQ(messages.Texts(), QStringList{"請求書データが入力されていません。"});
    EXPECT_TRUE(engine.calls.isEmpty());
}

TEST_F(ClaimBatchTest, PassesThenInsurersInTheirSortOrder) {
    addClaim("111111", 5);
    addClaim("999999", 1);
    addClaim("12345678", 2);
    addClaim("345678", 1, 2);
    addClaim("345678", 1, 1);
    addClaim("222222", 3);
    PrintClaimsOfMonth();
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join("|").toStdString();
    EXPECT_EQ(Calls("StartDoc"), QStringList{"StartDoc /prog/document/請求書一括.pdf 請求書一括"});
    EXPECT_EQ(Calls("FieldText Bangou"),
              (QStringList{"FieldText Bangou=345678", "FieldText Bangou=345678",
                           "FieldText Bangou=12345678", "FieldText Bangou=999999",
                           "FieldText Bangou=222222", "FieldText Bangou=111111"}));
    EXPECT_EQ(
        Calls("OpenForm"),
        (QStringList{"OpenForm /prog/form/seikyuu1.qvf", "OpenForm /prog/form/seikyuu1.qvf",
                     "OpenForm /prog/form/seikyuu2.qvf", "OpenForm /prog/form/seikyuu1.qvf",
                     "OpenForm /prog/form/seikyuu3.qvf", "OpenForm /prog/form/seikyuu5.qvf"}));
    EXPECT_EQ(Calls("CloseForm").size(), 6);
    EXPECT_TRUE(Calls("Clear").isEmpty()); // each page opens its layout afresh
    const QStringList data = Calls("QRData QR1=");
    ASSERT_EQ(data.size(), 6);
    EXPECT_TRUE(data[2].mid(11).startsWith("345678231"));
    EXPECT_EQ(data[2].mid(11).size(), 250);
    EXPECT_TRUE(data[4].mid(11).startsWith("222222233"));
    EXPECT_TRUE(data[5].mid(11).startsWith("111111234"));
    EXPECT_EQ(engine.calls.last(), "EndDoc");
    EXPECT_EQ(previews.size(), 1);
}

TEST_F(ClaimBatchTest, PageIsFilledFromTheStoredRow) {
    addClaim("123456", 2, 1, "6");
    PrintClaimsOfMonth();
    EXPECT_TRUE(engine.calls.contains("FieldText Bangou=  123456"));
    EXPECT_TRUE(engine.calls.contains("FieldText Kensuu2=6"));
    EXPECT_TRUE(engine.calls.contains("FieldText Kingaku1=800"));
    EXPECT_FALSE(engine.calls.contains("FieldText Kingaku2=800"));
    EXPECT_TRUE(engine.calls.contains("FieldText Kouhi=4"));
    EXPECT_TRUE(engine.calls.contains("FieldFlag SinryoukaBox=1"));
    EXPECT_EQ(Calls("FieldSize"), (QStringList{"FieldSize QR1=2500", "FieldSize QR2=2500"}));
    const QString payload = Calls("QRData QR1=").value(0).mid(11);
    EXPECT_EQ(payload.mid(18, 40), "0000"
                                   "00000000"
                                   "00000000"
                                   "0000"
                                   "00000800"
                                   "00000000");
    EXPECT_EQ(payload.mid(58, 4), "0006");
}

// Quotes in the month or in a stored key are part of the value: they neither
// break the statements nor make them find another claim.
TEST_F(ClaimBatchTest, QuotesInTheMonthAreTakenAsPartOfTheValue) {
    addClaim("123456", 1);
    gNengetu = "3806' or 年月 = '3805";
    PrintClaimsOfMonth();
    EXPECT_EQ(messages.Texts(), QStringList{"請求書データが入力されていません。"});
    EXPECT_TRUE(engine.calls.isEmpty());

    messages.shown.clear();
    gNengetu = "38'7";
    addClaim("234567", 1);
    PrintClaimsOfMonth();
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join("|").toStdString();
    EXPECT_EQ(Calls("FieldText Bangou"), QStringList{"FieldText Bangou=234567"});
    EXPECT_TRUE(Calls("QRData QR1=").value(0).mid(11).startsWith("234567231"));
}

TEST_F(ClaimBatchTest, QuotesInStoredKeysFindEachPagesOwnClaim) {
    addClaim("111111", 1, 1, "3");
    addClaim("222222' or 保険者番号 = '111111", 1, 1, "7");
    addClaim("12'456", 1, 1, "5");
    PrintClaimsOfMonth();
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join("|").toStdString();
    const QStringList bangou = Calls("FieldText Bangou=");
    const QStringList data = Calls("QRData QR1=");
    ASSERT_EQ(bangou.size(), 3);
    ASSERT_EQ(data.size(), 3);
    QMap<QString, QString> kensuuOf; // 件数 of 一般 row 1 外来 in each page's payload
    for (int i = 0; i < 3; ++i)
        kensuuOf[bangou[i].mid(17)] = data[i].mid(11).mid(58, 4);
    EXPECT_EQ(kensuuOf.value("111111"), "0003");
    EXPECT_EQ(kensuuOf.value("222222' or 保険者番号 = '111111"), "0007");
    EXPECT_EQ(kensuuOf.value("12'456"), "0005");
}

TEST_F(ClaimBatchTest, MonthOfOnlyLateElderlyDentalClaimsStillMakesOneDocument) {
    addClaim("123456", 4);
    PrintClaimsOfMonth();
    EXPECT_EQ(Calls("PrintPage").size(), 1);
    EXPECT_EQ(Calls("EndDoc").size(), 1);
    EXPECT_EQ(previews.size(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClaimBatchTest, FailingEndIsReportedWithItsReasonWithoutItsStatus) {
    addClaim("123456", 1);
    engine.endStatus = 6;
    engine.endError = "document/請求書一括.pdf: 書き込めません (No space left on device)";
    PrintClaimsOfMonth();
    EXPECT_EQ(messages.Texts(),
              QStringList{"印刷終了エラー：document/請求書一括.pdf: 書き込めません (No space "
                          "left on device)"});
    EXPECT_EQ(engine.calls.last(), "AbortDoc");
    EXPECT_TRUE(previews.isEmpty());
}

TEST_F(ClaimBatchTest, MissingFieldEndsTheRunWithTheErrorNumber) {
    addClaim("123456", 1);
    addClaim("234567", 1);
    engine.missingFields = {"Tuki2"};
    PrintClaimsOfMonth();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 3265\r\r")));
    EXPECT_EQ(Calls("OpenForm").size(), 1);
    EXPECT_EQ(engine.calls.mid(engine.calls.size() - 2), (QStringList{"AbortDoc", "CloseForm"}));
}

} // namespace
} // namespace tabulon
