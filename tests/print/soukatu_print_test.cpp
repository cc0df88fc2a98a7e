// Summary printing: the summary screen's table, the month's tables of
// Q_総括表, the work table built from claims and the retained list.

#include "../support/temp_database.h"
#include "db/dao.h"
#include "fake_screen.h"
#include "print_fixture.h"
#include "soukatu_form.h"
#include "soukatu_list.h"
#include "soukatu_work.h"

#include <QRadioButton>

namespace tabulon {
namespace {

using test::FakeScreen;

class SoukatuPrintTest : public test::PrintFixture {
protected:
    // A claim of the processing month with a few figures.
    void addClaim(const QString& bangou, int kind, int serial, const QString& sinryouka = {}) {
        test::AddMonthClaim(db.db(), bangou, kind, serial, sinryouka,
                            {{"一般_療養_入院_件数_1", "2"},
                             {"一般_療養_入院_点数_2", "300"},
                             {"一般_食事_金額_1", "1500"},
                             {"一般_療養_外来_件数_1", "7"},
                             {"公費件数", "1"},
                             {"福祉件数", "2"}});
    }
    // A line of the work table.
    void addWorkLine(const QString& bangou, const QString& tableKind, int serial,
                     const QString& name = {}, const QString& sinryouka = {}) {
        auto rs = db.db().OpenRecordset("SELECT * From WK_総括表明細");
        rs->AddNew();
        rs->Fields("年月").SetValue(gNengetu);
        rs->Fields("保険者番号").SetValue(bangou);
        rs->Fields("保険者名").SetValue(name);
        rs->Fields("診療科").SetValue(sinryouka);
        rs->Fields("総括表種類").SetValue(tableKind);
        rs->Fields("請求書種類").SetValue(QString());
        rs->Fields("連番").SetValue(serial);
        rs->Fields("一般_外来_件数").SetValue(serial);
        rs->Fields("公費件数").SetValue(1);
        rs->Fields("福祉件数").SetValue(2);
        rs->Update();
    }

    test::TempDatabase db;
};

TEST_F(SoukatuPrintTest, MonthWithoutClaimsPrintsNothing) {
    PrintSummariesOfMonth();
    EXPECT_EQ(messages.Texts(), QStringList{"請求書データが入力されていません。"});
    EXPECT_TRUE(engine.calls.isEmpty());
}

TEST_F(SoukatuPrintTest, LateElderlyClaimsCountInTheElderlySection) {
    addClaim("39131234", 2, 1);
    addClaim("39131234", 2, 2);
    ASSERT_FALSE(BuildSoukatuWork());
    auto rs = db.db().OpenRecordset("SELECT * From WK_総括表明細 ORDER BY 連番");
    int lines = 0;
    for (; !rs->Eof(); rs->MoveNext(), ++lines) {
        EXPECT_EQ(rs->Fields("総括表種類").Text(), "1");
        EXPECT_EQ(rs->Fields("保険者名").Text(), "");
        EXPECT_EQ(rs->Fields("老人_入院_件数").Value().toInt(), 2);
        EXPECT_EQ(rs->Fields("老人_入院_点数").Value().toInt(), 300);
        EXPECT_EQ(rs->Fields("老人_入院_食事").Value().toInt(), 1500);
        EXPECT_EQ(rs->Fields("老人_外来_件数").Value().toInt(), 7);
        EXPECT_EQ(rs->Fields("一般_入院_件数").Value().toInt(), 0);
        EXPECT_EQ(rs->Fields("公費件数").Value().toInt(), 1);
    }
    EXPECT_EQ(lines, 2);
}

// A quote in the processing month is part of the value: it neither breaks the
// statements nor widens them to another month.
TEST_F(SoukatuPrintTest, QuoteInTheMonthIsTakenAsPartOfTheValue) {
    addClaim("123456", 1, 1);
    gNengetu = "3806' or 年月 = '3805";
    PrintSummariesOfMonth();
    EXPECT_EQ(messages.Texts(), QStringList{"請求書データが入力されていません。"});
    EXPECT_TRUE(engine.calls.isEmpty());
    ASSERT_FALSE(BuildSoukatuWork());
    EXPECT_TRUE(db.db().OpenRecordset("SELECT * From WK_総括表明細")->Eof());

    messages.shown.clear();
    gNengetu = "38'7";
    addClaim("234567", 3, 1);
    ASSERT_FALSE(BuildSoukatuWork());
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join("|").toStdString();
    auto rs = db.db().OpenRecordset("SELECT * From WK_総括表明細");
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("保険者番号").Text(), "234567");
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
}

TEST_F(SoukatuPrintTest, QuoteInTheListKindIsTakenAsPartOfTheValue) {
    addWorkLine("123456", "1", 1);
    const std::unique_ptr<ReportForm> form = engine.OpenForm("/prog/form/soukatu2.qvf");
    EXPECT_TRUE(PrintSoukatuList(engine, *form, "2' or '1' = '1"));
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join("|").toStdString();
    EXPECT_FALSE(engine.calls.contains("PrintPage"));
}

TEST_F(SoukatuPrintTest, DentalOnlyMonthPrintsOneTablePageAndItsList) {
    addClaim("123456", 3, 1);
    PrintSummariesOfMonth();
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join("|").toStdString();
    EXPECT_EQ(Calls("OpenForm"),
              (QStringList{"OpenForm /prog/form/soukatu1.qvf", "OpenForm /prog/form/soukatu3.qvf",
                           "OpenForm /prog/form/soukatu2.qvf"}));
    EXPECT_EQ(Calls("PrintPage").size(), 2);
    EXPECT_TRUE(engine.calls.contains("FieldText Hyoubetu=歯"));
    EXPECT_TRUE(engine.calls.contains("FieldText Hyoubetu=（歯）"));
    const QStringList data = Calls("QRData QR1=");
    ASSERT_EQ(data.size(), 1);
    const QString payload = data[0].mid(11);
    EXPECT_EQ(payload.size(), 230);
    EXPECT_EQ(payload.left(20), QStringLiteral("23") + "1234567" + "3" + "3805" + "380612");
    EXPECT_EQ(payload.mid(20, 4), "0002");
    EXPECT_TRUE(engine.calls.contains("FieldText Hokensya1=123456"));
    EXPECT_TRUE(engine.calls.contains("FieldText Kensuu1_1=2"));
    EXPECT_EQ(previews.size(), 1);
}

TEST_F(SoukatuPrintTest, PharmacyTableSumsItsOutpatientLines) {
    addWorkLine("111111", "3", 3);
    addWorkLine("222222", "3", 4);
    addWorkLine("333333", "3", 5);
    PrintAllSoukatu();
    EXPECT_TRUE(engine.calls.contains("FieldText Kensuu4=12"));
    EXPECT_TRUE(engine.calls.contains("FieldText Hyoubetu=薬"));
    EXPECT_TRUE(Calls("FieldText Kensuu5=").isEmpty());
    const QString payload = Calls("QRData QR1=").value(0).mid(11);
    EXPECT_EQ(payload.mid(9, 1), "4");
    EXPECT_EQ(payload.mid(190, 5), "00012");
    EXPECT_TRUE(engine.calls.contains("FieldFlag SyasenA1=1"));
    EXPECT_TRUE(engine.calls.contains("FieldText lblJitunissuu1=枚数"));
}

TEST_F(SoukatuPrintTest, ListOfTwentySixLinesTakesTwoPagesWithTheTotalsOnTheLast) {
    for (int i = 1; i <= 26; ++i)
        addWorkLine(QStringLiteral("1%1").arg(i, 5, 10, QChar('0')), "1", i);
    PrintAllSoukatu();
    const qsizetype list = engine.calls.indexOf("OpenForm /prog/form/soukatu2.qvf");
    const QStringList listCalls = engine.calls.mid(list);
    EXPECT_EQ(listCalls.count("PrintPage"), 2);
    EXPECT_TRUE(listCalls.contains("FieldText Hokensya25=100025"));
    const qsizetype secondPage = listCalls.indexOf("PrintPage") + 1;
    const QStringList page2 = listCalls.mid(secondPage);
    EXPECT_TRUE(page2.contains("FieldText Hokensya1=100026"));
    EXPECT_FALSE(page2.contains("FieldText Hokensya2=100027"));
    EXPECT_TRUE(page2.contains("FieldText Kouhi=26"));
    EXPECT_TRUE(page2.contains("FieldText Uba=52"));
    EXPECT_FALSE(listCalls.mid(0, secondPage).filter("FieldText Kouhi").size() > 0);
}

TEST_F(SoukatuPrintTest, ListShowsNumberAndDepartmentWhenTheNameIsEmpty) {
    addWorkLine("123456", "1", 1, QString(), "01");
    addWorkLine("234567", "1", 2, "国保連合", QString());
    PrintAllSoukatu();
    EXPECT_TRUE(engine.calls.contains("FieldText Hokensya1=123456(01)"));
    EXPECT_TRUE(engine.calls.contains("FieldText Hokensya2=国保連合"));
    EXPECT_TRUE(engine.calls.contains("FieldFlag Sen0=1"));
    EXPECT_TRUE(engine.calls.contains("FieldText lblMidasi=平成　　　年　　月分　診療報酬総括表"));
}

TEST_F(SoukatuPrintTest, FailingPageAbandonsTheDocumentAndEndsTheRun) {
    addWorkLine("123456", "1", 1);
    engine.printPageStatus = 9;
    PrintAllSoukatu();
    EXPECT_EQ(messages.Texts(), QStringList{"印刷処理エラー：9"});
    EXPECT_EQ(engine.calls.mid(engine.calls.size() - 3),
              (QStringList{"PrintPage", "AbortDoc", "CloseForm"}));
    EXPECT_TRUE(previews.isEmpty());
}

TEST_F(SoukatuPrintTest, MissingFieldIsReportedAsARunTimeError) {
    addWorkLine("123456", "1", 1);
    engine.missingFields = {"Tensuu3_1"};
    PrintAllSoukatu();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 3265\r\r")));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(engine.calls.contains("AbortDoc"));
}

// The summary screen with 薬 selected: only lines 1 to 4, from boxes 1, 3, 5, 7.
TEST_F(SoukatuPrintTest, PharmacyScreenPrintsItsOutpatientBoxes) {
    FakeScreen screen;
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(&screen);
        option->setObjectName("optHyoubetu");
        option->setProperty("Index", i);
        option->setChecked(i == 2);
    }
    for (int i = 0; i < 8; ++i) {
        screen.Set("txtKensuu", i, QString::number(10 + i));
        screen.Set("txtJitunisuu", i, QString());
        screen.Set("txtTensuu", i, QString());
        screen.Set("txtSyokuji", i, QString());
    }
    screen.Set("txtKouhi", "5");
    screen.Set("txtFukusi", "");
    PrintSoukatuScreen(screen);
    EXPECT_EQ(gQRKind, "4");
    EXPECT_EQ(Calls("OpenForm"), QStringList{"OpenForm /prog/form/soukatu3.qvf"});
    EXPECT_EQ(Calls("FieldText Kensuu"),
              (QStringList{"FieldText Kensuu1=11", "FieldText Kensuu2=13", "FieldText Kensuu3=15",
                           "FieldText Kensuu4=17"}));
    EXPECT_TRUE(engine.calls.contains("FieldSize QR1=3200"));
    EXPECT_TRUE(engine.calls.contains("FieldText Hyoubetu=薬"));
    EXPECT_EQ(Calls("QRData QR1=").value(0).mid(11).size(), 230);
    EXPECT_EQ(previews.size(), 1);
}

} // namespace
} // namespace tabulon
